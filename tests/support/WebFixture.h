#pragma once
// A program folder and a download site in temporary folders, with the address pointing at the
// site over loopback.
#include <gtest/gtest.h>

#include <QByteArray>
#include <QStringList>
#include <QTemporaryDir>
#include <functional>
#include <memory>
#include <string>

#include "ProgramState.h"
#include "ScriptedHost.h"
#include "TempFolder.h"
#include "TestImage.h"
#include "TestSite.h"

struct CliRun {
  int exitCode = -1;
  QString out, err;
};

class WebFixture : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Points the address at the site's /updates/catalogue.txt (or another catalogue name).
  void UseSite(const std::string& catalogue = "catalogue.txt");
  // Files of the site (under /updates) and of the program folder.
  void SiteFile(const std::string& name, const QByteArray& bytes);
  void ProgramFileBytes(const std::string& name, const QByteArray& bytes);
  std::string InProgram(const std::string& name) const;
  bool ProgramHas(const std::string& name) const;
  QByteArray ProgramRead(const std::string& name) const;
  // Last-write date of a program folder file, "yyyy-mm-dd hh:mm" local time.
  std::string WrittenAt(const std::string& name) const;
  // Sets a file's last-write time to midnight of date, local time.
  void SetDate(const std::string& name, const std::string& date);
  // The debug log written while action runs (the log lands in the program folder).
  QByteArray LogWhile(const std::function<void()>& action);
  // Closed loopback port: nothing listens there.
  static int ClosedPort();
  // Runs padflasher-cli on folder (the program folder when empty) while the site keeps serving;
  // inChild runs in the child before the program starts (limits, signal dispositions).
  CliRun Cli(QStringList args, const QString& folder = {},
             const std::function<void()>& inChild = {});
  // Writes PadFlasher.ini into folder with the site's address.
  void PointAt(const QString& folder);

  SavedProgramState saved_;
  QTemporaryDir programDir_, siteDir_;
  std::unique_ptr<TestSite> site_;
  ScriptedHost host_;
};

// A full firmware image; images of different seeds differ.
QByteArray Image(char seed = 'x');
