#include "webupdate/HTTPClass.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>
#include <QTimer>
#include <QUrl>

#include "base/DebugLog.h"
#include "base/LogMasking.h"
#include "base/TextUtil.h"
#include "startup/Startup.h"
#include "webupdate/SiteTls.h"
#include "webupdate/WebTexts.h"

namespace {

constexpr int kChunk = 1024;
// What the debug log keeps of a reply: enough to see what came, not a whole catalogue.
constexpr size_t kMaxLoggedBody = 4096;

bool IsSafeChar(unsigned char c) {
  return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

// "host:port" -> host and port; anything else leaves both as given.
void SplitHostPort(const std::string& server, std::string& host, int& port) {
  host = server;
  auto colon = server.rfind(':');
  if (colon == std::string::npos || colon + 1 >= server.size()) return;
  std::string digits = server.substr(colon + 1);
  if (digits.find_first_not_of("0123456789") != std::string::npos || digits.size() > 5) return;
  host = server.substr(0, colon);
  port = std::stoi(digits);
}

constexpr int kWatchMs = 100;
constexpr int kMaxRedirects = 5;
// Qt stops reading the socket while this much waits unread, so a flood stays outside memory.
constexpr qint64 kReadBuffer = 64 * 1024;

// Errors that mean the server never answered with a status line.
bool NoResponse(QNetworkReply* reply) {
  return !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

// Qt turns an error status (404, 500, ...) into an error code of its own; such a reply still
// arrived whole. Any other error after the status line (a reset connection, a failed
// decompression, a refused redirect) means the body is not what the site meant to send.
bool IsStatusError(QNetworkReply* reply) {
  const int status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
  const QNetworkReply::NetworkError e = reply->error();
  return status >= 400 &&
         (e == QNetworkReply::ProxyAuthenticationRequiredError ||
          (e >= QNetworkReply::ContentAccessDenied && e <= QNetworkReply::UnknownContentError) ||
          e == QNetworkReply::ProtocolInvalidOperationError ||
          (e >= QNetworkReply::InternalServerError && e <= QNetworkReply::UnknownServerError));
}

std::string ErrorAfterStatus(QNetworkReply* reply, qint64 received) {
  return "the transfer broke off after " + std::to_string(received) + " bytes (" +
         reply->errorString().toStdString() + ")";
}

// A redirect that is not followed: the credentials never go to another server, and a loop on
// the site itself ends.
bool RedirectProblem(QNetworkReply* reply, int limit, std::string& why) {
  if (reply->error() == QNetworkReply::InsecureRedirectError) {
    why = "the site redirected to another server";
  } else if (reply->error() == QNetworkReply::TooManyRedirectsError) {
    why = "the site redirected more than " + std::to_string(limit) + " times (a redirect loop)";
  } else {
    return false;
  }
  return true;
}

// Why no status line came, in the words a user looks for; unexpected when something came that
// is not HTTP.
std::string ConnectionProblem(QNetworkReply* reply, const std::string& host, int port,
                              int timeoutMs, bool& unexpected) {
  unexpected = false;
  switch (reply->error()) {
    case QNetworkReply::HostNotFoundError:
      return "host not found: " + host;
    case QNetworkReply::ConnectionRefusedError:
      return "connection refused by " + host + ":" + std::to_string(port);
    case QNetworkReply::TimeoutError:
    case QNetworkReply::OperationCanceledError:
      return "no answer within " + std::to_string(timeoutMs / 1000) + " s";
    // Qt reports a reply that is not HTTP (a stray byte before the status line) as a closed
    // connection, the same as a site that closes without a word: the connection was made, so
    // this is never "cannot connect".
    case QNetworkReply::RemoteHostClosedError:
    case QNetworkReply::ProtocolFailure:
      unexpected = true;
      return "the site answered with something unexpected or nothing at all, not an HTTP reply";
    default:
      return reply->errorString().toStdString();
  }
}

}  // namespace

std::string HTTPClass::StatusDescription() const {
  const std::string phrase = EscapedForDisplay(TrimSpaces(statusPhrase_.substr(0, 80)));
  return "status " + std::to_string(status_) + (phrase.empty() ? "" : " (" + phrase + ")");
}

HTTPClass::HTTPClass(IHost& host, QObject* parent) : QObject(parent), host_(host) {}

HTTPClass::~HTTPClass() {
  CloseHTTP();
}

int HTTPClass::FindField(const std::string& name, bool add) {
  for (size_t i = 0; i < fields_.size(); ++i) {
    if (EqualsNoCaseAscii(fields_[i].first, name)) return static_cast<int>(i);
  }
  if (!add) return -1;
  fields_.emplace_back(name, "");
  return static_cast<int>(fields_.size()) - 1;
}

void HTTPClass::Fields(const std::string& name, const std::string& value) {
  fields_[FindField(name, true)].second = value;
}

std::string HTTPClass::Fields(const std::string& name) const {
  for (const auto& [key, value] : fields_) {
    if (EqualsNoCaseAscii(key, name)) return value;
  }
  return "";
}

std::string HTTPClass::URLEncode(const std::string& text) {
  static const char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : text) {
    if (IsSafeChar(c)) {
      out += static_cast<char>(c);
    } else {
      out += '%';
      out += kHex[c >> 4];
      out += kHex[c & 0xF];
    }
  }
  return out;
}

std::string HTTPClass::BuildQueryString() const {
  std::string query;
  for (const auto& [name, value] : fields_) {
    if (!query.empty()) query += '&';
    query += URLEncode(name) + "=" + URLEncode(value);
  }
  return query;
}

void HTTPClass::UseHttps(const std::string& caFile) {
  scheme_ = "https";
  caFile_ = caFile;
}

bool HTTPClass::OpenHTTP(const std::string& server, int port, const std::string& user,
                         const std::string& password) {
  DebugLog("OpenHTTP: " + server + ", " + user + ", " + MaskedPassword(password));
  CloseHTTP();
  SplitHostPort(server, host_name_, port);
  if (host_name_.empty() || port <= 0 || port > 65535) return false;
  port_ = port;
  user_ = user;
  password_ = password;
  manager_ = new QNetworkAccessManager(this);
  return true;
}

void HTTPClass::SetPace(int bytesPerSecond, int graceMs, int deadlineMs) {
  minBytesPerSecond_ = bytesPerSecond;
  graceMs_ = graceMs;
  deadlineMs_ = deadlineMs;
}

void HTTPClass::CloseHTTP() {
  delete manager_;
  manager_ = nullptr;
}

void HTTPClass::ShowFailure(const HostMessage& message) {
  messageShown_ = true;
  host_.Message(message);
}

void HTTPClass::ReportFailure(Outcome outcome, bool text) {
  if (outcome == Outcome::ConnectFailed || outcome == Outcome::Incomplete) {
    ShowFailure(WebMessage(MessageKind::SiteUnreachable, {lastError_}, lastError_));
  } else if (outcome == Outcome::Insecure) {
    DebugLog("SendRequest: not secure: " + lastError_);
    ShowFailure(WebMessage(MessageKind::SiteInsecure, {lastError_}, lastError_));
  } else if (text && (outcome == Outcome::Refused || outcome == Outcome::TooLarge ||
                      outcome == Outcome::Unexpected)) {
    ShowFailure(WebMessage(MessageKind::SiteRefused, {lastError_}, lastError_));
  }
}

// Hands the reply on in chunks of 1024 bytes as they complete (the rest only at the end), so
// the progress figures do not depend on how the network happened to split the data.
void HTTPClass::ReadChunks(QNetworkReply* reply, QByteArray& body, bool toEnd) {
  while (reply->bytesAvailable() >= kChunk || (toEnd && reply->bytesAvailable() > 0)) {
    body += reply->read(kChunk);
    emit Progress(static_cast<int>(body.size()));
  }
}

HTTPClass::Outcome HTTPClass::Transfer(const std::string& path, const std::string& verb,
                                       bool reload, QByteArray& body) {
  status_ = 0;
  statusPhrase_.clear();
  messageShown_ = false;
  lastError_.clear();
  outcome_ = Outcome::NoRequest;
  if (!manager_) {
    lastError_ = "no connection is open";
    return Outcome::NoRequest;
  }
  std::string method = UpperAscii(verb);
  std::string query = BuildQueryString();
  QByteArray payload;
  QUrl url;
  url.setScheme(QString::fromStdString(scheme_));
  url.setHost(QString::fromStdString(host_name_));
  url.setPort(port_);
  url.setPath(QString::fromLatin1(path.c_str(), static_cast<qsizetype>(path.size())),
              QUrl::DecodedMode);
  QNetworkRequest request;
  if (!query.empty()) {
    if (method == "POST") {
      request.setHeader(QNetworkRequest::ContentTypeHeader, "application/x-www-form-urlencoded");
      payload = QByteArray::fromStdString(query);
    } else {
      url.setQuery(QString::fromStdString(query), QUrl::StrictMode);
    }
  }
  if (!url.isValid()) {
    lastError_ = "invalid address";
    return Outcome::NoRequest;
  }
  request.setUrl(url);
  request.setRawHeader("User-Agent", "HTTP Client");
  // Bodies come as they are: a compressed one could unpack to any size before a limit sees it.
  request.setRawHeader("Accept-Encoding", "identity");
  if (reload) {
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
  }
  if (scheme_ == "https") {
    QSslConfiguration tls;
    if (!SiteTlsConfiguration(caFile_, tls, lastError_)) return outcome_ = Outcome::Insecure;
    request.setSslConfiguration(tls);
  }
  if (!user_.empty() || !password_.empty()) {
    // Sites rely on it, so it is sent; but the user should know, once a run.
    static bool warned = false;
    if (scheme_ != "https" && !warned) {
      warned = true;
      const HostMessage notice = WebMessage(MessageKind::PasswordInClear, {host_name_});
      DebugLog("SendRequest: " + EnglishMessageText(notice));
      host_.Notice(notice);
    }
    request.setRawHeader("Authorization",
                         "Basic " + QByteArray::fromStdString(user_ + ":" + password_).toBase64());
  }
  request.setTransferTimeout(transferTimeoutMs_);
  request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                       QNetworkRequest::SameOriginRedirectPolicy);
  request.setMaximumRedirectsAllowed(kMaxRedirects);

