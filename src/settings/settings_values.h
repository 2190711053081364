// Typed settings on top of ISettingsStore, shared by every part of the
// program that keeps settings, so that all of them read and write numbers
// and switches by the same rules.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

class ISettingsStore;

// The C runtime's text-to-integer rule: leading blanks skipped, an optional
// sign, then decimal digits up to the first other character; no digits give
// 0. Beyond the 32-bit range the result saturates at INT32_MIN / INT32_MAX.
std::int32_t ParseSettingInt(std::u16string_view text);
std::u16string FormatSettingInt(std::int32_t value);

// Leading blanks, an optional sign, digits with an optional fraction and
// exponent, up to the first character that does not fit; nothing readable
// gives 0. Independent of the C locale. Magnitudes beyond double give
// +/-infinity, below it +/-0, as strtod does.
double ParseSettingDouble(std::u16string_view text);
// printf "%g": six significant digits, no trailing zeros ("5142.86", "60",
// "-0.5", "1e+20"). Independent of the C locale.
std::u16string FormatSettingDouble(double value);

// A missing key (or file) gives `fallback` unchanged; a present key is
// parsed by the rules above, so an empty or non-numeric value reads as 0 and
// a boolean is true only when its text starts with "TRUE" in any case.
std::int32_t ReadInt(const ISettingsStore& store, std::u16string_view section,
                     std::u16string_view key, std::int32_t fallback);
bool ReadBool(const ISettingsStore& store, std::u16string_view section,
              std::u16string_view key, bool fallback);
double ReadDouble(const ISettingsStore& store, std::u16string_view section,
                  std::u16string_view key, double fallback);

// Inside a save (ISettingsStore::BeginSave ... CommitSave). Booleans are
// written "True" / "False".
void WriteInt(ISettingsStore& store, std::u16string_view section,
              std::u16string_view key, std::int32_t value);
void WriteBool(ISettingsStore& store, std::u16string_view section,
               std::u16string_view key, bool value);
void WriteDouble(ISettingsStore& store, std::u16string_view section,
                 std::u16string_view key, double value);

// A key named once, for the code that reads it and the code that writes it.
struct SettingKey {
  std::u16string_view section, name;
};

inline std::int32_t ReadInt(const ISettingsStore& store, SettingKey key,
                            std::int32_t fallback) {
  return ReadInt(store, key.section, key.name, fallback);
}
inline bool ReadBool(const ISettingsStore& store, SettingKey key,
                     bool fallback) {
  return ReadBool(store, key.section, key.name, fallback);
}
inline double ReadDouble(const ISettingsStore& store, SettingKey key,
                         double fallback) {
  return ReadDouble(store, key.section, key.name, fallback);
}
inline void WriteInt(ISettingsStore& store, SettingKey key,
                     std::int32_t value) {
  WriteInt(store, key.section, key.name, value);
}
inline void WriteBool(ISettingsStore& store, SettingKey key, bool value) {
  WriteBool(store, key.section, key.name, value);
}
inline void WriteDouble(ISettingsStore& store, SettingKey key, double value) {
  WriteDouble(store, key.section, key.name, value);
}
