#pragma once
// A small download site for tests and the demo: serves one folder over HTTP/1.1 on 127.0.0.1,
// plain or over TLS, optionally behind Basic authentication, and misbehaves on request the ways
// real sites do.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <map>
#include <string>
#include <vector>

class QTcpServer;
class QTcpSocket;

enum class SiteFault {
  None,
  NotFound,      // 404 with an HTML error page
  ServerError,   // 500 with an HTML error page
  Unauthorised,  // 200 with an HTML page that says the user is unauthorised
  Truncated,     // announces the full length, sends half, closes
  Slow,          // sends the body in small pieces with pauses between them
  CloseEarly,    // closes the connection without answering
  Silent,        // reads the request and never answers
  Endless,       // a 200 reply without length whose body never ends
  HugeLength,    // announces 10 GB and sends without end
  BadEncoding,   // claims a deflate-compressed body that does not decompress
  Bomb,          // a small deflate body that decompresses to 32 MB
  Redirect,      // 302 to the address given by SetRedirect
  NoContent,     // 204 without a body
  StrayByte,     // the file's reply with one byte before the status line
};

// "404", "500", "unauthorised", "truncate", "slow", "close", "silent", "endless", "huge",
// "badencoding", "bomb", "redirect", "204", "straybyte"; false for anything else.
bool ParseSiteFault(const QString& name, SiteFault& fault);

struct SiteRequest {
  std::string Method;
  std::string Target;                          // path and query as sent
  std::map<std::string, std::string> Headers;  // names in lower case
  std::string Body;
};

class TestSite : public QObject {
  Q_OBJECT

 public:
  explicit TestSite(const QString& folder, QObject* parent = nullptr);
  ~TestSite() override;

  // Serve https with this certificate (PEM, may be followed by its chain) and private key. Before
  // Listen; false when either cannot be read.
  bool UseTls(const QString& certificateFile, const QString& keyFile);
  // port 0 picks a free one.
  bool Listen(quint16 port = 0);
  quint16 Port() const;

  void SetCredentials(const std::string& user, const std::string& password);
  // The fault applies to requests whose path (without query) equals path; to all when empty.
  void SetFault(SiteFault fault, const std::string& path = "");
  // Pace of the Slow fault.
  void SetSlowPace(int bytesPerPiece, int msBetweenPieces);
  // Where the Redirect fault sends the client (a full http:// address).
  void SetRedirect(const std::string& location) { redirect_ = location; }

  const std::vector<SiteRequest>& Requests() const { return requests_; }

 private:
  void OnNewConnection();
  void OnReadyRead(QTcpSocket* socket);
  void Answer(QTcpSocket* socket, const SiteRequest& request);
  void Send(QTcpSocket* socket, int status, const QByteArray& body, const char* type);
  void SendSlowly(QTcpSocket* socket, QByteArray rest);
  // Keeps the socket's send queue filled until the client goes away.
  void SendForever(QTcpSocket* socket);
  // Answers for the faults that need no file; false when the fault is not one of them.
  bool AnswerHostile(QTcpSocket* socket);

  QString folder_;
  QTcpServer* server_;
  std::string user_, password_;
  SiteFault fault_ = SiteFault::None;
  std::string faultPath_;
  int slowPiece_ = 512, slowPauseMs_ = 20;
  std::string redirect_;
  std::map<QTcpSocket*, QByteArray> buffers_;
  std::vector<SiteRequest> requests_;
};

// Fills folder with a demo site: a catalogue "catalogue.txt" offering one firmware image with
// its description and one newer program file. extraVersions holds "Version" values
// (Status,Type,Code,Major,Minor) to list as well, so a demo's own image stays known.
bool MakeDemoSite(const QString& folder, const std::vector<std::string>& extraVersions);

// Fills folder with a test CA and certificates signed by it, made with the openssl command:
// ca.pem (the CA, for CAFILE), server.pem/.key (for 127.0.0.1 and localhost), wrong-host.pem/.key
// (for elsewhere.example only) and expired.pem/.key (for 127.0.0.1, no longer valid). error says
// what failed.
bool MakeTestCertificates(const QString& folder, QString& error);
