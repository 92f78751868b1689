#pragma once
// Runs padflasher-cli and hcsim as a user would: a program folder in a temporary directory,
// a simulated hand control on a real pseudo-terminal linked as ports/COM1, and the CLI as a
// subprocess.
#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <initializer_list>
#include <memory>
#include <vector>

#include "TestImage.h"

// A 262144-byte firmware image: 0xFF except the given blocks (pseudo-random data from seed),
// with the signature and the identification code in place.
QByteArray MakeImage(std::initializer_list<int> fileBlocks, uint16_t code, unsigned seed = 1);
// Blocks are counted over the whole file here: bank 1 block 400 is 512 + 400.
QByteArray MakeImageOfBlocks(const std::vector<int>& fileBlocks, uint16_t code, unsigned seed);

struct CliResult {
  int exitCode = -1;
  QString out;
  QString err;
};

// Both streams, for a failed assertion's message.
QString Explain(const CliResult& r);

class CliFixture {
 public:
  CliFixture();
  ~CliFixture();

  QString Dir() const { return dir_.path(); }
  QString Path(const QString& name) const { return dir_.filePath(name); }
  void WriteFile(const QString& name, const QByteArray& data) const;
  QByteArray ReadFile(const QString& name) const;
  // PadFlasher.ver listing one code.
  void ListVersion(const QString& code, const QString& type, int major, int minor) const;

  // Starts hcsim on ports/COM1 with the flash file "flash.bin" of the folder (written by
  // MakeFlash beforehand when wanted), unpaced unless baud is given.
  void StartSim(const QStringList& extra = {}, int baud = 0);
  // Starts one more hcsim, on ports/COM name with the folder's file flashFile as its flash.
  void StartSimAt(const QString& com, const QString& flashFile, const QStringList& extra = {},
                  int baud = 0);
  // Starts hcsim on ports/COM1 answering from a recorded session (--replay), unpaced.
  void StartReplay(const QString& trace);
  // Ends every hcsim cleanly so that each writes its flash back; returns what they logged
  // (--verbose).
  QString StopSim();
  QByteArray SimFlash() const { return ReadFile("flash.bin"); }

  // Runs padflasher-cli in the program folder with the given arguments; no terminal.
  CliResult Run(const QStringList& args, const QString& workDir = {});
  // Runs padflasher-cli as Run does, and presses Ctrl+C (SIGINT) once its error output shows
  // `shown`; a failure when it ended before that.
  CliResult Interrupt(const QStringList& args, const QString& shown);
  // The same, once its error output matches every one of the patterns (regular expressions).
  CliResult InterruptWhenAll(const QStringList& args, const QStringList& patterns);

 private:
  void LaunchSim(const QString& com, const QStringList& args);

  QTemporaryDir dir_;
  std::vector<std::unique_ptr<QProcess>> sims_;
};

QString BinPath(const QString& program);
