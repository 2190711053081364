#include "earthfrm/earth_frm.h"

#include <algorithm>
#include <chrono>

#include "earthfrm/bmp_reader.h"
#include "earthfrm/built_in_map.h"
#include "earthfrm/globe_motion.h"

namespace {
constexpr UINT kBusyPeriod = 20;  // while a table grows or the mouse drags
}

CEarthFrm::CEarthFrm() = default;

CEarthFrm::~CEarthFrm() { StopTableBuild(); }

void CEarthFrm::Create(IFrameHost& host) {
  owner = &host;
  texture = std::make_unique<CCanvas>();
  guide.Create();
  SetTextureFromMap();
}

void CEarthFrm::Destroy() {
  StopTableBuild();
  texture.reset();
  guide.Destroy();
}

void CEarthFrm::SetTextureFromMap() {
  DecodedBitmap map;
  if (LoadBuiltInMap(owner ? owner->Instance() : nullptr, map)) SetTexture(map);
}

void CEarthFrm::SetTexture(const DecodedBitmap& bitmap) {
  if (!texture) return;
  // The reader already squeezes anything beyond 65536 on a side, so the
  // bitmap fits the limit as it is.
  const TextureLimits limits = TextureLimitsFor(bitmap.width, bitmap.height);
  const std::int32_t w = std::min(limits.limit, bitmap.width);
  const std::int32_t h = std::min(limits.limit, bitmap.height);
  if (w != bitmap.width || h != bitmap.height) return;
  // A build reads the texture's size: none may run while it changes.
  StopTableBuild();
  texture->Resize(w, h);
  if (texture->IsEmpty()) return;
  std::copy(bitmap.pixels.begin(), bitmap.pixels.end(), texture->pixels);
  texShift = limits.texShift;
  ApplyColorKey(*texture, colorKey);
}

bool CEarthFrm::LoadTextureFile(const std::u16string& path) {
  DecodedBitmap bitmap;
  if (path.empty() || ReadBmpFile(path, bitmap) != BmpError::kNone)
    return false;
  SetTexture(bitmap);
  return true;
}

void CEarthFrm::ReloadTexture() {
  // There is no file to use without a name (the menu item is greyed then,
  // but the command can still arrive).
  if (useFile && (fileName.empty() || !LoadTextureFile(fileName))) useFile = false;
  if (!useFile) SetTextureFromMap();
  StartTableBuild(tableWidth, tableHeight);
}

void CEarthFrm::StopTableBuild() {
  stopRequest.store(true, std::memory_order_release);
  if (worker.joinable()) worker.join();
  stopRequest.store(false, std::memory_order_release);
}

void CEarthFrm::WaitForTable() {
  if (worker.joinable()) worker.join();
}

void CEarthFrm::StartTableBuild(std::int32_t width, std::int32_t height) {
  StopTableBuild();
  tableWidth = std::max(width, 0);
  tableHeight = std::max(height, 0);
  fillLevel.store(0, std::memory_order_release);
  const std::size_t entries =
      std::size_t(tableWidth) * std::size_t(tableHeight);
  // A table that cannot be had leaves the globe undrawn until the next build.
  try {
    table.assign(entries, GlobeEntry{});
  } catch (const std::bad_alloc&) {
    table.clear();
    table.shrink_to_fit();
    tableWidth = tableHeight = 0;
    return;
  }
  tableInputs = GlobeTableInputs{tableWidth,
                                 tableHeight,
                                 texture ? texture->width : 0,
                                 texture ? texture->height : 0,
                                 texShift,
                                 tiltAngle,
                                 turnAngle,
                                 gradientMin,
                                 gradientMax,
                                 shadingMin,
                                 shadingMax};
  if (owner) owner->SetTimerPeriod(kBusyPeriod);
  if (entries == 0 || tableInputs.textureWidth == 0) {
    tableDone.store(true, std::memory_order_release);
    return;
  }
  try {
    worker = std::thread([this, inputs = tableInputs, data = table.data()] {
      if (BuildGlobeTable(inputs, data, fillLevel, stopRequest))
        tableDone.store(true, std::memory_order_release);
    });
  } catch (const std::system_error&) {
    // No thread: build here, so the globe still appears.
    if (BuildGlobeTable(tableInputs, table.data(), fillLevel, stopRequest))
      tableDone.store(true, std::memory_order_release);
  }
}

void CEarthFrm::Layout(const RECT& client) {
  globeRect = client;
  const std::int32_t w = client.right - client.left,
                     h = client.bottom - client.top;
  guide.Layout(w, h);
  // Laying out again at the same size must not throw away a finished table.
  if (w == tableWidth && h == tableHeight && !table.empty()) return;
  StartTableBuild(w, h);
}

void CEarthFrm::Tick(const SYSTEMTIME& localTime) {
  if (!(dragging && !tiltMode))
    rotation =
        RotationAt(MillisecondsOfDay(localTime), speed, updateMs, offset);
  if (tableDone.exchange(false, std::memory_order_acq_rel) && owner)
    owner->SetTimerPeriod(UINT(UsableUpdatePeriod(updateMs)));
}

void CEarthFrm::Draw(CCanvas& target) {
  if (tiltMode) {
    const double u =
        texture ? double(std::int64_t{texture->width} << texShift) : 1;
    guide.Draw(target, tiltAngle, turnAngle, -PI * rotation / u,
               owner ? owner->PixelsPerInch() : 96);
    return;
  }
  if (table.empty() || !texture || texture->IsEmpty()) return;
  // The table must belong to this canvas and this texture.
  if (target.width != tableWidth || target.height != tableHeight) return;
  if (tableInputs.textureWidth != texture->width ||
      tableInputs.textureHeight != texture->height ||
      tableInputs.texShift != texShift)
    return;
  const std::size_t filled =
      std::min(fillLevel.load(std::memory_order_acquire), table.size());
  const GlobeTexture tex{texture->pixels, texture->width, texture->height,
                         texShift};
  const GlobeLook look{rotation, shadingEnable, gradientEnable, viewBack};
  DrawGlobe(table.data(), filled, tex, look, target.pixels);
}

void CEarthFrm::SetSpeed(double hundredthsPerMs) {
  speed = UsableUpdatePeriod(updateMs) * -hundredthsPerMs;
  Reanchor();
}

void CEarthFrm::Reanchor() {
  const SYSTEMTIME now = owner ? owner->LocalTime() : SYSTEMTIME{};
  offset = OffsetFor(rotation, MillisecondsOfDay(now), speed, updateMs);
}

void CEarthFrm::SetTilt(double degrees) {
  tiltAngle = degrees;
  StartTableBuild(tableWidth, tableHeight);
}
