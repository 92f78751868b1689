#include "webupdate/SiteTls.h"

#include <QSslCertificate>

#include "base/TextUtil.h"
#include "startup/Startup.h"

bool SiteTlsConfiguration(const std::string& caFile, QSslConfiguration& configuration,
                          std::string& error) {
  configuration = QSslConfiguration::defaultConfiguration();
  if (caFile.empty()) return true;
  // A relative name is taken from the program folder, like every other file of the program.
  const std::string path = caFile[0] == '/' ? caFile : gProgramFolder + "/" + caFile;
  const QList<QSslCertificate> extra = QSslCertificate::fromPath(
      FilePath(path), QSsl::Pem, QSslCertificate::PatternSyntax::FixedString);
  if (extra.isEmpty()) {
    error = "the CA file " + caFile + " (CAFILE) holds no PEM certificate";
    return false;
  }
  QList<QSslCertificate> trusted = QSslConfiguration::systemCaCertificates();
  trusted += extra;
  configuration.setCaCertificates(trusted);
  return true;
}

std::string DescribeTlsErrors(const QList<QSslError>& errors) {
  std::string text;
  auto add = [&](const std::string& problem) {
    if (text.find(problem) != std::string::npos) return;
    text += (text.empty() ? "" : "; ") + problem;
  };
  for (const QSslError& e : errors) {
    switch (e.error()) {
      case QSslError::CertificateExpired:
        add("the site's certificate has expired");
        break;
      case QSslError::CertificateNotYetValid:
        add("the site's certificate is not valid yet");
        break;
      case QSslError::HostNameMismatch:
        add("the site's certificate is for another host name (wrong host name)");
        break;
      case QSslError::UnableToGetIssuerCertificate:
      case QSslError::UnableToGetLocalIssuerCertificate:
      case QSslError::UnableToVerifyFirstCertificate:
      case QSslError::SelfSignedCertificate:
      case QSslError::SelfSignedCertificateInChain:
      case QSslError::CertificateUntrusted:
        add("the site's certificate comes from an unknown issuer");
        break;
      default:
        add("the site's certificate is not valid: " + e.errorString().toStdString());
        break;
    }
  }
  return text;
}
