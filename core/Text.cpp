#include "core/Text.h"

#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace core {

std::string DecimalText(std::int64_t value) {
  std::array<char, 24> buf{};
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value);
  (void)ec;  // 24 chars always hold an int64
  return std::string(buf.data(), end);
}

std::string DecimalText(double value) {
  // to_chars with general format and a precision is specified to match
  // printf("%.13g") in the C locale, without depending on the C runtime
  // (msvcrt would write a three-digit exponent).
  std::array<char, 64> buf{};
  auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), value,
                                 std::chars_format::general, 13);
  if (ec != std::errc()) return "0";
  std::string text(buf.data(), end);
  // printf spells the special values this way.
  if (text == "inf") return "inf";
  if (text == "-inf") return "-inf";
  if (text == "nan" || text == "-nan") return std::signbit(value) ? "-nan" : "nan";
  return text;
}

char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) {
    ++pos;
    return lead;
  }
  int extra = 0;
  char32_t cp = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1;
    cp = lead & 0x1F;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2;
    cp = lead & 0x0F;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3;
    cp = lead & 0x07;
  } else {
    ++pos;
    return 0xFFFD;
  }
  for (int i = 1; i <= extra; ++i) {
    if (pos + i >= text.size() || (byte(pos + i) & 0xC0) != 0x80) {
      ++pos;
      return 0xFFFD;
    }
    cp = (cp << 6) | (byte(pos + i) & 0x3F);
  }
  pos += extra + 1;
  return cp;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

std::string NarrowFullWidth(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  std::size_t pos = 0;
  while (pos < text.size()) {
    const std::size_t start = pos;
    const char32_t cp = NextCodePoint(text, pos);
    if (cp >= 0xFF01 && cp <= 0xFF5E) {
      out += static_cast<char>(cp - 0xFF01 + 0x21);
    } else if (cp == 0x3000) {
      out += ' ';
    } else {
      out.append(text.substr(start, pos - start));
    }
  }
  return out;
}

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

}  // namespace

double NumberOfText(std::string_view original) {
  const std::string text = NarrowFullWidth(original);
  std::size_t i = 0;
  while (i < text.size() && IsSpace(text[i])) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
    negative = text[i] == '-';
    ++i;
  }
  const std::size_t mantissaStart = i;
  std::size_t digits = 0;
  while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  if (i < text.size() && text[i] == '.') {
    ++i;
    while (i < text.size() && IsDigit(text[i])) ++i, ++digits;
  }
  if (digits == 0) return 0.0;
  std::size_t end = i;
  if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < text.size() && (text[j] == '+' || text[j] == '-')) ++j;
    if (j < text.size() && IsDigit(text[j])) {
      while (j < text.size() && IsDigit(text[j])) ++j;
      end = j;
    }
  }
  std::string number = text.substr(mantissaStart, end - mantissaStart);
  if (number.front() == '.') number.insert(number.begin(), '0');
  double value = 0.0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  if (result.ec == std::errc::result_out_of_range) {
    // atof gives HUGE_VAL on overflow and 0 on underflow.
    const bool huge = number.find_first_of("123456789") != std::string::npos &&
                      (number.find('e') == std::string::npos ||
                       number.find("e-") == std::string::npos);
    value = huge ? std::numeric_limits<double>::infinity() : 0.0;
  }
  return negative ? -value : value;
}

std::int32_t ToInteger(double value) {
  if (std::isnan(value)) return 0;
  double whole = std::trunc(value);
  const double fraction = value - whole;
  // The step goes the way of the fraction, so that -0.9999999999995 gives -1
  // (a zero integer part has no sign of its own to go by).
  if (std::fabs(fraction) > 0.999999999999) whole += value >= 0 ? 1.0 : -1.0;
  if (whole >= 2147483647.0) return std::numeric_limits<std::int32_t>::max();
  if (whole <= -2147483648.0) return std::numeric_limits<std::int32_t>::min();
  return static_cast<std::int32_t>(whole);
}

std::size_t GbkLength(std::string_view utf8) {
  std::size_t bytes = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) bytes += NextCodePoint(utf8, pos) < 0x80 ? 1 : 2;
  return bytes;
}

std::string CutToGbkBytes(std::string_view utf8, std::size_t maxBytes) {
  std::size_t bytes = 0;
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t next = pos;
    const std::size_t width = NextCodePoint(utf8, next) < 0x80 ? 1 : 2;
    if (bytes + width > maxBytes) break;
    bytes += width;
    pos = next;
  }
  return std::string(utf8.substr(0, pos));
}

}  // namespace core
