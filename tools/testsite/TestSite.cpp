#include "TestSite.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPointer>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QSslKey>
#include <QSslServer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrl>

namespace {

const char* ReasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 401:
      return "Unauthorized";
    case 404:
      return "Not Found";
    case 302:
      return "Found";
    default:
      return "Internal Server Error";
  }
}

QByteArray HtmlPage(const QByteArray& text) {
  return "<html><head><title>" + text + "</title></head><body><p>" + text + "</p></body></html>";
}

// Parses one complete request from buffer; false while more bytes are needed.
bool TakeRequest(QByteArray& buffer, SiteRequest& request) {
  int end = buffer.indexOf("\r\n\r\n");
  if (end < 0) return false;
  QList<QByteArray> lines = buffer.left(end).split('\n');
  QList<QByteArray> first = lines.value(0).trimmed().split(' ');
  request.Method = first.value(0).toStdString();
  request.Target = first.value(1).toStdString();
  for (int i = 1; i < lines.size(); ++i) {
    int colon = lines[i].indexOf(':');
    if (colon < 0) continue;
    request.Headers[lines[i].left(colon).trimmed().toLower().toStdString()] =
        lines[i].mid(colon + 1).trimmed().toStdString();
  }
  qsizetype length = 0;
  if (auto it = request.Headers.find("content-length"); it != request.Headers.end()) {
    length = std::stoll(it->second);
  }
  if (buffer.size() < end + 4 + length) return false;
  request.Body = buffer.mid(end + 4, length).toStdString();
  buffer.remove(0, end + 4 + length);
  return true;
}

}  // namespace

bool ParseSiteFault(const QString& name, SiteFault& fault) {
  static const std::map<QString, SiteFault> kNames = {{"none", SiteFault::None},
                                                      {"404", SiteFault::NotFound},
                                                      {"500", SiteFault::ServerError},
                                                      {"unauthorised", SiteFault::Unauthorised},
                                                      {"truncate", SiteFault::Truncated},
                                                      {"slow", SiteFault::Slow},
                                                      {"close", SiteFault::CloseEarly},
                                                      {"silent", SiteFault::Silent},
                                                      {"endless", SiteFault::Endless},
                                                      {"huge", SiteFault::HugeLength},
                                                      {"badencoding", SiteFault::BadEncoding},
                                                      {"bomb", SiteFault::Bomb},
                                                      {"redirect", SiteFault::Redirect},
                                                      {"204", SiteFault::NoContent},
                                                      {"straybyte", SiteFault::StrayByte}};
  auto it = kNames.find(name.toLower());
  if (it == kNames.end()) return false;
  fault = it->second;
  return true;
}

TestSite::TestSite(const QString& folder, QObject* parent)
    : QObject(parent), folder_(folder), server_(new QTcpServer(this)) {
  connect(server_, &QTcpServer::pendingConnectionAvailable, this, &TestSite::OnNewConnection);
}

bool TestSite::UseTls(const QString& certificateFile, const QString& keyFile) {
  QList<QSslCertificate> chain = QSslCertificate::fromPath(certificateFile, QSsl::Pem);
  QFile keyText(keyFile);
  if (chain.isEmpty() || !keyText.open(QIODevice::ReadOnly)) return false;
  QSslKey key(&keyText, QSsl::Ec);
  if (key.isNull()) {
    keyText.seek(0);
    key = QSslKey(&keyText, QSsl::Rsa);
  }
  if (key.isNull()) return false;
  QSslConfiguration configuration = QSslConfiguration::defaultConfiguration();
  configuration.setLocalCertificateChain(chain);
  configuration.setPrivateKey(key);
  configuration.setPeerVerifyMode(QSslSocket::VerifyNone);
  auto* tls = new QSslServer(this);
  tls->setSslConfiguration(configuration);
  delete server_;
  server_ = tls;
  // A client that rejects the certificate leaves a half-made connection behind: drop it.
  connect(tls, &QSslServer::errorOccurred, this,
          [](QSslSocket* socket, QAbstractSocket::SocketError) { socket->deleteLater(); });
  connect(server_, &QTcpServer::pendingConnectionAvailable, this, &TestSite::OnNewConnection);
  return true;
}

TestSite::~TestSite() = default;

bool TestSite::Listen(quint16 port) {
  return server_->listen(QHostAddress::LocalHost, port);
}

quint16 TestSite::Port() const {
  return server_->serverPort();
}

void TestSite::SetCredentials(const std::string& user, const std::string& password) {
  user_ = user;
  password_ = password;
}

void TestSite::SetFault(SiteFault fault, const std::string& path) {
  fault_ = fault;
  faultPath_ = path;
}

void TestSite::SetSlowPace(int bytesPerPiece, int msBetweenPieces) {
  slowPiece_ = std::max(1, bytesPerPiece);
  slowPauseMs_ = std::max(0, msBetweenPieces);
}

void TestSite::OnNewConnection() {
  while (QTcpSocket* socket = server_->nextPendingConnection()) {
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { OnReadyRead(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
      buffers_.erase(socket);
      socket->deleteLater();
    });
  }
}

void TestSite::OnReadyRead(QTcpSocket* socket) {
  QByteArray& buffer = buffers_[socket];
  buffer += socket->readAll();
  SiteRequest request;
  if (!TakeRequest(buffer, request)) return;
  requests_.push_back(request);
  Answer(socket, request);
}

