#include "Pty.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <system_error>

namespace hcsim {

namespace {

std::string Reason(const char* what) {
  return std::string(what) + ": " + std::strerror(errno);
}

}  // namespace

Pty::~Pty() {
  Close();
}

bool Pty::Create(const std::string& linkPath, std::string& error) {
  // The link's folder (ports/ of a fresh program folder) is made, so a first try just works.
  const std::filesystem::path folder = std::filesystem::path(linkPath).parent_path();
  std::error_code made;
  if (!folder.empty() && !std::filesystem::create_directories(folder, made) && made) {
    error = "cannot create " + folder.string() + ": " + made.message();
    return false;
  }
  struct stat st {};
  if (::lstat(linkPath.c_str(), &st) == 0 && !S_ISLNK(st.st_mode)) {
    error = linkPath + " exists and is not a symbolic link; not replacing it";
    return false;
  }
  master_ = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (master_ < 0) {
    error = Reason("posix_openpt");
    return false;
  }
  if (::grantpt(master_) != 0 || ::unlockpt(master_) != 0) {
    error = Reason("grantpt/unlockpt");
    Close();
    return false;
  }
  char name[256] = {};
  if (::ptsname_r(master_, name, sizeof name) != 0) {
    error = Reason("ptsname");
    Close();
    return false;
  }
  slavePath_ = name;
  slaveKeeper_ = ::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  if (slaveKeeper_ < 0) {
    error = Reason("open slave");
    Close();
    return false;
  }
  termios tio{};
  if (::tcgetattr(slaveKeeper_, &tio) == 0) {
    ::cfmakeraw(&tio);
    ::tcsetattr(slaveKeeper_, TCSANOW, &tio);
  }
  // Link under a temporary name first, so the path never points nowhere while being replaced.
  const std::string temp = linkPath + ".hcsim-tmp";
  ::unlink(temp.c_str());
  if (::symlink(name, temp.c_str()) != 0 || ::rename(temp.c_str(), linkPath.c_str()) != 0) {
    error = Reason(("link " + linkPath).c_str());
    ::unlink(temp.c_str());
    Close();
    return false;
  }
  linkPath_ = linkPath;
  return true;
}

void Pty::Close() {
  if (!linkPath_.empty()) {
    // Only our own link: another simulator may have taken the path over meanwhile.
    char target[256] = {};
    const ssize_t n = ::readlink(linkPath_.c_str(), target, sizeof target - 1);
    if (n > 0 && slavePath_ == std::string(target, n)) ::unlink(linkPath_.c_str());
    linkPath_.clear();
  }
  if (slaveKeeper_ >= 0) ::close(slaveKeeper_);
  if (master_ >= 0) ::close(master_);
  slaveKeeper_ = master_ = -1;
}

}  // namespace hcsim
