#include "parts/earth/earth_frm.h"

#include <algorithm>

#include "globe/built_in_map.h"
#include "globe/globe_draw.h"
#include "globe/globe_motion.h"
#include "globe/photo_maps.h"
#include "imaging/bmp_reader.h"
#include "imaging/image_reader.h"
#include "pixels/canvas.h"

CEarthFrm::CEarthFrm() = default;

CEarthFrm::~CEarthFrm() {
  builder.Stop();
  sunBuilder.Stop();
}

void CEarthFrm::Create(IFrameHost& host) {
  owner = &host;
  texture = std::make_unique<CCanvas>();
  guide.Create();
  // The texture comes with the settings, loaded next.
}

void CEarthFrm::Destroy() {
  owner = nullptr;
  builder.Stop();
  sunBuilder.Stop();
  texture.reset();
  guide.Destroy();
}

void CEarthFrm::SetTexture(const DecodedBitmap& bitmap,
                           const std::vector<std::uint8_t>& water) {
  if (!texture) return;
  // The reader already squeezes anything beyond 65536 on a side, so the
  // bitmap fits the limit as it is.
  const TextureLimits limits = TextureLimitsFor(bitmap.width, bitmap.height);
  const std::int32_t w = std::min(limits.limit, bitmap.width);
  const std::int32_t h = std::min(limits.limit, bitmap.height);
  if (w != bitmap.width || h != bitmap.height) return;
  // A build reads the texture's size: none may run while it changes.
  builder.Stop();
  texture->Resize(w, h);
  if (texture->IsEmpty()) return;
  std::copy(bitmap.pixels.begin(), bitmap.pixels.end(), texture->Pixels());
  texShift = limits.texShift;
  waterMask = water.size() == bitmap.pixels.size()
                  ? water
                  : std::vector<std::uint8_t>();
  if (waterMask.empty())
    ApplyColorKey(*texture, settings.colorKey);
  else
    ApplyWaterMask(*texture, waterMask.data(), settings.colorKey);
  MakeSunSources(bitmap, waterMask);
  redraw = true;
}

bool CEarthFrm::LoadTextureFile(const std::u16string& path) {
  DecodedBitmap bitmap;
  if (path.empty() || ReadImageFile(path, bitmap) != ImageError::kNone)
    return false;
  SetTexture(bitmap, {});
  return true;
}

bool CEarthFrm::LoadTexturePicture(DecodedBitmap& picture,
                                   std::vector<std::uint8_t>& water) {
  water.clear();
  // There is no file to use without a name (the menu item is greyed then,
  // but the command can still arrive); a file, when used, wins over the
  // photographs.
  if (settings.useFile &&
      (settings.fileName.empty() ||
       ReadImageFile(settings.fileName, picture) != ImageError::kNone))
    settings.useFile = false;
  if (settings.useFile) return true;
  const std::int32_t columns = PhotoWidthFor(layoutWidth, layoutHeight);
  if (settings.photo && LoadDayPhoto(picture, columns) &&
      LoadWaterMask(water, columns))
    return true;
  water.clear();
  return LoadBuiltInMap(picture);
}

void CEarthFrm::ReloadTexture() {
  DecodedBitmap picture;
  std::vector<std::uint8_t> water;
  if (LoadTexturePicture(picture, water)) SetTexture(picture, water);
  StartTableBuild();
}

void CEarthFrm::WaitForTable() { builder.Wait(); }

void CEarthFrm::StartTableBuild() {
  const GlobeTableInputs inputs{layoutWidth,
                                layoutHeight,
                                texture ? texture->Width() : 0,
                                texture ? texture->Height() : 0,
                                texShift,
                                settings.tiltAngle,
                                settings.turnAngle,
                                settings.gradientMin,
                                settings.gradientMax,
                                settings.shadingMin,
                                settings.shadingMax};
  redraw = true;
  // A table that cannot be had leaves the globe undrawn until the next
  // build, which tries the layout's size again.
  if (builder.Start(inputs) && owner) owner->SetTimerPeriod(kBusyPeriod);
}