void TestSite::Send(QTcpSocket* socket, int status, const QByteArray& body, const char* type) {
  QByteArray head = "HTTP/1.1 " + QByteArray::number(status) + " " + ReasonPhrase(status) +
                    "\r\nContent-Type: " + type +
                    "\r\nContent-Length: " + QByteArray::number(body.size()) +
                    "\r\nConnection: close\r\n\r\n";
  socket->write(head + body);
  socket->disconnectFromHost();
}

void TestSite::SendSlowly(QTcpSocket* socket, QByteArray rest) {
  QPointer<QTcpSocket> alive(socket);
  if (!alive) return;
  socket->write(rest.left(slowPiece_));
  rest.remove(0, std::min<qsizetype>(slowPiece_, rest.size()));
  if (rest.isEmpty()) {
    socket->disconnectFromHost();
    return;
  }
  QTimer::singleShot(slowPauseMs_, this, [this, alive, rest] {
    if (alive) SendSlowly(alive, rest);
  });
}

void TestSite::SendForever(QTcpSocket* socket) {
  static const QByteArray kBlock(64 * 1024, 'e');
  QPointer<QTcpSocket> alive(socket);
  auto refill = [alive] {
    if (alive && alive->state() == QAbstractSocket::ConnectedState &&
        alive->bytesToWrite() < 4 * kBlock.size())
      alive->write(kBlock);
  };
  connect(socket, &QTcpSocket::bytesWritten, this, refill);
  refill();
}

bool TestSite::AnswerHostile(QTcpSocket* socket) {
  const QByteArray ok = "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n";
  switch (fault_) {
    case SiteFault::Silent:
      return true;
    case SiteFault::Endless:
      socket->write(ok + "Connection: close\r\n\r\n");
      SendForever(socket);
      return true;
    case SiteFault::HugeLength:
      socket->write(ok + "Content-Length: 10000000000\r\nConnection: close\r\n\r\n");
      SendForever(socket);
      return true;
    case SiteFault::BadEncoding:
    case SiteFault::Bomb: {
      // qCompress gives a zlib stream behind a 4-byte length: the body of "deflate".
      QByteArray body = fault_ == SiteFault::Bomb
                            ? qCompress(QByteArray(32 * 1024 * 1024, '\0'), 9).mid(4)
                            : QByteArray(3000, 'z');
      socket->write(ok + "Content-Encoding: deflate\r\nContent-Length: " +
                    QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
      socket->disconnectFromHost();
      return true;
    }
    case SiteFault::NoContent:
      socket->write("HTTP/1.1 204 No Content\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
      return true;
    case SiteFault::Redirect:
      socket->write("HTTP/1.1 302 Found\r\nLocation: " + QByteArray::fromStdString(redirect_) +
                    "\r\nContent-Length: 0\r\nConnection: close\r\n\r\n");
      socket->disconnectFromHost();
      return true;
    default:
      return false;
  }
}

void TestSite::Answer(QTcpSocket* socket, const SiteRequest& request) {
  QString target = QString::fromStdString(request.Target);
  QString path = QUrl::fromPercentEncoding(target.section('?', 0, 0).toUtf8());
  bool faulty =
      fault_ != SiteFault::None && (faultPath_.empty() || faultPath_ == path.toStdString());
  if (faulty && fault_ == SiteFault::CloseEarly) {
    socket->abort();
    return;
  }
  if (!user_.empty() || !password_.empty()) {
    std::string expected =
        "Basic " + QByteArray::fromStdString(user_ + ":" + password_).toBase64().toStdString();
    auto it = request.Headers.find("authorization");
    if (it == request.Headers.end() || it->second != expected) {
      Send(socket, 401, HtmlPage("User unauthorised"), "text/html");
      return;
    }
  }
  if (faulty && AnswerHostile(socket)) return;
  if (faulty && fault_ == SiteFault::NotFound)
    return Send(socket, 404, HtmlPage("Not Found"), "text/html");
  if (faulty && fault_ == SiteFault::ServerError) {
    return Send(socket, 500, HtmlPage("Internal Server Error"), "text/html");
  }
  if (faulty && fault_ == SiteFault::Unauthorised) {
    return Send(socket, 200, HtmlPage("User unauthorised"), "text/html");
  }
  QFile file(QDir(folder_).filePath(path.mid(1)));
  bool inside = !path.split('/').contains("..");
  if (!inside || !QFileInfo(file).isFile() || !file.open(QIODevice::ReadOnly)) {
    return Send(socket, 404, HtmlPage("Not Found"), "text/html");
  }
  QByteArray body = file.readAll();
  if (faulty && (fault_ == SiteFault::Truncated || fault_ == SiteFault::Slow)) {
    QByteArray head =
        "HTTP/1.1 200 OK\r\nContent-Type: application/octet-stream\r\n"
        "Content-Length: " +
        QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n";
    socket->write(head);
    if (fault_ == SiteFault::Slow) return SendSlowly(socket, body);
    socket->write(body.left(body.size() / 2));
    socket->flush();
    socket->disconnectFromHost();
    return;
  }
  // A proxy or a broken server that puts a byte of its own before the reply.
  if (faulty && fault_ == SiteFault::StrayByte) socket->write(QByteArray(1, '\0'));
  Send(socket, 200, body, "application/octet-stream");
}
