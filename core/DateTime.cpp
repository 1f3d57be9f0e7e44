#include "core/DateTime.h"

#include <cmath>

#include "core/Text.h"

namespace core {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;

// Days from 1899-12-30 to the given civil date (proleptic Gregorian), after
// Howard Hinnant's days_from_civil.
std::int64_t DaysFromCivil(std::int64_t y, int m, int d) {
  y -= m <= 2;
  const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
  const std::int64_t yoe = y - era * 400;
  const std::int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
  const std::int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
  const std::int64_t daysSince1970 = era * 146097 + doe - 719468;
  return daysSince1970 + 25569;
}

void CivilFromDays(std::int64_t days, int& year, int& month, int& day) {
  const std::int64_t z = days - 25569 + 719468;
  const std::int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  const std::int64_t doe = z - era * 146097;
  const std::int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  const std::int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  const std::int64_t mp = (5 * doy + 2) / 153;
  day = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  month = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  year = static_cast<int>(yoe + era * 400 + (month <= 2));
}

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  std::int64_t q = a / b;
  if ((a % b != 0) && ((a < 0) != (b < 0))) --q;
  return q;
}

bool IsLeapYear(int y) { return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0; }

}  // namespace

DateTime BoundDateTime(DateTime d) {
  if (std::isnan(d)) return kLowestDateTime;
  if (d < kLowestDateTime) return kLowestDateTime;
  if (d > kHighestDateTime) return kHighestDateTime;
  return d;
}

std::int64_t SecondsOf(DateTime d) {
  return std::llround(BoundDateTime(d) * static_cast<double>(kSecondsPerDay));
}

DateTime DateTimeOfSeconds(std::int64_t seconds) {
  return static_cast<double>(seconds) / static_cast<double>(kSecondsPerDay);
}

DateParts PartsOf(DateTime d) {
  const std::int64_t seconds = SecondsOf(d);
  const std::int64_t days = FloorDiv(seconds, kSecondsPerDay);
  const std::int64_t ofDay = seconds - days * kSecondsPerDay;
  DateParts parts;
  CivilFromDays(days, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(ofDay / 3600);
  parts.minute = static_cast<int>(ofDay / 60 % 60);
  parts.second = static_cast<int>(ofDay % 60);
  // 1899-12-30 (day 0) was a Saturday.
  parts.weekday = static_cast<int>(((days % 7) + 7 + 6) % 7) + 1;
  return parts;
}

DateTime DateTimeOf(int year, int month, int day, int hour, int minute, int second) {
  const std::int64_t days = DaysFromCivil(year, month, day);
  return DateTimeOfSeconds(days * kSecondsPerDay + hour * 3600 + minute * 60 + second);
}

DateTime DateOnly(DateTime d) {
  return static_cast<double>(FloorDiv(SecondsOf(d), kSecondsPerDay));
}

int DaysInMonth(int year, int month) {
  if (year < 100 || year > 9999 || month < 1 || month > 12) return 0;
  static constexpr int kLengths[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  return month == 2 && IsLeapYear(year) ? 29 : kLengths[month - 1];
}

std::string ClockText(int hour, int minute, int second) {
  return DecimalText(hour) + "时" + DecimalText(minute) + "分" + DecimalText(second) + "秒";
}

std::string ClockTextOfSeconds(std::int64_t seconds) {
  const std::int64_t ofDay = seconds - FloorDiv(seconds, kSecondsPerDay) * kSecondsPerDay;
  return ClockText(static_cast<int>(ofDay / 3600), static_cast<int>(ofDay / 60 % 60),
                   static_cast<int>(ofDay % 60));
}

std::string DateTimeText(DateTime d) {
  const DateParts p = PartsOf(d);
  std::string text = DecimalText(p.year) + "年" + DecimalText(p.month) + "月" +
                     DecimalText(p.day) + "日";
  if (p.second != 0) {
    text += ClockText(p.hour, p.minute, p.second);
  } else if (p.minute != 0) {
    text += DecimalText(p.hour) + "时" + DecimalText(p.minute) + "分";
  } else if (p.hour != 0) {
    text += DecimalText(p.hour) + "时";
  }
  return text;
}

namespace {

// Reads the fields of a date text one after another. Each field is a run of
// at most `maxDigits` decimal digits (none reads as 0) followed by an
// optional separator.
class DateReader {
 public:
  explicit DateReader(std::string_view text) : text_(text) {}

  int Field(int maxDigits) {
    int value = 0;
    for (int n = 0; n < maxDigits && pos_ < text_.size() && IsDigit(text_[pos_]); ++n, ++pos_)
      value = value * 10 + (text_[pos_] - '0');
    return value;
  }

  // Consumes one separator if the text continues with `word` or one of the
  // ASCII separators (a space too when allowed).
  void Separator(std::string_view word, bool spaceAllowed = false) {
    if (text_.substr(pos_).starts_with(word)) {
      pos_ += word.size();
      return;
    }
    if (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '-' || c == '.' || c == '/' || c == ':' || (spaceAllowed && c == ' ')) ++pos_;
    }
  }

  // The text must end here, or go on with 秒 (after which anything may follow).
  bool EndsWell() const {
    return pos_ == text_.size() || text_.substr(pos_).starts_with("秒");
  }

 private:
  static bool IsDigit(char c) { return c >= '0' && c <= '9'; }
  std::string_view text_;
  std::size_t pos_ = 0;
};

}  // namespace

DateTime DateTimeOfText(std::string_view original) {
  const std::string text = NarrowFullWidth(original);
  DateReader reader(text);
  const int year = reader.Field(4);
  reader.Separator("年");
  const int month = reader.Field(2);
  reader.Separator("月");
  const int day = reader.Field(2);
  reader.Separator("日", true);
  const int hour = reader.Field(2);
  reader.Separator("时");
  const int minute = reader.Field(2);
  reader.Separator("分");
  const int second = reader.Field(2);
  if (!reader.EndsWell()) return kLowestDateTime;
  if (day < 1 || day > DaysInMonth(year, month)) return kLowestDateTime;
  if (hour > 23 || minute > 59 || second > 59) return kLowestDateTime;
  return DateTimeOf(year, month, day, hour, minute, second);
}

}  // namespace core