  QNetworkReply* reply =
      manager_->sendCustomRequest(request, QByteArray::fromStdString(method), payload);
  reply->setReadBufferSize(kReadBuffer);
  Outcome stop = Outcome::Received;
  auto halt = [&](Outcome why, const std::string& text) {
    if (stop != Outcome::Received) return;
    stop = why;
    lastError_ = text;
    reply->abort();
  };
  auto tooLarge = [&](qint64 bytes) {
    halt(Outcome::TooLarge, "the site sends " + std::to_string(bytes) +
                                " bytes or more, not at most " + std::to_string(maxBytes_));
  };
  QEventLoop loop;
  // Never ignored: a certificate the trusted roots do not vouch for ends the transfer.
  std::string tlsProblem;
  connect(reply, &QNetworkReply::sslErrors, this,
          [&](const QList<QSslError>& errors) { tlsProblem = DescribeTlsErrors(errors); });
  QElapsedTimer clock;
  clock.start();
  QTimer watch;
  watch.setInterval(kWatchMs);
  connect(reply, &QNetworkReply::metaDataChanged, this, [&] {
    const QByteArray encoding = reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
      halt(Outcome::Refused, "the site sent a body encoded as " + encoding.toStdString());
    QVariant announced = reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && announced.toLongLong() > maxBytes_) tooLarge(announced.toLongLong());
  });
  connect(reply, &QNetworkReply::readyRead, this, [&] {
    // Checked before the bytes are taken, so the body never grows past the limit.
    if (body.size() + reply->bytesAvailable() > maxBytes_) {
      tooLarge(body.size() + reply->bytesAvailable());
      return;
    }
    ReadChunks(reply, body, false);
  });
  connect(&watch, &QTimer::timeout, this, [&] {
    const qint64 ms = clock.elapsed();
    const qint64 received = body.size() + reply->bytesAvailable();
    if (host_.StopRequested()) {
      halt(Outcome::Stopped, "stopped by the user");
    } else if (ms > deadlineMs_) {
      halt(Outcome::Refused,
           "the transfer took longer than " + std::to_string(deadlineMs_ / 1000) + " s");
    } else if (ms > graceMs_ && received * 1000 < minBytesPerSecond_ * ms) {
      halt(Outcome::Refused,
           "the site sent fewer than " + std::to_string(minBytesPerSecond_) + " bytes per second");
    }
  });
  connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  watch.start();
  if (!reply->isFinished()) loop.exec();
  watch.stop();
  if (stop == Outcome::Received) ReadChunks(reply, body, true);
  emit Progress(static_cast<int>(body.size()));

  QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  status_ = status.isValid() ? status.toInt() : 0;
  statusPhrase_ =
      reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toByteArray().toStdString();
  QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  Outcome outcome = stop;
  if (outcome != Outcome::Received) {
    // lastError_ says why already.
  } else if (!tlsProblem.empty() || reply->error() == QNetworkReply::SslHandshakeFailedError) {
    lastError_ = tlsProblem.empty() ? reply->errorString().toStdString() : tlsProblem;
    outcome = Outcome::Insecure;
  } else if (scheme_ == "https" && reply->error() == QNetworkReply::InsecureRedirectError &&
             reply->rawHeader("Location").trimmed().toLower().startsWith("http:")) {
    lastError_ = "the site redirected from https to plain http, which is never followed";
    outcome = Outcome::Insecure;
  } else if (RedirectProblem(reply, kMaxRedirects, lastError_)) {
    outcome = Outcome::Refused;
  } else if (reply->error() != QNetworkReply::NoError && NoResponse(reply)) {
    bool unexpected = false;
    lastError_ = ConnectionProblem(reply, host_name_, port_, transferTimeoutMs_, unexpected);
    DebugLog("SendRequest: no reply (" + reply->errorString().toStdString() + ")");
    outcome = unexpected ? Outcome::Unexpected : Outcome::ConnectFailed;
  } else if (reply->error() != QNetworkReply::NoError && !IsStatusError(reply)) {
    lastError_ = ErrorAfterStatus(reply, body.size());
    outcome = Outcome::Incomplete;
  } else if (length.isValid() && length.toLongLong() != body.size()) {
    lastError_ = "the transfer broke off after " + std::to_string(body.size()) + " bytes";
    outcome = Outcome::Incomplete;
  } else if (body.size() > maxBytes_) {
    tooLarge(body.size());
    outcome = Outcome::TooLarge;
  }
  if (outcome != Outcome::Received) body.clear();
  outcome_ = outcome;
  reply->disconnect(this);
  reply->deleteLater();
  return outcome;
}

