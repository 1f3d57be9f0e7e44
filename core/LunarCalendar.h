// The Chinese lunar calendar: lunar dates, month lengths, solar terms, the
// zodiac and the sixty-year cycle. Pure functions over compact tables
// (core/LunarCalendarData.h); portable, no platform calls.
#pragma once

#include <string>

#include "core/DateTime.h"

namespace core {

struct LunarDate {
  int year = 0;       // the Gregorian year in which the lunar year begins
  int month = 0;      // 1..12
  int day = 0;        // 1..30
  bool leap = false;  // the intercalary month, numbered like the month it follows
};

// LunarDateOf converts the days from 1901-02-19 (New Year 1901) to
// 2048-12-31; LunarMonthLength and SolarTermOf know the lunar years 1901 to
// 2049 (whose last day is 2050-01-22).
inline constexpr int kLunarFirstYear = 1901;
inline constexpr int kLunarLastYear = 2049;

// The lunar date of the day of value (its time of day is ignored, taken to
// the nearest second like PartsOf). Fills date and gives true for a day of the
// span; gives false and leaves date as it was otherwise.
bool LunarDateOf(DateTime value, LunarDate& date);

// 29 or 30: the length of the month (of the intercalary month when leap is
// set) of a lunar year 1901..2049. 0 when the year or month is out of range
// or the year has no intercalary month of that number.
int LunarMonthLength(int lunarYear, int month, bool leap);

// The name of the solar term that falls on the Gregorian day of date ("小寒"
// ... "冬至"), or the empty text when none does. A leap flag on a month that
// is not the year's intercalary month counts as false. Empty too for a year
// outside 1901..2049, a month outside 1..12 or a day the month does not have.
std::string SolarTermOf(const LunarDate& date);

// The zodiac animal of a lunar year: "鼠" for 2008, "猪" for 2007, cycling
// both ways for any year.
std::string ZodiacOf(int lunarYear);

// The name of year n of the sixty-year cycle, 甲子 for 1 ... 癸亥 for 60;
// the empty text for any other n.
std::string SexagenaryName(int n);

}  // namespace core
