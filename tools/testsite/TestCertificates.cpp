// Certificates for the site's https mode, made with the openssl command when a test or the demo
// needs them, so that no key is ever committed and none outlives the day.
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include "TestSite.h"

namespace {

bool RunOpenssl(const QString& folder, const QStringList& args, QString& error) {
  const QString openssl = QStandardPaths::findExecutable("openssl");
  if (openssl.isEmpty()) {
    error = "the openssl command is not installed";
    return false;
  }
  QProcess process;
  process.setWorkingDirectory(folder);
  process.setStandardInputFile(QProcess::nullDevice());
  process.start(openssl, args);
  if (process.waitForFinished(60000) && process.exitStatus() == QProcess::NormalExit &&
      process.exitCode() == 0) {
    return true;
  }
  error = "openssl " + args.join(' ') + " failed: " + process.readAllStandardError().trimmed();
  return false;
}

QStringList NewKey() {
  return {"-newkey", "ec", "-pkeyopt", "ec_paramgen_curve:prime256v1", "-nodes"};
}

// A certificate for subjectAltName names, signed by the CA, valid for days (negative: expired).
bool IssueCertificate(const QString& folder, const QString& name, const QString& names, int days,
                      QString& error) {
  QFile extensions(QDir(folder).filePath(name + ".ext"));
  if (!extensions.open(QIODevice::WriteOnly) ||
      extensions.write(
          ("subjectAltName=" + names + "\nbasicConstraints=CA:FALSE\nextendedKeyUsage=serverAuth\n")
              .toLatin1()) < 0) {
    error = "cannot write " + extensions.fileName();
    return false;
  }
  extensions.close();
  return RunOpenssl(folder,
                    QStringList{"req"} + NewKey() +
                        QStringList{"-keyout", name + ".key", "-out", name + ".csr", "-subj",
                                    "/CN=" + name},
                    error) &&
         RunOpenssl(folder,
                    {"x509", "-req", "-in", name + ".csr", "-CA", "ca.pem", "-CAkey", "ca.key",
                     "-CAcreateserial", "-out", name + ".pem", "-days", QString::number(days),
                     "-extfile", name + ".ext"},
                    error);
}

}  // namespace

bool MakeTestCertificates(const QString& folder, QString& error) {
  if (!QDir(folder).mkpath(".")) {
    error = "cannot create " + folder;
    return false;
  }
  return RunOpenssl(folder,
                    QStringList{"req", "-x509"} + NewKey() +
                        QStringList{"-keyout", "ca.key", "-out", "ca.pem", "-days", "30", "-subj",
                                    "/CN=PadFlasher test CA", "-addext",
                                    "basicConstraints=critical,CA:TRUE", "-addext",
                                    "keyUsage=critical,keyCertSign,cRLSign"},
                    error) &&
         IssueCertificate(folder, "server", "IP:127.0.0.1,DNS:localhost", 30, error) &&
         IssueCertificate(folder, "wrong-host", "DNS:elsewhere.example", 30, error) &&
         IssueCertificate(folder, "expired", "IP:127.0.0.1,DNS:localhost", -1, error);
}
