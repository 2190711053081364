// The globe's sections of the settings file, its commands and menu marks.
#include <algorithm>
#include <charconv>
#include <cmath>
#include <string>

#include "globe/globe_motion.h"
#include "parts/command_ids.h"
#include "parts/earth/earth_frm.h"
#include "parts/earth/earth_menu.h"
#include "settings/settings_store.h"
#include "settings/settings_values.h"

namespace {
constexpr std::u16string_view kAlphaColor = u"AlphaColor",
                              kGradient = u"GradientAlpha",
                              kShading = u"Shading",
                              kRevolution = u"Revolution", kOption = u"Option",
                              kSun = u"Sun";
constexpr std::size_t kFileNameCapacity = 259;

// Each key of the globe's sections, named once for reading and writing.
constexpr SettingKey kColorKeyEnable{kAlphaColor, u"Enable"};
constexpr SettingKey kColorKeyColor{kAlphaColor, u"Color"};
constexpr SettingKey kColorKeyRange{kAlphaColor, u"Range"};
constexpr SettingKey kColorKeyMin{kAlphaColor, u"Min"};
constexpr SettingKey kColorKeyMax{kAlphaColor, u"Max"};
constexpr SettingKey kGradientEnable{kGradient, u"Enable"};
constexpr SettingKey kGradientMin{kGradient, u"Min"};
constexpr SettingKey kGradientMax{kGradient, u"Max"};
constexpr SettingKey kShadingEnable{kShading, u"Enable"};
constexpr SettingKey kShadingMin{kShading, u"Min"};
constexpr SettingKey kShadingMax{kShading, u"Max"};
constexpr SettingKey kOffset{kRevolution, u"Offset"};
constexpr SettingKey kSpeed{kRevolution, u"Speed"};
constexpr SettingKey kUpdatePeriod{kRevolution, u"Update_mSec"};
constexpr SettingKey kFileName{kOption, u"FileName"};
constexpr SettingKey kUseFile{kOption, u"UseFile"};
constexpr SettingKey kViewBack{kOption, u"ViewBack"};
constexpr SettingKey kAngle{kOption, u"Angle"};
constexpr SettingKey kAngle2{kOption, u"Angle2"};
constexpr SettingKey kPhoto{kOption, u"Photo"};
constexpr SettingKey kSunEnable{kSun, u"Enable"};
constexpr SettingKey kSunLights{kSun, u"Lights"};
constexpr SettingKey kSunNight{kSun, u"Night"};

// The speed presets, hundredths of a degree per millisecond, for 134..139.
constexpr double kSpeedPresets[] = {0, 1.2, 0.6, 0.3, 0.01, 1.0 / 2400};
// The tilt presets for 121..133.
constexpr double kTiltPresets[] = {90,  75,  60,  45,  30,  15, 0,
                                   -15, -30, -45, -60, -75, -90};

std::uint8_t ReadByte(const ISettingsStore& s, SettingKey key, int fallback) {
  return std::uint8_t(ReadInt(s, key, fallback));  // the low eight bits
}

// A level 0..255 for a key that had none before: a number beyond the range
// is limited, anything that is no number at all gives the default.
std::uint8_t ReadLevel(const ISettingsStore& s, SettingKey key,
                       std::uint8_t fallback) {
  const std::u16string text = s.ReadString(key.section, key.name, u"");
  std::string digits;
  for (char16_t c : text)
    if (c != u' ' && c != u'\t') digits += c < 0x80 ? char(c) : '?';
  int value = 0;
  const char* end = digits.data() + digits.size();
  const auto parsed = std::from_chars(digits.data(), end, value);
  if (digits.empty() || parsed.ec == std::errc::invalid_argument ||
      parsed.ptr != end)
    return fallback;
  if (parsed.ec == std::errc::result_out_of_range)
    return digits[0] == '-' ? 0 : 255;
  return std::uint8_t(std::clamp(value, 0, 255));
}

// Which tilt item carries the mark for an angle.
UINT TiltItemFor(double a) {
  const double bounds[] = {83, 68, 53, 38, 23, 8, -7, -22, -37, -52, -67, -82};
  for (int i = 0; i < 12; ++i)
    if (a > bounds[i]) return UINT(IDM_TILT_FIRST + i);
  return IDM_TILT_LAST;
}
}  // namespace

