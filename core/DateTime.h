// DateTime: a date and time of day as a count of days since 1899-12-30 00:00,
// local time, with the time of day as the fraction. Portable; no platform calls.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace core {

using DateTime = double;

// The range every service binds a DateTime to: 0100-01-01 00:00:00 to
// 9999-12-31 00:00:00. A value outside is taken as the nearer bound.
inline constexpr DateTime kLowestDateTime = -657434.0;
inline constexpr DateTime kHighestDateTime = 2958465.0;

DateTime BoundDateTime(DateTime d);

struct DateParts {
  int year = 0;
  int month = 0;    // 1..12
  int day = 0;      // 1..31
  int hour = 0;     // 0..23
  int minute = 0;
  int second = 0;
  int weekday = 0;  // 1 = Sunday ... 7 = Saturday
};

// Parts of the bounded value taken to the nearest second.
DateParts PartsOf(DateTime d);

// The value of the given date and time. The fields are taken as they are
// (no range check): callers pass valid dates.
DateTime DateTimeOf(int year, int month, int day, int hour = 0, int minute = 0,
                    int second = 0);

// The same day at 00:00:00.
DateTime DateOnly(DateTime d);

// 28..31, February with 29 days in Gregorian leap years; 0 when the year is
// outside 100..9999 or the month outside 1..12.
int DaysInMonth(int year, int month);

// Date followed by as much of the time of day as is not zero:
// 2014年7月5日9时5分3秒, 2014年7月5日9时5分, 2014年7月5日9时, 2014年7月5日.
std::string DateTimeText(DateTime d);

// Reads a date (and optional time) written with 年月日时分秒 or with - . / :
// separators; full-width ASCII forms count as their ASCII characters. A text
// that is not a valid date gives the lowest DateTime.
DateTime DateTimeOfText(std::string_view text);

// hour + "时" + minute + "分" + second + "秒", no leading zeros.
std::string ClockText(int hour, int minute, int second);

// Whole seconds since 1899-12-30 00:00 of a DateTime (to the nearest second);
// handy for comparing and stepping through seconds without rounding trouble.
std::int64_t SecondsOf(DateTime d);
DateTime DateTimeOfSeconds(std::int64_t seconds);

// The ClockText of the time of day of a second count.
std::string ClockTextOfSeconds(std::int64_t seconds);

}  // namespace core
