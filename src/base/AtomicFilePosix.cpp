#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "base/AtomicFilePlatform.h"

namespace file_platform {

bool MayReplace(const std::string& path, std::string& reason) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return true;
  if (S_ISLNK(st.st_mode)) {
    reason = "is a symbolic link";
  } else if (S_ISDIR(st.st_mode)) {
    reason = "is a folder";
  } else if (!S_ISREG(st.st_mode)) {
    reason = "is not a regular file";
  } else if ((st.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0 ||
             ::access(path.c_str(), W_OK) != 0) {
    // No write bit at all counts even for root, who could write it anyway.
    reason = "is read-only";
  } else {
    return true;
  }
  return false;
}

bool SyncToDisk(int handle, std::string& why) {
  // Delayed allocation can hold back ENOSPC or EIO until the data reaches the disk. EINVAL and
  // EROFS come from some special mounts that cannot sync.
  if (::fsync(handle) == 0 || errno == EINVAL || errno == EROFS) return true;
  why = std::strerror(errno);
  return false;
}

ReadResult ReadRegularFile(const std::string& path, int64_t maxBytes, std::string& bytes,
                           std::string& why) {
  // Non-blocking, and checked again once open, in case the name changed hands meanwhile.
  const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    why = std::strerror(errno);
    return ReadResult::Unreadable;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    ::close(fd);
    why = "is not a regular file";
    return ReadResult::NotRegular;
  }
  // Room for all of it at once: growing by doubling copies it several times, and on some
  // machines every fresh page of a large block costs more than the copy.
  bytes.reserve(static_cast<size_t>(std::min<int64_t>(st.st_size, maxBytes)));
  char buffer[16384];
  ssize_t n = 0;
  while ((n = ::read(fd, buffer, sizeof buffer)) > 0) {
    if (static_cast<int64_t>(bytes.size()) + n > maxBytes) {
      ::close(fd);
      return ReadResult::TooLarge;
    }
    bytes.append(buffer, static_cast<size_t>(n));
  }
  if (n < 0) why = std::strerror(errno);
  ::close(fd);
  return n < 0 ? ReadResult::Unreadable : ReadResult::Ok;
}

bool MakeFolder(const std::string& path, std::string& why) {
  if (::mkdir(path.c_str(), 0700) == 0 || errno == EEXIST) return true;
  why = std::strerror(errno);
  return false;
}

}  // namespace file_platform
