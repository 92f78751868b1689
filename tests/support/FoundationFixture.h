#pragma once
// Shared by the foundation tests: every test runs in a fresh temporary folder that is also the
// current directory, with the debug log closed and the module state reset.
#include <gtest/gtest.h>
#include <QDir>
#include <QTemporaryDir>
#include <string>

std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);
// Names of the entries of a folder, sorted, "." and ".." left out.
QStringList FolderEntries(const std::string& folder);

class FoundationTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Full name of a file in the temporary folder.
  std::string Path(const std::string& name) const;
  std::string Folder() const { return dir_.path().toStdString(); }

 private:
  QTemporaryDir dir_;
  QString previousDir_;
};
