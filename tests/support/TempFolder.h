#pragma once
// What every fixture shares below the link: a temporary folder made current, the debug log
// captured, and the log's state reset so that no test sees what another one left.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Names of the entries of a folder, sorted, "." and ".." left out.
QStringList FolderEntries(const std::string& folder);

// The debug log closed, switched off, in the current folder and on the real clock: the state a
// test starts from and leaves behind.
void ResetDebugLog();

// Makes a folder (a fresh temporary one unless given) the current directory while it lives;
// relative names, the debug log among them, land there.
class CurrentFolder {
 public:
  CurrentFolder();
  explicit CurrentFolder(const QString& folder);
  ~CurrentFolder();
  CurrentFolder(const CurrentFolder&) = delete;
  CurrentFolder& operator=(const CurrentFolder&) = delete;
  const QString& Path() const { return path_; }
  QString FilePath(const QString& name) const { return path_ + "/" + name; }

 private:
  std::unique_ptr<QTemporaryDir> temp_;
  QString path_;
  QString previous_;
};

// The debug log lines written while the object lives, in a folder of their own unless one is
// given; the log is reset again when it goes.
class CapturedLog {
 public:
  CapturedLog();
  explicit CapturedLog(const QString& folder);
  ~CapturedLog();
  // The messages of the lines so far, without their time stamps.
  std::vector<std::string> Messages() const;
  // The log file as written so far.
  QByteArray Bytes() const;

 private:
  CurrentFolder folder_;
};

// Every test runs in a fresh temporary folder that is also the current directory, with the
// debug log reset before and after.
class TempFolderTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Full name of a file in the temporary folder.
  std::string Path(const std::string& name) const;
  std::string Folder() const { return folder_->Path().toStdString(); }
  const QString& FolderPath() const { return folder_->Path(); }
  QString FilePath(const QString& name) const { return folder_->FilePath(name); }

 private:
  std::unique_ptr<CurrentFolder> folder_;
};