void CEarthFrm::LoadSettings(const ISettingsStore& s) {
  settings.colorKey.enable = ReadBool(s, kColorKeyEnable, false);
  settings.colorKey.color =
      COLORREF(std::uint32_t(ReadInt(s, kColorKeyColor, 0xFF0000)));
  settings.colorKey.range = ReadByte(s, kColorKeyRange, 192);
  settings.colorKey.min = ReadByte(s, kColorKeyMin, 31);
  settings.colorKey.max = ReadByte(s, kColorKeyMax, 255);
  settings.gradientEnable = ReadBool(s, kGradientEnable, false);
  settings.gradientMin = ReadByte(s, kGradientMin, 160);
  settings.gradientMax = ReadByte(s, kGradientMax, 255);
  settings.shadingEnable = ReadBool(s, kShadingEnable, true);
  settings.shadingMin = ReadByte(s, kShadingMin, 0);
  settings.shadingMax = ReadByte(s, kShadingMax, 127);
  settings.offset = ReadInt(s, kOffset, 0) % 36000;
  const double value = ReadDouble(s, kSpeed, 60);
  // Whole turns per period are dropped; the sign stays.
  settings.speed = std::isfinite(value) ? std::fmod(-value, 36000.0) : 0.0;
  if (settings.speed == 0)
    settings.speed = 0;  // no negative zero in the file later
  settings.updateMs = ReadInt(s, kUpdatePeriod, 100);
  settings.fileName = s.ReadString(kFileName.section, kFileName.name, u"");
  if (settings.fileName.size() > kFileNameCapacity)
    settings.fileName.resize(kFileNameCapacity);
  settings.useFile = !settings.fileName.empty() && ReadBool(s, kUseFile, true);
  settings.viewBack = ReadBool(s, kViewBack, false);
  const double angle = ReadDouble(s, kAngle, 30);
  settings.tiltAngle = std::isnan(angle) ? 30 : std::clamp(angle, -90.0, 90.0);
  const double angle2 = ReadDouble(s, kAngle2, 0);
  settings.turnAngle =
      std::isnan(angle2) ? 0 : std::clamp(angle2, -180.0, 180.0);
  settings.photo = ReadBool(s, kPhoto, false);
  settings.sunEnable = ReadBool(s, kSunEnable, false);
  settings.sunLights = ReadBool(s, kSunLights, false);
  settings.sunNight = ReadLevel(s, kSunNight, 48);
  ReloadTexture();
}

void CEarthFrm::SaveSettings(ISettingsStore& s) {
  WriteBool(s, kColorKeyEnable, settings.colorKey.enable);
  WriteInt(s, kColorKeyColor, std::int32_t(settings.colorKey.color));
  WriteInt(s, kColorKeyRange, settings.colorKey.range);
  WriteInt(s, kColorKeyMin, settings.colorKey.min);
  WriteInt(s, kColorKeyMax, settings.colorKey.max);
  WriteBool(s, kGradientEnable, settings.gradientEnable);
  WriteInt(s, kGradientMin, settings.gradientMin);
  WriteInt(s, kGradientMax, settings.gradientMax);
  WriteBool(s, kShadingEnable, settings.shadingEnable);
  WriteInt(s, kShadingMin, settings.shadingMin);
  WriteInt(s, kShadingMax, settings.shadingMax);
  WriteInt(s, kOffset, settings.offset);
  // A stopped globe is written "0", never "-0".
  WriteDouble(s, kSpeed, settings.speed == 0 ? 0.0 : -settings.speed);
  WriteInt(s, kUpdatePeriod, settings.updateMs);
  s.WriteString(kFileName.section, kFileName.name, settings.fileName);
  WriteBool(s, kUseFile, settings.useFile);
  WriteBool(s, kViewBack, settings.viewBack);
  WriteDouble(s, kAngle, settings.tiltAngle);
  WriteDouble(s, kAngle2, settings.turnAngle);
  WriteBool(s, kPhoto, settings.photo);
  WriteBool(s, kSunEnable, settings.sunEnable);
  WriteBool(s, kSunLights, settings.sunLights);
  WriteInt(s, kSunNight, settings.sunNight);
}

