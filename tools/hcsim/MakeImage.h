#pragma once
// hcsim --make-image: writes a firmware image for tests, demos and screenshots from scripts.
#include <string>
#include <vector>

// args are what follows --make-image: FILE CODE SEED [RANGE]... Returns the exit code (0, 1 when
// the file cannot be written, 2 on a usage error); errors go to stderr.
int MakeImageCommand(const std::vector<std::string>& args);
