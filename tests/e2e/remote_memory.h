// Memory in another process, for messages whose parameters point to a
// record the receiver reads or fills: the system copies such records
// between processes for its own messages only.
#pragma once

#include <windows.h>

#include <cstddef>

class RemoteMemory {
 public:
  // A page in the process that owns `window`.
  explicit RemoteMemory(HWND window);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool ok() const { return base_ != nullptr; }
  // The address at `offset` as the other process sees it.
  char* At(std::size_t offset) const { return base_ + offset; }
  void Write(std::size_t offset, const void* data, std::size_t size) const;
  void Read(std::size_t offset, void* data, std::size_t size) const;

  static constexpr std::size_t kSize = 4096;

 private:
  HANDLE process_ = nullptr;
  char* base_ = nullptr;
};
