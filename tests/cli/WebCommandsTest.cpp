// padflasher-cli's catalogue and download commands against the loopback site.
#include <signal.h>

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <functional>

#include "TestSigner.h"
#include "WebFixture.h"
#include "startup/Settings.h"
#include "webupdate/Catalogue.h"

namespace {

class CliWebTest : public WebFixture {
 protected:
  void SetUp() override {
    WebFixture::SetUp();
    PointAt(programDir_.path());
    SiteFile("catalogue.txt",
             "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\nAbout X1\r\n"
             "@Old.bin,2001-01-01,1,I,TypeA,0001,0,1");
    SiteFile("X1.bin", Image('1'));
    ProgramFileBytes("c.Bin", "cc");
  }
};

TEST_F(CliWebTest, CatalogueListsRowsAndRefreshesTheVersionsFile) {
  CliRun run = Cli({"catalogue"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  QStringList rows = run.out.split('\n', Qt::SkipEmptyParts);
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0].simplified(), "X1 2007-05-01 262144 Remote");
  EXPECT_EQ(rows[1].split(' ', Qt::SkipEmptyParts).value(0), "c");
  EXPECT_EQ(rows[1].split(' ', Qt::SkipEmptyParts).value(3), "Local");
  EXPECT_EQ(ProgramRead("PadFlasher.ver"),
            "[VERSIONS]\r\n   Version      = A,TypeA,1A2B,1,05\r\n   Version      = "
            "I,TypeA,0001,0,01\r\n");
}

TEST_F(CliWebTest, DownloadSavesTheImageAndRefusesWhatTheCatalogueDoesNotOffer) {
  CliRun run = Cli({"download", "X1"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(ProgramRead("X1.bin"), Image('1'));
  EXPECT_EQ(ProgramRead("X1.txt"), "About X1\r\n");
  EXPECT_EQ(WrittenAt("X1.bin"), "2007-05-01 00:00");
  EXPECT_EQ(Cli({"download", "Old"}).exitCode, 2);
  EXPECT_EQ(Cli({"download", "X1"}).exitCode, 2) << "already local";
}

TEST_F(CliWebTest, JsonDocumentsListTheCatalogueAndTheDownload) {
  CliRun list = Cli({"catalogue", "--json"});
  const QJsonObject catalogue = QJsonDocument::fromJson(list.out.toUtf8()).object();
  EXPECT_EQ(catalogue.value("result").toString(), "ok") << list.out.toStdString();
  const QJsonArray rows = catalogue.value("firmware").toArray();
  ASSERT_EQ(rows.size(), 2);
  EXPECT_EQ(rows[0].toObject().value("name").toString(), "X1");
  EXPECT_EQ(rows[0].toObject().value("size").toInt(), 262144);
  EXPECT_FALSE(rows[0].toObject().value("local").toBool());
  EXPECT_TRUE(rows[1].toObject().value("local").toBool());

  CliRun fetched = Cli({"download", "--json", "X1"});
  const QJsonObject download = QJsonDocument::fromJson(fetched.out.toUtf8()).object();
  EXPECT_EQ(download.value("exit_code").toInt(), 0) << fetched.out.toStdString();
  EXPECT_TRUE(download.value("file").toString().endsWith("/X1.bin"));
  EXPECT_EQ(download.value("file_bytes").toInt(), 262144);
  CliRun again = Cli({"download", "--json", "X1"});
  const QJsonObject refused = QJsonDocument::fromJson(again.out.toUtf8()).object();
  EXPECT_EQ(refused.value("exit_code").toInt(), 2);
  EXPECT_EQ(refused.value("result").toString(), "bad usage or input");
  EXPECT_TRUE(refused.value("message").toString().contains("already in the program folder"));
}

TEST_F(CliWebTest, SiteFailuresExitWithOneAndKeepTheVersionsFile) {
  ProgramFileBytes("PadFlasher.ver", "[VERSIONS]\r\n   Version      = A,Mine,BEEF,1,00\r\n");
  site_->SetFault(SiteFault::ServerError);
  CliRun run = Cli({"catalogue"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("PadFlasher.ver is unchanged")) << run.err.toStdString();
  EXPECT_EQ(ProgramRead("PadFlasher.ver"), "[VERSIONS]\r\n   Version      = A,Mine,BEEF,1,00\r\n");

  site_->SetFault(SiteFault::Truncated, "/updates/X1.bin");
  EXPECT_EQ(Cli({"download", "X1"}).exitCode, 1);
  EXPECT_FALSE(ProgramHas("X1.bin"));
}

// Each way the site can fail, as the terminal says it: the cause, no Help the CLI does not have,
// and no closing line that guesses at another cause.
TEST_F(CliWebTest, NetworkFailuresSayTheirCause) {
  QTemporaryDir certs;
  QString certProblem;
  const bool tls = MakeTestCertificates(certs.path(), certProblem);
  TestSite secure(siteDir_.path());
  ASSERT_TRUE(!tls || (secure.UseTls(certs.filePath("server.pem"), certs.filePath("server.key")) &&
                       secure.Listen()));
  const std::string local = "127.0.0.1:" + std::to_string(site_->Port());
  const std::string catalogue = local + "/updates/catalogue.txt";
  const TestKey key = MakeTestKey(0x0123456789ABCDEF);
  struct Case {
    const char* name;
    std::string settings;  // lines after [PADFLASHER]
    SiteFault fault;
    const char* cause;
    std::function<void()> prepare = {};
  };
  const std::vector<Case> cases = {
      {"connection refused", "URL = 127.0.0.1:" + std::to_string(ClosedPort()) + "/c.txt",
       SiteFault::None, "connection refused by 127.0.0.1:"},
      {"host not found", "URL = http://nosuchhost.invalid/c.txt", SiteFault::None,
       "host not found: nosuchhost.invalid"},
      {"404", "URL = " + catalogue, SiteFault::NotFound, "status 404 (Not Found)"},
      {"204", "URL = " + catalogue, SiteFault::NoContent, "status 204 (No Content)"},
      {"empty body", "URL = " + catalogue, SiteFault::None, "the site sent an empty catalogue",
       [&] { SiteFile("catalogue.txt", ""); }},
      {"redirect loop", "URL = " + catalogue, SiteFault::Redirect, "a redirect loop",
       [&] { site_->SetRedirect("http://" + catalogue); }},
      {"stray byte", "URL = " + catalogue, SiteFault::StrayByte,
       "answered with something unexpected"},
      {"CAFILE missing", "URL = https://" + local + "/c.txt\r\nCAFILE = nosuch.pem",
       SiteFault::None, "the CA file nosuch.pem (CAFILE) does not exist"},
      {"PUBLICKEY unusable", "URL = " + catalogue + "\r\nPUBLICKEY = RWgarbled", SiteFault::None,
       "PUBLICKEY is not a minisign public key"},
      {"signature too large", "URL = " + catalogue + "\r\nPUBLICKEY = " + key.PublicLine(),
       SiteFault::None, "the signature file is too large",
       [&] { SiteFile("catalogue.txt.minisig", QByteArray(20000, 'x')); }},
  };
  std::vector<Case> all = cases;
  if (tls) {
    all.push_back(
        {"certificate of an unknown issuer",
         "URL = https://127.0.0.1:" + std::to_string(secure.Port()) + "/updates/catalogue.txt",
         SiteFault::None,
         "the connection is not secure: the site's certificate comes "
         "from an unknown issuer"});
  }
  for (const auto& c : all) {
    SiteFile("catalogue.txt", "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\n");
    QFile::remove(siteDir_.filePath("updates/catalogue.txt.minisig"));
    site_->SetFault(c.fault);
    if (c.prepare) c.prepare();
    ProgramFileBytes("PadFlasher.ini",
                     QByteArray::fromStdString("[PADFLASHER]\r\n" + c.settings + "\r\n"));
    const size_t asked = site_->Requests().size();
    CliRun run = Cli({"catalogue"});
    EXPECT_EQ(run.exitCode, 1) << c.name;
    EXPECT_TRUE(run.err.contains(c.cause)) << c.name << ": " << run.err.toStdString();
    for (const char* wrong : {"Help", "unreachable", "another server", "did not answer"})
      EXPECT_FALSE(run.err.contains(wrong)) << c.name << ": " << run.err.toStdString();
    if (std::string(c.name) == "PUBLICKEY unusable") {
      EXPECT_EQ(site_->Requests().size(), asked) << "nothing is fetched without a usable key";
    }
  }
  if (!tls) GTEST_SKIP() << "no TLS row: " << certProblem.toStdString();
}

TEST_F(CliWebTest, CatalogueSaysOnStderrWhetherItsSignatureWasVerified) {
  const TestKey key = MakeTestKey(0x0123456789ABCDEF);
  const std::string catalogue = "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5," +
                                Sha256Hex(Image('1').toStdString()) + "\r\nAbout X1\r\n";
  SiteFile("catalogue.txt", QByteArray::fromStdString(catalogue));
  struct Case {
    const char* name;
    std::string publicKey, signature;  // "-": no signature file
    int exitCode;
    QString line;
  };
  const std::vector<Case> cases = {
      {"no key", "", "-", 0, "padflasher-cli: catalogue: Not verified\n"},
      {"a valid signature", key.PublicLine(), SignLikeMinisign(key, catalogue, true), 0,
       "padflasher-cli: catalogue: Verified, key ID 123456789ABCDEF\n"},
      {"no signature file", key.PublicLine(), "-", 1, "the signature is missing"},
      {"a signature over other bytes", key.PublicLine(),
       SignLikeMinisign(key, catalogue + " ", false), 1, "the signature is not valid"},
  };
  for (const auto& c : cases) {
    ProgramFileBytes("PadFlasher.ini",
                     QByteArray::fromStdString("[PADFLASHER]\r\nURL = " + gURL +
                                               "\r\nPUBLICKEY = " + c.publicKey + "\r\n"));
    QFile::remove(siteDir_.filePath("updates/catalogue.txt.minisig"));
    if (c.signature != "-")
      SiteFile("catalogue.txt.minisig", QByteArray::fromStdString(c.signature));
    CliRun run = Cli({"catalogue"});
    EXPECT_EQ(run.exitCode, c.exitCode) << c.name << ": " << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(c.line)) << c.name << ": " << run.err.toStdString();
    EXPECT_EQ(run.out.contains("X1"), c.exitCode == 0) << c.name << ": " << run.out.toStdString();
    if (c.exitCode != 0) {
      EXPECT_TRUE(run.err.contains("signature")) << c.name;
      EXPECT_EQ(Cli({"download", "X1"}).exitCode, 1) << c.name;
      EXPECT_FALSE(ProgramHas("X1.bin")) << c.name;
    }
  }
}

TEST_F(CliWebTest, APasswordOverPlainHttpIsSentWithOneWarning) {
  site_->SetCredentials("joe", "s3cret");
  ProgramFileBytes("PadFlasher.ini",
                   QByteArray::fromStdString("[PADFLASHER]\r\nURL = joe:s3cret@" + gURL + "\r\n"));
  CliRun run = Cli({"download", "X1"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_EQ(run.err.count("travels unencrypted over http"), 1) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("s3cret")) << run.err.toStdString();
}

}  // namespace

namespace {

TEST_F(CliWebTest, AHostileSiteCannotReachTheProgramsFilesNorTheTerminal) {
  const QByteArray ini = ProgramRead("PadFlasher.ini");
  SiteFile("catalogue.txt",
           "@PadFlasher.ini,2007-05-01,262144,A,T,1111,1,0\r\n"
           "@X1.bin,2007-05-01\x1b]0;owned\x07,262144,A,TypeA,1A2B,1,5\r\nAbout X1\r\n"
           "@Y\x1b[2J.bin,2007-05-01,262144,A,T,2222,1,0\r\n"
           "@Short.bin,2007-05-01,262144,A,T,3333,1,0\r\n");
  SiteFile("PadFlasher.ini", Image('i'));
  SiteFile("Short.bin", "four");
  CliRun run = Cli({"catalogue"});
  EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
  EXPECT_FALSE(run.out.contains('\x1b')) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains("2007-05-01\\x1B]0;owned\\x07")) << run.out.toStdString();
  EXPECT_FALSE(run.out.contains("PadFlasher")) << run.out.toStdString();
  struct Case {
    const char* name;
    int exitCode;
    const char* absent;
  } cases[] = {
      {"PadFlasher", 2, ""},
      {"Short", 1, "Short.bin"},
  };
  for (const auto& c : cases) {
    CliRun download = Cli({"download", c.name});
    EXPECT_EQ(download.exitCode, c.exitCode) << c.name << download.err.toStdString();
    if (*c.absent) {
      EXPECT_FALSE(ProgramHas(c.absent)) << c.name;
    }
  }
  EXPECT_EQ(ProgramRead("PadFlasher.ini"), ini);
}

TEST_F(CliWebTest, APasswordWithABareSlashIsNeitherUsedNorShown) {
  ProgramFileBytes(
      "PadFlasher.ini",
      QByteArray::fromStdString("[PADFLASHER]\r\nURL = bob:Qx/Zy@127.0.0.1:" +
                                std::to_string(site_->Port()) + "/updates/catalogue.txt\r\n"));
  CliRun run = Cli({"catalogue"});
  EXPECT_EQ(run.exitCode, 1);
  EXPECT_TRUE(run.err.contains("write them as %40 and %2F")) << run.err.toStdString();
  EXPECT_FALSE(run.err.contains("Qx") || run.err.contains("Zy")) << run.err.toStdString();
  EXPECT_TRUE(site_->Requests().empty());
}

TEST_F(CliWebTest, CtrlCEndsAHangingTransferAtOnce) {
  site_->SetFault(SiteFault::Silent, "/updates/X1.bin");
  QProcess process;
  process.start(QString(PADFLASHER_BIN_DIR) + "/padflasher-cli",
                {"download", "X1", "--folder", programDir_.path()});
  ASSERT_TRUE(process.waitForStarted());
  auto asked = [&] {
    for (const SiteRequest& r : site_->Requests())
      if (r.Target == "/updates/X1.bin") return true;
    return false;
  };
  ASSERT_TRUE(QTest::qWaitFor(asked, 30000));
  ::kill(static_cast<pid_t>(process.processId()), SIGINT);
  EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 20000));
  EXPECT_EQ(process.exitCode(), 130) << process.readAllStandardError().toStdString();
  EXPECT_FALSE(ProgramHas("X1.bin"));
  if (process.state() != QProcess::NotRunning) process.kill();
  process.waitForFinished();
}

}  // namespace