std::string HTTPClass::SendRequest(const std::string& path, const std::string& verb, bool reload) {
  DebugLog("SendRequest: " + path);
  QByteArray body;
  Outcome outcome = Transfer(path, verb, reload, body);
  ReportFailure(outcome, true);
  std::string reply;
  if (outcome == Outcome::Received) {
    reply = body.toStdString();
  }
  // The site's bytes, which may hold terminal escapes, and a catalogue, which may be long.
  DebugLog("SendRequest Response: " + EscapedForDisplay(reply.substr(0, kMaxLoggedBody)) +
           (reply.size() > kMaxLoggedBody
                ? " ... (" + std::to_string(reply.size()) + " bytes in all)"
                : ""));
  std::string upper = UpperAscii(reply);
  if (upper.find("<HTML>") != std::string::npos &&
      upper.find("UNAUTHORISED") != std::string::npos) {
    ShowFailure(WebMessage(MessageKind::SiteUnauthorised));
    return "";
  }
  return reply;
}

QByteArray HTTPClass::SendRequestBinary(const std::string& path, const std::string& verb,
                                        bool reload) {
  DebugLog("SendRequestBinary: " + path);
  QByteArray body;
  Outcome outcome = Transfer(path, verb, reload, body);
  ReportFailure(outcome, false);
  if (outcome != Outcome::Received) {
    DebugLog("SendRequestBinary: " + lastError_ + ", nothing received");
    return {};
  }
  if (outcome == Outcome::Received && (status_ < 200 || status_ > 299)) {
    lastError_ = "the site answered with " + StatusDescription();
    DebugLog("SendRequestBinary: " + lastError_ + ", nothing received");
    return {};
  }
  return body;
}