void CEarthFrm::Layout(const RECT& client) {
  layoutWidth = std::max<std::int32_t>(client.right - client.left, 0);
  layoutHeight = std::max<std::int32_t>(client.bottom - client.top, 0);
  guide.Layout(layoutWidth, layoutHeight);
  redraw = true;
  // The photographs (the texture that has a water mask) come at the
  // fineness the window shows.
  if (!waterMask.empty() && texture &&
      PhotoWidthFor(layoutWidth, layoutHeight) != texture->Width()) {
    ReloadTexture();
    return;
  }
  // Laying out again at the same size must not throw away a finished table.
  const GlobeTableInputs& built = builder.Inputs();
  if (builder.Size() != 0 && built.width == layoutWidth &&
      built.height == layoutHeight)
    return;
  StartTableBuild();
}

bool CEarthFrm::Tick(const SYSTEMTIME& localTime) {
  if (!(dragging && !tiltMode))
    rotation = RotationAt(MillisecondsOfDay(localTime), settings.speed,
                          settings.updateMs, settings.offset);
  // A finished table brings the resting period back, unless the mouse still
  // drags the globe (the release does it then) or the Sun's light is still
  // being cast.
  if (builder.TakeDone() && owner && !dragging && !sunBuilder.Running())
    owner->SetTimerPeriod(UINT(UsableUpdatePeriod(settings.updateMs)));
  UpdateSunlight();
  return redraw || StateToDraw() != drawn;
}

CEarthFrm::DrawnState CEarthFrm::StateToDraw() const {
  DrawnState state;
  state.rotation = rotation;
  state.filled = builder.Filled();
  state.tiltMode = tiltMode;
  if (tiltMode) {
    state.tiltAngle = settings.tiltAngle;
    state.turnAngle = settings.turnAngle;
  }
  return state;
}

void CEarthFrm::Draw(CCanvas& target) {
  drawn = StateToDraw();
  redraw = false;
  if (tiltMode) {
    const double u =
        texture ? double(std::int64_t{texture->Width()} << texShift) : 1;
    guide.Draw(target, settings.tiltAngle, settings.turnAngle,
               -kPi * rotation / u, owner ? owner->PixelsPerInch() : 96);
    return;
  }
  if (builder.Size() == 0 || !texture || texture->IsEmpty()) return;
  // The table must belong to this canvas and this texture.
  const GlobeTableInputs& built = builder.Inputs();
  if (target.Width() != built.width || target.Height() != built.height) return;
  if (built.textureWidth != texture->Width() ||
      built.textureHeight != texture->Height() || built.texShift != texShift)
    return;
  const std::size_t filled = std::min(drawn.filled, builder.Size());
  const std::uint32_t* lit = SunlitTexture();
  const GlobeTexture tex{lit ? lit : texture->Pixels(), texture->Width(),
                         texture->Height(), texShift};
  // The real Sun replaces the fixed shading from the upper left.
  const GlobeLook look{rotation, settings.shadingEnable && !settings.sunEnable,
                       settings.gradientEnable, settings.viewBack};
  DrawGlobe(builder.Entries(), filled, tex, look, target.Pixels());
}

void CEarthFrm::SetSpeed(double hundredthsPerMs) {
  settings.speed = UsableUpdatePeriod(settings.updateMs) * -hundredthsPerMs;
  Reanchor();
}

void CEarthFrm::Reanchor() {
  const SYSTEMTIME now = owner ? owner->LocalTime() : SYSTEMTIME{};
  settings.offset = OffsetFor(rotation, MillisecondsOfDay(now), settings.speed,
                              settings.updateMs);
}

void CEarthFrm::SetTilt(double degrees) {
  settings.tiltAngle = degrees;
  StartTableBuild();
}

void CEarthFrm::ShowTiltGuide(bool show) {
  tiltMode = show;
  redraw = true;
}
