#pragma once
// An installation as a user gets it: `cmake --install` into a temporary DESTDIR once per test
// suite, a temporary HOME with no XDG variables for the programs run from it, and a check after
// every test that nothing below the prefix changed.
#include <gtest/gtest.h>

#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>
#include <map>
#include <memory>

inline const QString kAppId = "org.example.PadFlasher";

// A file's text; empty when it cannot be read.
QString Read(const QString& path);
// Ends a process that still runs.
void Stop(QProcess& process);

class InstallTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite();
  static void TearDownTestSuite();
  void SetUp() override;
  void TearDown() override;

  static QString Prefix();
  static QString Bin(const QString& program);
  QString Home(const QString& relative) const { return home_.filePath(relative); }

  // Starts the installed simulator on link; false when it does not publish its port.
  bool StartSimulator(const QString& link);
  // Runs an installed program in the work folder; its exit code, -1 when it did not end.
  int Run(const QString& program, const QStringList& args, QString* out = nullptr,
          QString* err = nullptr);

  static inline std::unique_ptr<QTemporaryDir> root_;
  static inline bool installed_ = false;
  static inline QByteArray installLog_;
  QTemporaryDir home_, work_;
  QProcessEnvironment env_ = QProcessEnvironment::systemEnvironment();
  QProcess sim_;
  QString pty_;
  std::map<QString, QString> before_;
};
