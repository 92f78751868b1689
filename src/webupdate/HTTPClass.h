#pragma once
// The program's only network code: one connection to the download site, one request at a time,
// synchronous for the caller. While a transfer runs a local event loop keeps the window painting.
//
// The site is not trusted: a reply is held to a size limit before it is buffered, a transfer
// ends when it is too slow or takes too long, and redirects are followed only to the same
// scheme, host and port, so the credentials never travel to another server.
#include <QByteArray>
#include <QObject>
#include <string>
#include <utility>
#include <vector>

#include "base/Host.h"

class QNetworkAccessManager;
class QNetworkReply;

class HTTPClass : public QObject {
  Q_OBJECT

 public:
  // Messages (connection failure, unauthorised) go to host.
  explicit HTTPClass(IHost& host, QObject* parent = nullptr);
  ~HTTPClass() override;

  // Form fields: names compare without regard to case and keep their first spelling and place.
  void Fields(const std::string& name, const std::string& value);
  std::string Fields(const std::string& name) const;

  // Talk https from the next OpenHTTP on: the certificate must be vouched for by the system's
  // roots or by the PEM certificates of caFile (empty: none); a redirect to http is not followed.
  void UseHttps(const std::string& caFile);

  // server may be written "host:port"; that port then wins over the port argument.
  bool OpenHTTP(const std::string& server, int port, const std::string& user,
                const std::string& password);
  void CloseHTTP();

  // The reply as 8-bit text; "" on failure or when refused as unauthorised. Any status passes:
  // callers that care look at StatusCode().
  std::string SendRequest(const std::string& path, const std::string& verb, bool reload);
  // The reply bytes; empty when nothing arrived, when the status is not 2xx, or when the body
  // ends short of its announced length.
  QByteArray SendRequestBinary(const std::string& path, const std::string& verb, bool reload);

  static std::string URLEncode(const std::string& text);
  std::string BuildQueryString() const;

  // Refused: the reply broke a limit (pace, redirects, encoding); TooLarge: the size limit;
  // Stopped: the user asked to stop; Insecure: the TLS connection was refused (certificate,
  // handshake, CA file, redirect to http); Unexpected: what came back was not HTTP.
  enum class Outcome {
    NoRequest,
    ConnectFailed,
    Insecure,
    Unexpected,
    Incomplete,
    Refused,
    TooLarge,
    Stopped,
    Received
  };

  // About the last request: the HTTP status (0 when no reply came), whether a message box was
  // shown for it, and a short reason when it brought nothing usable.
  Outcome LastOutcome() const { return outcome_; }
  int StatusCode() const { return status_; }
  // "status 404 (Not Found)", the site's reason phrase escaped for display.
  std::string StatusDescription() const;
  bool MessageShown() const { return messageShown_; }
  const std::string& LastError() const { return lastError_; }

  // Longest silence during a transfer before it counts as broken.
  void SetTransferTimeout(int ms) { transferTimeoutMs_ = ms; }
  // Most bytes a reply may bring; a longer one (announced or sent) is refused as soon as it shows.
  void SetMaxBytes(qint64 bytes) { maxBytes_ = bytes; }
  // After graceMs a transfer must have averaged at least bytesPerSecond, and it never runs
  // longer than deadlineMs.
  void SetPace(int bytesPerSecond, int graceMs, int deadlineMs);

  static constexpr qint64 kMaxTextBytes = 4 * 1024 * 1024;

 signals:
  // Reply bytes received so far in the current request.
  void Progress(int bytes);

 private:
  Outcome Transfer(const std::string& path, const std::string& verb, bool reload, QByteArray& body);
  void ReadChunks(QNetworkReply* reply, QByteArray& body, bool toEnd);
  void ShowFailure(const HostMessage& message);
  // The message for a transfer that brought nothing, by outcome; a refused reply is reported
  // here only for text, the callers of the byte variant say why themselves.
  void ReportFailure(Outcome outcome, bool text);
  int FindField(const std::string& name, bool add);

  IHost& host_;
  QNetworkAccessManager* manager_ = nullptr;
  std::string scheme_ = "http";
  std::string caFile_;
  std::string host_name_;
  int port_ = 80;
  std::string user_, password_;
  std::vector<std::pair<std::string, std::string>> fields_;
  Outcome outcome_ = Outcome::NoRequest;
  int status_ = 0;
  std::string statusPhrase_;
  bool messageShown_ = false;
  std::string lastError_;
  int transferTimeoutMs_ = 30000;
  qint64 maxBytes_ = kMaxTextBytes;
  int minBytesPerSecond_ = 256;
  int graceMs_ = 20000;
  int deadlineMs_ = 10 * 60 * 1000;
};
