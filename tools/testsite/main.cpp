// testsite: serves a folder on 127.0.0.1 for tests and the demo. Prints the port on the first line
// of standard output and runs until it is ended.
#include <QCommandLineParser>
#include <QCoreApplication>
#include <QFile>
#include <QTextStream>
#include <cstdio>

#include "TestSite.h"

namespace {

// "Version" values of a versions file, so the demo catalogue keeps listing them.
std::vector<std::string> VersionRows(const QString& fileName) {
  std::vector<std::string> rows;
  if (fileName.isEmpty()) return rows;
  QFile file(fileName);
  if (!file.open(QIODevice::ReadOnly)) return rows;
  for (const QByteArray& line : file.readAll().split('\n')) {
    int equals = line.indexOf('=');
    if (equals > 0 && line.left(equals).trimmed().toUpper() == "VERSION") {
      rows.push_back(line.mid(equals + 1).trimmed().toStdString());
    }
  }
  return rows;
}

}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  QCommandLineParser parser;
  parser.setApplicationDescription("A small download site for PadFlasher's tests and demo.");
  parser.addHelpOption();
  parser.addOptions({
      {"folder", "Folder to serve (default: the current folder).", "DIR", "."},
      {"port", "Port on 127.0.0.1 (default: a free one).", "PORT", "0"},
      {"user", "Require Basic authentication with this user name.", "USER"},
      {"password", "Password for --user.", "PASSWORD"},
      {"fault",
       "Misbehave: 404, 500, unauthorised, truncate, slow, close, silent, endless, huge, "
       "badencoding, bomb or redirect.",
       "FAULT"},
      {"redirect", "With --fault redirect: the address to send the client to.", "URL"},
      {"fault-path", "Apply --fault only to this path (e.g. /DEMO200.bin).", "PATH"},
      {"slow-pace", "With --fault slow: BYTES per piece and MS between pieces (default 512:20).",
       "BYTES:MS"},
      {"make-demo", "Fill DIR with the demo site and exit.", "DIR"},
      {"keep-versions", "With --make-demo: also list the rows of this versions file.", "FILE"},
  });
  parser.process(app);

  if (parser.isSet("make-demo")) {
    bool made = MakeDemoSite(parser.value("make-demo"), VersionRows(parser.value("keep-versions")));
    if (!made)
      std::fprintf(stderr, "testsite: cannot fill %s\n", qPrintable(parser.value("make-demo")));
    return made ? 0 : 1;
  }

  TestSite site(parser.value("folder"));
  if (parser.isSet("user") || parser.isSet("password")) {
    site.SetCredentials(parser.value("user").toStdString(), parser.value("password").toStdString());
  }
  if (parser.isSet("fault")) {
    SiteFault fault;
    if (!ParseSiteFault(parser.value("fault"), fault)) {
      std::fprintf(stderr, "testsite: unknown fault '%s'\n", qPrintable(parser.value("fault")));
      return 2;
    }
    site.SetFault(fault, parser.value("fault-path").toStdString());
    site.SetRedirect(parser.value("redirect").toStdString());
  }
  if (parser.isSet("slow-pace")) {
    const QStringList pace = parser.value("slow-pace").split(':');
    bool bytesOk = false, msOk = false;
    const int bytes = pace.value(0).toInt(&bytesOk), ms = pace.value(1).toInt(&msOk);
    if (pace.size() != 2 || !bytesOk || !msOk || bytes < 1 || ms < 0) {
      std::fprintf(stderr, "testsite: --slow-pace takes BYTES:MS, not '%s'\n",
                   qPrintable(parser.value("slow-pace")));
      return 2;
    }
    site.SetSlowPace(bytes, ms);
  }
  bool portOk = false;
  int port = parser.value("port").toInt(&portOk);
  if (!portOk || port < 0 || port > 65535 || !site.Listen(static_cast<quint16>(port))) {
    std::fprintf(stderr, "testsite: cannot listen on 127.0.0.1:%s\n",
                 qPrintable(parser.value("port")));
    return 1;
  }
  std::printf("%u\n", site.Port());
  std::fflush(stdout);
  return app.exec();
}
