// padflasher-cli's catalogue and download commands against the loopback site.
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTest>

#include "WebFixture.h"
#include "startup/Settings.h"

namespace {

struct CliRun {
  int exitCode = -1;
  QString out, err;
};

class CliWebTest : public WebFixture {
 protected:
  void SetUp() override {
    WebFixture::SetUp();
    cli_ = QString(PADFLASHER_BIN_DIR) + "/padflasher-cli";
    if (!QFileInfo::exists(cli_)) GTEST_SKIP() << "padflasher-cli is not built";
    ProgramFileBytes("PadFlasher.ini",
                     QByteArray::fromStdString("[PADFLASHER]\r\nURL = " + gURL + "\r\n"));
    SiteFile("catalogue.txt",
             "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\nAbout X1\r\n"
             "@Old.bin,2001-01-01,1,I,TypeA,0001,0,1");
    SiteFile("X1.bin", Image('1'));
    ProgramFileBytes("c.Bin", "cc");
  }
  // The site lives in this process, so the wait keeps its event loop running.
  CliRun Cli(QStringList args) {
    QProcess process;
    process.start(cli_, args << "--folder" << programDir_.path());
    EXPECT_TRUE(process.waitForStarted());
    EXPECT_TRUE(QTest::qWaitFor([&] { return process.state() == QProcess::NotRunning; }, 30000));
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
  }
  QString cli_;
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

}  // namespace
