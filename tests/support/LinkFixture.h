#pragma once
// Every link test runs the real link code against the simulated hand control on virtual time.
#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>
#include <string>
#include <vector>

#include "HandControlModel.h"
#include "ScriptedHost.h"
#include "SimLink.h"
#include "programmer/Image.h"
#include "programmer/Link.h"

// The debug log lines written while the object lives (the log lands in a scratch folder).
class CapturedLog {
 public:
  CapturedLog();
  ~CapturedLog();
  // The messages of the lines so far, without their time stamps.
  std::vector<std::string> Messages() const;

 private:
  QTemporaryDir dir_;
  QString previous_;
};

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the device (and its line) and opens the port on it.
  void Attach(const hcsim::Faults& faults, int baud = 0);
  void Attach(const std::string& faultSpec, int baud = 0);

  // Fills the image block with a pattern that is not blank and differs between blocks.
  static void Fill(int bank, int block);
  static void FillRange(int bank, int first, int last);
  // The image's code at file offsets 0xFFFE/0xFFFF (bank 0 block 255, so that block is not blank).
  static void SetImageCode(uint16_t code);

  const std::vector<std::string>& Commands() const { return sim->Device().CommandLog(); }
  int Count(const std::string& prefix) const;
  // The commands from the first one starting with prefix on.
  std::vector<std::string> From(const std::string& prefix) const;
  // True when the device's flash holds the image in every range the programmer writes.
  bool FlashMatchesImage() const;
  std::vector<MsgAnswer> Questions() const;

  std::unique_ptr<SimLink> sim;
  ScriptedHost host;
};

std::string WriteCommand(int address, int count);
