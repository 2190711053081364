// The map is bitmap resource 104: a device-independent bitmap without the
// file header, which our reader needs in front of it.
#include <cstring>
#include <span>
#include <vector>

#include "base/resource_ids.h"
#include "globe/built_in_map.h"
#include "imaging/bmp_reader.h"
#include "platform/win32_types.h"

namespace {
// Where the pixels start after the info header and its colour table.
std::uint32_t PixelOffset(const std::uint8_t* dib, std::size_t size) {
  if (size < sizeof(BITMAPINFOHEADER)) return 0;
  BITMAPINFOHEADER info;
  std::memcpy(&info, dib, sizeof info);
  std::uint32_t colors = info.biClrUsed;
  if (colors == 0 && info.biBitCount <= 8) colors = 1u << info.biBitCount;
  if (colors > 256) return 0;
  std::uint32_t masks =
      info.biCompression == BI_BITFIELDS && info.biSize == 40 ? 12 : 0;
  return 14 + info.biSize + masks + colors * 4;
}
}  // namespace

bool LoadBuiltInMap(DecodedBitmap& out) {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(IDB_WORLD_MAP),
                              reinterpret_cast<LPCWSTR>(RT_BITMAP));
  if (!found) return false;
  HGLOBAL loaded = LoadResource(instance, found);
  const DWORD size = SizeofResource(instance, found);
  const auto* dib =
      static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
  if (!dib || size == 0) return false;
  const std::uint32_t offset = PixelOffset(dib, size);
  if (offset == 0) return false;
  std::vector<std::uint8_t> file(14 + std::size_t(size));
  const std::uint32_t fileSize = std::uint32_t(file.size());
  file[0] = 'B';
  file[1] = 'M';
  std::memcpy(&file[2], &fileSize, 4);
  std::memcpy(&file[10], &offset, 4);
  std::memcpy(&file[14], dib, size);
  return DecodeBmp(std::span<const std::uint8_t>(file), out) == BmpError::kNone;
}
