// An open POSIX file descriptor, closed when it goes out of scope.
#pragma once

#include <unistd.h>

class CFileDescriptor {
 public:
  explicit CFileDescriptor(int fd) : fd(fd) {}
  CFileDescriptor(const CFileDescriptor&) = delete;
  CFileDescriptor& operator=(const CFileDescriptor&) = delete;
  ~CFileDescriptor() {
    if (fd >= 0) ::close(fd);
  }

  // Negative when the open failed.
  int Get() const { return fd; }

  // Closes now, reporting the error a delayed write may surface only here.
  bool Close() {
    const int old = fd;
    fd = -1;
    return old >= 0 && ::close(old) == 0;
  }

 private:
  int fd;
};
