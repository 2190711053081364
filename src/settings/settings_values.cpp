#include "settings/settings_values.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <string>
#include <system_error>

#include "cmnutils/text_helpers.h"
#include "settings/settings_store.h"

namespace {

// Passed as the fallback to tell a missing key from a present one: a stored
// value lives on one line, so it never equals a lone line break. This keeps a
// double fallback exact instead of round-tripping it through "%g".
constexpr std::u16string_view kMissing = u"\n";

bool IsCBlank(char16_t c) { return c == u' ' || (c >= u'\t' && c <= u'\r'); }
bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

std::size_t SkipBlanks(std::u16string_view text) {
  std::size_t i = 0;
  while (i < text.size() && IsCBlank(text[i])) ++i;
  return i;
}

std::u16string Widen(std::string_view ascii) {
  return std::u16string(ascii.begin(), ascii.end());
}

}  // namespace

std::int32_t ParseSettingInt(std::u16string_view text) {
  constexpr std::int64_t kLimit =
      std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // Once past the range, further digits cannot change the result.
  std::int64_t magnitude = 0;
  for (; i < text.size() && IsDigit(text[i]) && magnitude <= kLimit; ++i) {
    magnitude = magnitude * 10 + (text[i] - u'0');
  }
  if (negative) {
    return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::min()
                               : static_cast<std::int32_t>(-magnitude);
  }
  return magnitude >= kLimit ? std::numeric_limits<std::int32_t>::max()
                             : static_cast<std::int32_t>(magnitude);
}

std::u16string FormatSettingInt(std::int32_t value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return Widen(std::string_view(buffer, result.ptr - buffer));
}

double ParseSettingDouble(std::u16string_view text) {
  std::size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    negative = text[i] == u'-';
    ++i;
  }
  // Collect the number in the plain form std::from_chars reads: digits, an
  // optional fraction and an exponent, all ASCII.
  std::string number;
  std::size_t integerDigits = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i, ++integerDigits) {
    number += static_cast<char>(text[i]);
  }
  std::size_t fractionDigits = 0;
  if (i < text.size() && text[i] == u'.') {
    std::size_t j = i + 1;
    std::string fraction;
    for (; j < text.size() && IsDigit(text[j]); ++j, ++fractionDigits) {
      fraction += static_cast<char>(text[j]);
    }
    if (integerDigits + fractionDigits > 0) {
      number += '.';
      number += fraction;
      i = j;
    }
  }
  if (integerDigits + fractionDigits == 0) return 0.0;
  const std::size_t mantissaEnd = number.size();

  // The exponent counts only with at least one digit ("1e" reads as 1). It is
  // held far beyond any double's range but within int, whatever the text.
  constexpr std::int64_t kExponentCap = std::int64_t{1} << 28;
  std::int64_t exponent = 0;
  if (i < text.size() && (text[i] == u'e' || text[i] == u'E')) {
    std::size_t j = i + 1;
    bool negativeExponent = false;
    if (j < text.size() && (text[j] == u'+' || text[j] == u'-')) {
      negativeExponent = text[j] == u'-';
      ++j;
    }
    if (j < text.size() && IsDigit(text[j])) {
      for (; j < text.size() && IsDigit(text[j]); ++j) {
        if (exponent < kExponentCap)
          exponent = exponent * 10 + (text[j] - u'0');
      }
      if (negativeExponent) exponent = -exponent;
      number += 'e';
      number += std::to_string(exponent);
    }
  }

  double value = 0.0;
  const auto result =
      std::from_chars(number.data(), number.data() + number.size(), value,
                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large or too small for a double: decide by the position of the
    // first significant digit, as strtod's HUGE_VAL or 0 would.
    const std::size_t first = number.find_first_of("123456789");
    if (first >= mantissaEnd) return negative ? -0.0 : 0.0;
    const std::int64_t pointShift =
        first < integerDigits
            ? static_cast<std::int64_t>(integerDigits - first) - 1
            : -static_cast<std::int64_t>(first - integerDigits);  // past '.'
    value = exponent + pointShift > 0 ? std::numeric_limits<double>::infinity()
                                      : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

std::u16string FormatSettingDouble(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value,
                                    std::chars_format::general, 6);
  return Widen(std::string_view(buffer, result.ptr - buffer));
}

std::int32_t ReadInt(const ISettingsStore& store, std::u16string_view section,
                     std::u16string_view key, std::int32_t fallback) {
  const std::u16string text = store.ReadString(section, key, kMissing);
  return text == kMissing ? fallback : ParseSettingInt(text);
}

bool ReadBool(const ISettingsStore& store, std::u16string_view section,
              std::u16string_view key, bool fallback) {
  const std::u16string text = store.ReadString(section, key, kMissing);
  return text == kMissing ? fallback : ParseBool(text);
}

double ReadDouble(const ISettingsStore& store, std::u16string_view section,
                  std::u16string_view key, double fallback) {
  const std::u16string text = store.ReadString(section, key, kMissing);
  return text == kMissing ? fallback : ParseSettingDouble(text);
}

void WriteInt(ISettingsStore& store, std::u16string_view section,
              std::u16string_view key, std::int32_t value) {
  store.WriteString(section, key, FormatSettingInt(value));
}

void WriteBool(ISettingsStore& store, std::u16string_view section,
               std::u16string_view key, bool value) {
  store.WriteString(section, key, FormatBool(value ? 1 : 0));
}

void WriteDouble(ISettingsStore& store, std::u16string_view section,
                 std::u16string_view key, double value) {
  store.WriteString(section, key, FormatSettingDouble(value));
}
