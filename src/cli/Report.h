#pragma once
// --json: what a command found, gathered while it runs and printed as one JSON document on
// stdout when it ends.
#include <QJsonObject>
#include <QString>
#include <cstdint>
#include <string>

void SetJsonWanted(bool wanted);
bool JsonWanted();

// Fields of the document; a command sets what it knows.
void ReportField(const QString& key, const QJsonValue& value);
// Forgets every field reported so far: a run over several ports reports only their documents.
void ClearReportFields();
// The hand control's firmware as last queried (gHcChecksum and the versions table), or null.
QJsonValue FirmwareJson(bool listed, const std::string& type, int16_t major, int16_t minor);
// Every message printed as an error; the document carries the last one.
void NoteError(const QString& message);

// The document: command, result, exit code and its meaning, message, seconds, the serial
// statistics and every field reported; with a "differences" field, the blocks the console host
// was told differ. Printed only when JSON is wanted.
void PrintReport(const QString& command, int exitCode, double seconds);
