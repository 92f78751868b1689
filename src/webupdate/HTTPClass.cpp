#include "webupdate/HTTPClass.h"

#include <QEventLoop>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QUrl>

#include "base/DebugLog.h"
#include "base/LogMasking.h"
#include "base/TextUtil.h"
#include "startup/Startup.h"

namespace {

constexpr int kChunk = 1024;

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

// Errors that mean the server never answered with a status line.
bool NoResponse(QNetworkReply* reply) {
  return !reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid();
}

}  // namespace

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

void HTTPClass::CloseHTTP() {
  delete manager_;
  manager_ = nullptr;
}

void HTTPClass::ShowFailure(const std::string& secondLine) {
  messageShown_ = true;
  host_.Message("Unable to connect to the Corvane download site.\r\n" + secondLine +
                    "\r\nSee Help for more details.",
                gBaseName, MsgIcon::Warning, MsgButtons::Ok);
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
  messageShown_ = false;
  lastError_.clear();
  if (!manager_) {
    lastError_ = "no connection is open";
    return Outcome::NoRequest;
  }
  std::string method = UpperAscii(verb);
  std::string query = BuildQueryString();
  QByteArray payload;
  QUrl url;
  url.setScheme("http");
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
  if (reload) {
    request.setRawHeader("Cache-Control", "no-cache");
    request.setRawHeader("Pragma", "no-cache");
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
  }
  if (!user_.empty() || !password_.empty()) {
    request.setRawHeader("Authorization",
                         "Basic " + QByteArray::fromStdString(user_ + ":" + password_).toBase64());
  }
  request.setTransferTimeout(transferTimeoutMs_);

  QNetworkReply* reply =
      manager_->sendCustomRequest(request, QByteArray::fromStdString(method), payload);
  QEventLoop loop;
  connect(reply, &QNetworkReply::readyRead, this, [&] { ReadChunks(reply, body, false); });
  connect(reply, &QNetworkReply::finished, &loop, &QEventLoop::quit);
  if (!reply->isFinished()) loop.exec();
  ReadChunks(reply, body, true);
  emit Progress(static_cast<int>(body.size()));

  QVariant status = reply->attribute(QNetworkRequest::HttpStatusCodeAttribute);
  status_ = status.isValid() ? status.toInt() : 0;
  QVariant length = reply->header(QNetworkRequest::ContentLengthHeader);
  Outcome outcome = Outcome::Received;
  if (reply->error() != QNetworkReply::NoError && NoResponse(reply)) {
    lastError_ = reply->errorString().toStdString();
    outcome = Outcome::ConnectFailed;
  } else if ((length.isValid() && length.toLongLong() != body.size()) ||
             (reply->error() != QNetworkReply::NoError &&
              reply->error() < QNetworkReply::ContentAccessDenied)) {
    // A transport error after the status line, or fewer bytes than announced: cut off.
    lastError_ = "the transfer broke off after " + std::to_string(body.size()) + " bytes";
    outcome = Outcome::Incomplete;
  }
  reply->disconnect(this);
  reply->deleteLater();
  return outcome;
}

std::string HTTPClass::SendRequest(const std::string& path, const std::string& verb, bool reload) {
  DebugLog("SendRequest: " + path);
  QByteArray body;
  Outcome outcome = Transfer(path, verb, reload, body);
  std::string reply;
  if (outcome == Outcome::ConnectFailed || outcome == Outcome::Incomplete) {
    ShowFailure("Check your Internet connection and firewall settings.");
  } else if (outcome == Outcome::Received) {
    reply = body.toStdString();
  }
  DebugLog("SendRequest Response: " + reply);
  std::string upper = UpperAscii(reply);
  if (upper.find("<HTML>") != std::string::npos &&
      upper.find("UNAUTHORISED") != std::string::npos) {
    ShowFailure("User is Unauthorised!");
    return "";
  }
  return reply;
}

QByteArray HTTPClass::SendRequestBinary(const std::string& path, const std::string& verb,
                                        bool reload) {
  DebugLog("SendRequestBinary: " + path);
  QByteArray body;
  Outcome outcome = Transfer(path, verb, reload, body);
  if (outcome == Outcome::ConnectFailed || outcome == Outcome::Incomplete) {
    ShowFailure("Check your Internet connection and firewall settings.");
    DebugLog("SendRequestBinary: " + lastError_ + ", nothing received");
    return {};
  }
  if (outcome == Outcome::Received && (status_ < 200 || status_ > 299)) {
    lastError_ = "the site answered with status " + std::to_string(status_);
    DebugLog("SendRequestBinary: " + lastError_ + ", nothing received");
    return {};
  }
  return body;
}