bool CEarthFrm::OnCommand(UINT command) {
  redraw = true;
  if (command >= IDM_TILT_FIRST && command <= IDM_TILT_LAST) {
    SetTilt(kTiltPresets[command - IDM_TILT_FIRST]);
    return true;
  }
  if (command >= IDM_SPEED_FIRST && command <= IDM_SPEED_LAST) {
    SetSpeed(kSpeedPresets[command - IDM_SPEED_FIRST]);
    return true;
  }
  switch (command) {
    case IDM_OPEN_TEXTURE:
      OpenTextureFile();
      return true;
    case IDM_USE_TEXTURE:
      settings.useFile = !settings.useFile;
      ReloadTexture();
      return true;
    case IDM_KEY_COLOR:
      PickKeyColor();
      return true;
    case IDM_KEY_TRANSPARENCY:
      settings.colorKey.enable = !settings.colorKey.enable;
      ReloadTexture();
      return true;
    case IDM_ANGLE_TRANSPARENCY:
      settings.gradientEnable = !settings.gradientEnable;
      return true;
    case IDM_SHADING:
      settings.shadingEnable = !settings.shadingEnable;
      return true;
    case IDM_FAR_SIDE:
      settings.viewBack = !settings.viewBack;
      return true;
    case IDM_PHOTO:
      settings.photo = !settings.photo;
      ReloadTexture();
      return true;
    case IDM_SUN:
      settings.sunEnable = !settings.sunEnable;
      RefreshSunlight();
      return true;
    case IDM_CITY_LIGHTS:
      settings.sunLights = !settings.sunLights;
      RefreshSunlight();
      return true;
    default:
      return false;
  }
}

void CEarthFrm::OpenTextureFile() {
  std::u16string path;
  // The window may be gone when a dialog returns (exit from the
  // notification icon meanwhile): then there is nothing left to change.
  if (!owner || !owner->PickTextureFile(path) || !owner) return;
  if (!LoadTextureFile(path)) return;  // the previous texture stays
  settings.fileName = path.substr(0, kFileNameCapacity);
  settings.useFile = true;
  StartTableBuild();
}

void CEarthFrm::PickKeyColor() {
  if (!owner) return;
  COLORREF color = settings.colorKey.color;
  if (!owner->PickColor(color, customColors) || !owner) return;
  settings.colorKey.color = color;
  ReloadTexture();
}

void CEarthFrm::UpdateMenu(IMenu& popup) {
  popup.EnableItem(IDM_USE_TEXTURE, !settings.fileName.empty());
  popup.CheckItem(IDM_USE_TEXTURE, settings.useFile);
  popup.CheckItem(IDM_KEY_TRANSPARENCY, settings.colorKey.enable);
  popup.CheckItem(IDM_ANGLE_TRANSPARENCY, settings.gradientEnable);
  popup.CheckItem(IDM_SHADING, settings.shadingEnable);
  popup.CheckItem(IDM_FAR_SIDE, settings.viewBack);
  popup.CheckItem(IDM_PHOTO, settings.photo);
  popup.CheckItem(IDM_SUN, settings.sunEnable);
  popup.CheckItem(IDM_CITY_LIGHTS, settings.sunLights);

  const UINT tiltItem = TiltItemFor(settings.tiltAngle);
  for (UINT id = IDM_TILT_FIRST; id <= IDM_TILT_LAST; ++id)
    popup.CheckItem(id, id == tiltItem);

  bool preset = false;
  const double perMs = settings.speed / UsableUpdatePeriod(settings.updateMs);
  for (UINT id = IDM_SPEED_FIRST; id <= IDM_SPEED_LAST; ++id) {
    const double x = kSpeedPresets[id - IDM_SPEED_FIRST];
    const bool on = id == IDM_SPEED_FIRST ? std::fabs(settings.speed) <= 1e-9
                                          : std::fabs(perMs + x) <= 1e-9;
    popup.CheckItem(id, on);
    preset = preset || on;
  }
  if (preset) {
    popup.DeleteItem(IDM_SPEED_CUSTOM);
  } else if (IMenu* speeds = popup.SubMenuHolding(IDM_SPEED_FIRST);
             speeds && !popup.HasItem(IDM_SPEED_CUSTOM)) {
    speeds->AppendItem(
        IDM_SPEED_CUSTOM,
        kCustomSpeedText.In(owner ? owner->Language() : UiLanguage::kJapanese),
        true, true);
  }
}
