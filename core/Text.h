// Number/text conversions and GBK byte counting shared by every window.
// Texts are UTF-8 inside the program; where behaviour counts the length of a
// text it counts the bytes the text has in code page 936 (GBK).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

// Decimal text of an integer: a minus sign for negative values, no leading zeros.
std::string DecimalText(std::int64_t value);
inline std::string DecimalText(int value) { return DecimalText(static_cast<std::int64_t>(value)); }

// The C "%.13g" form of a real: up to 13 significant digits, no trailing
// zeros, exponent form only for very large or very small values.
std::string DecimalText(double value);

// The leading decimal number of a text, as atof reads it (optional white
// space, sign, digits, decimal point, exponent); 0 when none begins the text.
// Full-width ASCII forms count as their ASCII characters.
double NumberOfText(std::string_view text);

// Toward zero, except that a fraction beyond 0.999999999999 in magnitude moves
// one step away from zero (absorbing the error of products such as
// 0.7 × 3600000). Values beyond the 32-bit range are held at its ends; NaN is 0.
std::int32_t ToInteger(double value);

// Full-width ASCII forms (U+FF01..U+FF5E) and the ideographic space turned
// into their ASCII characters; everything else kept as it is.
std::string NarrowFullWidth(std::string_view text);

// Bytes the text takes in GBK: 1 for an ASCII character, 2 for any other.
std::size_t GbkLength(std::string_view utf8);

// The longest leading part of the text that takes at most maxBytes in GBK,
// cut on a character boundary.
std::string CutToGbkBytes(std::string_view utf8, std::size_t maxBytes);

// Decodes one UTF-8 character at text[pos]; advances pos. Malformed bytes
// decode as U+FFFD one byte at a time, so every input is consumed.
char32_t NextCodePoint(std::string_view text, std::size_t& pos);
void AppendUtf8(std::string& out, char32_t cp);

}  // namespace core
