#pragma once
// The device end of a pseudo-terminal, published under a path of the user's choice.
#include <string>

namespace hcsim {

class Pty {
 public:
  Pty() = default;
  ~Pty();
  Pty(const Pty&) = delete;
  Pty& operator=(const Pty&) = delete;

  // Creates the pty (raw, non-blocking master) and makes linkPath a symbolic link to its slave.
  // An existing symbolic link at linkPath is replaced; anything else there is left alone.
  bool Create(const std::string& linkPath, std::string& error);
  // Drops the line as an unplugged device would: the host sees a hang-up. Removes the link.
  void Close();

  int MasterFd() const { return master_; }
  const std::string& SlavePath() const { return slavePath_; }

 private:
  int master_ = -1;
  // Held open so that the host closing and reopening the port never hangs up the master.
  int slaveKeeper_ = -1;
  std::string slavePath_;
  std::string linkPath_;
};

}  // namespace hcsim
