#include "webupdate/SiteTls.h"

#include <QDateTime>
#include <QFileInfo>
#include <QSslCertificate>

#include "base/AtomicFile.h"

#include "base/TextUtil.h"
#include "startup/Startup.h"

namespace {

// Hundreds of certificates fit; a larger file is no list of CAs, and it would be read whole for
// every request.
constexpr int64_t kMaxCaFileBytes = 1024 * 1024;

// The certificates of the CA file, read once a run: again only when the file has changed.
struct CaFileCache {
  std::string Path;
  QDateTime Modified;
  qint64 Size = -1;
  QList<QSslCertificate> Certificates;
  std::string Problem;  // why the file gave none
};

const CaFileCache& CaFile(const std::string& path) {
  static CaFileCache cache;
  const QFileInfo info(FilePath(path));
  if (cache.Path == path && cache.Modified == info.lastModified() && cache.Size == info.size())
    return cache;
  cache = {path, info.lastModified(), info.size(), {}, {}};
  std::string bytes;
  if (ReadWholeFile(path, kMaxCaFileBytes, bytes, &cache.Problem) != ReadResult::Ok) return cache;
  cache.Certificates = QSslCertificate::fromData(QByteArray::fromStdString(bytes), QSsl::Pem);
  if (cache.Certificates.isEmpty()) cache.Problem = "holds no PEM certificate";
  return cache;
}

}  // namespace

bool SiteTlsConfiguration(const std::string& caFile, QSslConfiguration& configuration,
                          std::string& error) {
  configuration = QSslConfiguration::defaultConfiguration();
  if (caFile.empty()) return true;
  // A relative name is taken from the program folder, like every other file of the program.
  const std::string path = caFile[0] == '/' ? caFile : gProgramFolder + "/" + caFile;
  const CaFileCache& extra = CaFile(path);
  if (extra.Certificates.isEmpty()) {
    error = "the CA file " + caFile + " (CAFILE) " + extra.Problem;
    return false;
  }
  QList<QSslCertificate> trusted = QSslConfiguration::systemCaCertificates();
  trusted += extra.Certificates;
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
