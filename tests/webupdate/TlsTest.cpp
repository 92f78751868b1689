// The download site over https: certificates are checked against the system's roots and CAFILE,
// and every refusal names its reason.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "WebFixture.h"
#include "startup/Settings.h"
#include "webupdate/Catalogue.h"

namespace {

class TlsTest : public WebFixture {
 protected:
  static void SetUpTestSuite() {
    certs_ = new QTemporaryDir;
    QString error;
    made_ = certs_->isValid() && MakeTestCertificates(certs_->path(), error);
    if (!made_) problem_ = error.toStdString();
    // The CA's certificate at the start of a sparse file larger than any list of CAs.
    QFile huge(QString::fromStdString(Cert("huge.pem")));
    made_ = made_ && QFile::copy(QString::fromStdString(Cert("ca.pem")), huge.fileName()) &&
            huge.resize(2 * 1024 * 1024);
  }
  static void TearDownTestSuite() {
    delete certs_;
    certs_ = nullptr;
  }
  void SetUp() override {
    WebFixture::SetUp();
    if (!made_) GTEST_SKIP() << "no test certificates: " << problem_;
  }
  static std::string Cert(const std::string& name) {
    return QDir(certs_->path()).filePath(QString::fromStdString(name)).toStdString();
  }
  static inline QTemporaryDir* certs_ = nullptr;
  static inline bool made_ = false;
  static inline std::string problem_;
};

TEST_F(TlsTest, OnlyACertificateTheTrustedRootsVouchForIsAccepted) {
  SiteFile("catalogue.txt", "@X1.bin,2007-05-01,262144,A,TypeA,1A2B,1,5\r\n");
  TestSite plain(siteDir_.path());
  ASSERT_TRUE(plain.Listen());
  const std::string plainCatalogue =
      "http://127.0.0.1:" + std::to_string(plain.Port()) + "/updates/catalogue.txt";
  struct Case {
    const char* name;
    std::string certificate, caFile, host;
    bool redirectToHttp;
    CatalogueResult result;
    std::string problem;  // in the message shown; empty: no message
  };
  const std::vector<Case> cases = {
      {"trusted via CAFILE", "server", Cert("ca.pem"), "127.0.0.1", false, CatalogueResult::Loaded,
       ""},
      {"trusted via CAFILE, by name", "server", Cert("ca.pem"), "localhost", false,
       CatalogueResult::Loaded, ""},
      {"unknown issuer", "server", "", "127.0.0.1", false, CatalogueResult::Failed,
       "unknown issuer"},
      {"wrong host name", "wrong-host", Cert("ca.pem"), "127.0.0.1", false, CatalogueResult::Failed,
       "wrong host name"},
      {"expired", "expired", Cert("ca.pem"), "127.0.0.1", false, CatalogueResult::Failed,
       "expired"},
      {"CAFILE without a certificate", "server", Cert("server.key"), "127.0.0.1", false,
       CatalogueResult::Failed, "holds no PEM certificate"},
      {"CAFILE larger than any list of CAs", "server", Cert("huge.pem"), "127.0.0.1", false,
       CatalogueResult::Failed, "is larger than 1048576 bytes"},
      {"https to http redirect", "server", Cert("ca.pem"), "127.0.0.1", true,
       CatalogueResult::Failed, "from https to plain http"},
  };
  for (const auto& c : cases) {
    TestSite tls(siteDir_.path());
    ASSERT_TRUE(tls.UseTls(QString::fromStdString(Cert(c.certificate + ".pem")),
                           QString::fromStdString(Cert(c.certificate + ".key"))))
        << c.name;
    ASSERT_TRUE(tls.Listen()) << c.name;
    if (c.redirectToHttp) {
      tls.SetRedirect(plainCatalogue);
      tls.SetFault(SiteFault::Redirect, "/updates/catalogue.txt");
    }
    gURL = "https://" + c.host + ":" + std::to_string(tls.Port()) + "/updates/catalogue.txt";
    gCAFile = c.caFile;
    SplitSettingsURL();
    const size_t shownBefore = host_.Texts().size();
    WebLists lists;
    EXPECT_EQ(LoadCatalogue(lists, host_, nullptr), c.result) << c.name;
    const std::vector<std::string> all = host_.Texts();
    const std::vector<std::string> shown(all.begin() + shownBefore, all.end());
    if (c.problem.empty()) {
      EXPECT_TRUE(shown.empty()) << c.name << ": " << shown.front();
    } else {
      ASSERT_EQ(shown.size(), 1u) << c.name;
      EXPECT_NE(shown[0].find("The connection is not secure: "), std::string::npos) << shown[0];
      EXPECT_NE(shown[0].find(c.problem), std::string::npos) << c.name << ": " << shown[0];
    }
  }
  EXPECT_TRUE(plain.Requests().empty()) << "the redirect to http was followed";
}

}  // namespace
