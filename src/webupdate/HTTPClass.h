#pragma once
// The program's only network code: one connection to the download site, one request at a time,
// synchronous for the caller. While a transfer runs a local event loop keeps the window painting.
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

  // About the last request: the HTTP status (0 when no reply came), whether a message box was
  // shown for it, and a short reason when it brought nothing usable.
  int StatusCode() const { return status_; }
  bool MessageShown() const { return messageShown_; }
  const std::string& LastError() const { return lastError_; }

  // Longest silence during a transfer before it counts as broken.
  void SetTransferTimeout(int ms) { transferTimeoutMs_ = ms; }

 signals:
  // Reply bytes received so far in the current request.
  void Progress(int bytes);

 private:
  enum class Outcome { NoRequest, ConnectFailed, Incomplete, Received };
  Outcome Transfer(const std::string& path, const std::string& verb, bool reload, QByteArray& body);
  void ReadChunks(QNetworkReply* reply, QByteArray& body, bool toEnd);
  void ShowFailure(const std::string& secondLine);
  int FindField(const std::string& name, bool add);

  IHost& host_;
  QNetworkAccessManager* manager_ = nullptr;
  std::string host_name_;
  int port_ = 80;
  std::string user_, password_;
  std::vector<std::pair<std::string, std::string>> fields_;
  int status_ = 0;
  bool messageShown_ = false;
  std::string lastError_;
  int transferTimeoutMs_ = 30000;
};
