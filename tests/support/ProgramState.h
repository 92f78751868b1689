#pragma once
// The settings and program paths the program keeps in globals: cleared for a test, and the
// paths put back after it, so that no test sees what another one left.
#include <string>

// The settings a test may have changed, as before any settings file was read.
void ClearSettings();

class SavedProgramState {
 public:
  SavedProgramState();
  ~SavedProgramState();
  SavedProgramState(const SavedProgramState&) = delete;
  SavedProgramState& operator=(const SavedProgramState&) = delete;

 private:
  std::string folder_, baseName_;
};
