#include "Report.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <cstdio>

#include "Commands.h"
#include "Console.h"
#include "Session.h"
#include "programmer/Link.h"
#include "startup/Versions.h"

namespace {

bool gJsonWanted = false;
QJsonObject gFields;
QString gLastError;

}  // namespace

void SetJsonWanted(bool wanted) {
  gJsonWanted = wanted;
}

bool JsonWanted() {
  return gJsonWanted;
}

void ReportField(const QString& key, const QJsonValue& value) {
  gFields.insert(key, value);
}

void ClearReportFields() {
  gFields = {};
}

QJsonValue FirmwareJson(bool listed, const std::string& type, int16_t major, int16_t minor) {
  if (gHcChecksum.empty()) return QJsonValue::Null;
  QJsonObject firmware{{"code", QString::fromStdString(gHcChecksum)}};
  firmware.insert("type", listed ? QJsonValue(QString::fromStdString(type)) : QJsonValue::Null);
  firmware.insert("version", listed ? QJsonValue(QString::fromStdString(VersionText(major, minor)))
                                    : QJsonValue::Null);
  return firmware;
}

void NoteError(const QString& message) {
  gLastError = message;
}

void PrintReport(const QString& command, int exitCode, double seconds) {
  if (!gJsonWanted) return;
  QJsonObject document = gFields;
  document.insert("command", command);
  document.insert("result", exitCode == kExitOk ? "ok" : ExitMeaning(exitCode));
  document.insert("exit_code", exitCode);
  document.insert("exit_meaning", ExitMeaning(exitCode));
  // A failure says why: the last error printed, else the operation's last message.
  QString message = gLastError;
  if (message.isEmpty() && exitCode != kExitOk)
    message = QString::fromStdString(ConsoleHostInstance().LastMessage());
  document.insert("message", message.isEmpty() ? QJsonValue::Null : QJsonValue(message));
  document.insert("seconds", static_cast<double>(qRound64(seconds * 1000)) / 1000);
  const LineCounts counts = SerialLineCounts();
  document.insert("bytes_sent", static_cast<qint64>(counts.sent));
  document.insert("bytes_received", static_cast<qint64>(counts.received));
  // A verification lists the blocks that differ, also when there are none.
  if (document.contains("differences")) {
    QJsonArray differences;
    for (const auto& [bank, block] : ConsoleHostInstance().Differences())
      differences.append(QJsonObject{{"bank", bank}, {"block", block}});
    document.insert("differences", differences);
  }
  std::fputs(QJsonDocument(document).toJson(QJsonDocument::Indented).constData(), stdout);
  std::fflush(stdout);
}
