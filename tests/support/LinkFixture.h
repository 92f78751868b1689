#pragma once
// Every link test runs the real link code against the simulated hand control on virtual time.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "HandControlModel.h"
#include "ProgramState.h"
#include "ScriptedHost.h"
#include "SimLink.h"
#include "TempFolder.h"
#include "programmer/Image.h"
#include "programmer/Link.h"

class LinkTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Replaces the device (and its line) and opens the port on it.
  void Attach(const hcsim::Faults& faults, int baud = 0);
  void Attach(const std::string& faultSpec, int baud = 0);

  // Fills the image block with the test images' data: not blank, different in every block.
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

  SavedProgramState saved;
  std::unique_ptr<SimLink> sim;
  ScriptedHost host;
};

std::string WriteCommand(int address, int count);
