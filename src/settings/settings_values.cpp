#include "settings/settings_values.h"

#include <charconv>
#include <cstddef>
#include <limits>
#include <optional>
#include <string>
#include <system_error>

#include "base/text_helpers.h"
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

// An optional sign at `i`, moving past it; true for "-".
bool ReadSign(std::u16string_view text, std::size_t& i) {
  if (i < text.size() && (text[i] == u'+' || text[i] == u'-')) {
    return text[i++] == u'-';
  }
  return false;
}

// Copies the decimal digits at `i` to `out`, moving past them; how many.
std::size_t CopyDigits(std::u16string_view text, std::size_t& i,
                       std::string& out) {
  const std::size_t start = i;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    out += static_cast<char>(text[i]);
  }
  return i - start;
}

// The digits before the exponent, in the plain ASCII form std::from_chars
// reads.
struct Mantissa {
  std::string text;  // digits, then "." and the fraction's digits if any
  std::size_t integerDigits = 0;
  std::size_t digits = 0;  // with the fraction's
};

// A "." counts only next to at least one digit: "." alone is no number.
Mantissa ReadMantissa(std::u16string_view text, std::size_t& i) {
  Mantissa mantissa;
  mantissa.integerDigits = CopyDigits(text, i, mantissa.text);
  mantissa.digits = mantissa.integerDigits;
  if (i < text.size() && text[i] == u'.') {
    std::size_t j = i + 1;
    std::string fraction;
    const std::size_t fractionDigits = CopyDigits(text, j, fraction);
    if (mantissa.integerDigits + fractionDigits > 0) {
      mantissa.text += '.';
      mantissa.text += fraction;
      mantissa.digits += fractionDigits;
      i = j;
    }
  }
  return mantissa;
}

// The exponent counts only with at least one digit ("1e" reads as 1). It is
// held far beyond any double's range but within int, whatever the text.
std::optional<std::int64_t> ReadExponent(std::u16string_view text,
                                         std::size_t i) {
  constexpr std::int64_t kExponentCap = std::int64_t{1} << 28;
  if (i >= text.size() || (text[i] != u'e' && text[i] != u'E')) {
    return std::nullopt;
  }
  ++i;
  const bool negative = ReadSign(text, i);
  if (i >= text.size() || !IsDigit(text[i])) return std::nullopt;
  std::int64_t exponent = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    if (exponent < kExponentCap) exponent = exponent * 10 + (text[i] - u'0');
  }
  return negative ? -exponent : exponent;
}

// Too large or too small for a double: decided by the position of the first
// significant digit, as strtod's HUGE_VAL or 0 would.
double OutOfRangeMagnitude(const Mantissa& mantissa, std::int64_t exponent) {
  const std::size_t first = mantissa.text.find_first_of("123456789");
  if (first == std::string::npos) return 0.0;
  const std::size_t integerDigits = mantissa.integerDigits;
  const std::int64_t pointShift =
      first < integerDigits
          ? static_cast<std::int64_t>(integerDigits - first) - 1
          : -static_cast<std::int64_t>(first - integerDigits);  // past '.'
  return exponent + pointShift > 0 ? std::numeric_limits<double>::infinity()
                                   : 0.0;
}

}  // namespace

std::int32_t ParseSettingInt(std::u16string_view text) {
  constexpr std::int64_t kLimit =
      std::int64_t(std::numeric_limits<std::int32_t>::max()) + 1;
  std::size_t i = SkipBlanks(text);
  const bool negative = ReadSign(text, i);
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
  const bool negative = ReadSign(text, i);
  const Mantissa mantissa = ReadMantissa(text, i);
  if (mantissa.digits == 0) return 0.0;
  const std::optional<std::int64_t> exponent = ReadExponent(text, i);
  std::string number = mantissa.text;
  if (exponent) {
    number += 'e';
    number += std::to_string(*exponent);
  }
  double value = 0.0;
  const auto result =
      std::from_chars(number.data(), number.data() + number.size(), value,
                      std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    value = OutOfRangeMagnitude(mantissa, exponent.value_or(0));
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
