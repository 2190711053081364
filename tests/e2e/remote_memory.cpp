#include "remote_memory.h"

RemoteMemory::RemoteMemory(HWND window) {
  DWORD id = 0;
  GetWindowThreadProcessId(window, &id);
  process_ = OpenProcess(
      PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, id);
  if (process_)
    base_ = static_cast<char*>(
        VirtualAllocEx(process_, nullptr, kSize, MEM_COMMIT, PAGE_READWRITE));
}

RemoteMemory::~RemoteMemory() {
  if (base_) VirtualFreeEx(process_, base_, 0, MEM_RELEASE);
  if (process_) CloseHandle(process_);
}

void RemoteMemory::Write(std::size_t offset, const void* data,
                         std::size_t size) const {
  if (base_ && offset + size <= kSize)
    WriteProcessMemory(process_, base_ + offset, data, size, nullptr);
}

void RemoteMemory::Read(std::size_t offset, void* data,
                        std::size_t size) const {
  if (base_ && offset + size <= kSize)
    ReadProcessMemory(process_, base_ + offset, data, size, nullptr);
}
