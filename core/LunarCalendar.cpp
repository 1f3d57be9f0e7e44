#include "core/LunarCalendar.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <string_view>

#include "core/LunarCalendarData.h"

namespace core {

namespace {

using namespace lunar_data;

static_assert(kFirstLunarYear == kLunarFirstYear &&
              kFirstLunarYear + kLunarYearCount - 1 == kLunarLastYear);
static_assert(kFirstTermYear == kLunarFirstYear &&
              kFirstTermYear + kTermYearCount - 1 == kLunarLastYear + 1);

constexpr std::string_view kTermNames[24] = {
    "小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
    "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑",
    "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"};
constexpr std::string_view kAnimals[12] = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                           "马", "羊", "猴", "鸡", "狗", "猪"};
constexpr std::string_view kStems[10] = {"甲", "乙", "丙", "丁", "戊",
                                         "己", "庚", "辛", "壬", "癸"};
constexpr std::string_view kBranches[12] = {"子", "丑", "寅", "卯", "辰", "巳",
                                            "午", "未", "申", "酉", "戌", "亥"};

constexpr std::int64_t kSecondsPerDay = 86400;

// Day number (days since 1899-12-30) of 1 January of a year 1900..2099, where
// every fourth year is a leap year.
constexpr std::int64_t Jan1(int year) { return 365LL * (year - 1900) + (year - 1901) / 4 + 2; }

constexpr std::int64_t kFirstDay = Jan1(1901) + 31 + 18;  // 1901-02-19
constexpr std::int64_t kLastDay = Jan1(2049) - 1;         // 2048-12-31

// The Gregorian year of a day number of 1901..2099.
int GregorianYearOf(std::int64_t day) {
  const std::int64_t n = day - Jan1(1901);
  const std::int64_t inCycle = n % 1461;  // 1901..1904: three common years, then a leap year
  const std::int64_t yearInCycle = inCycle / 365 < 3 ? inCycle / 365 : 3;
  return static_cast<int>(1901 + 4 * (n / 1461) + yearInCycle);
}

bool IsLeapYear(int year) { return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0; }

struct MonthDay {
  int month;  // 1..12
  int day;
};

// Month and day of month of the day dayOfYear (counted from 0) of a year.
MonthDay MonthDayOf(int year, int dayOfYear) {
  static constexpr int kMonthDays[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  int month = 1;
  for (int length : kMonthDays) {
    if (month == 2 && IsLeapYear(year)) ++length;
    if (dayOfYear < length || month == 12) break;
    dayOfYear -= length;
    ++month;
  }
  return {month, dayOfYear + 1};
}

// The year's record; the callers have checked 1901 <= year <= 2049.
std::uint32_t RecordOf(int year) { return kLunarYears[year - kFirstLunarYear]; }
int LeapMonthOf(std::uint32_t record) { return static_cast<int>((record >> 13) & 15); }
int MonthCountOf(std::uint32_t record) { return LeapMonthOf(record) != 0 ? 13 : 12; }
std::int64_t NewYearDay(int year, std::uint32_t record) {
  return Jan1(year) + 20 + static_cast<std::int64_t>((record >> 17) & 31);
}
int LengthAt(std::uint32_t record, int index) { return 29 + static_cast<int>((record >> index) & 1); }

// Days from New Year to the first day of the month at index.
int DaysBefore(std::uint32_t record, int index) {
  const std::uint32_t longMonths = record & ((1u << index) - 1);
  return 29 * index + std::popcount(longMonths);
}

// Position of a month within its year: the intercalary month sits right after
// the month whose number it carries.
int IndexOf(int month, bool leap, int leapMonth) {
  return month - 1 + ((leapMonth != 0 && (month > leapMonth || leap)) ? 1 : 0);
}

bool KnownYear(int year) { return year >= kLunarFirstYear && year <= kLunarLastYear; }

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  const std::int64_t q = a / b;
  return (a % b != 0 && (a < 0) != (b < 0)) ? q - 1 : q;
}

// Day of the month on which term (0..23) falls in a Gregorian year 1901..2050.
int TermDay(int year, int term) {
  const std::uint16_t word = kSolarTermOffsets[year - kFirstTermYear][term / 8];
  return kTermBaseDay[term] + ((word >> (2 * (term % 8))) & 3);
}

}  // namespace

bool LunarDateOf(DateTime value, LunarDate& date) {
  const std::int64_t day = FloorDiv(SecondsOf(value), kSecondsPerDay);
  if (day < kFirstDay || day > kLastDay) return false;
  int year = GregorianYearOf(day);
  if (day < NewYearDay(year, RecordOf(year))) --year;
  const std::uint32_t record = RecordOf(year);
  const int sinceNewYear = static_cast<int>(day - NewYearDay(year, record));
  // Months have 29 or 30 days, so the day lies in month sinceNewYear / 29 or
  // in the one before it.
  int index = std::min(sinceNewYear / 29, MonthCountOf(record) - 1);
  if (DaysBefore(record, index) > sinceNewYear) --index;
  // From the intercalary month on, the index runs one ahead of the number.
  const int leapMonth = LeapMonthOf(record);
  date.year = year;
  date.month = (leapMonth != 0 && index >= leapMonth) ? index : index + 1;
  date.day = sinceNewYear - DaysBefore(record, index) + 1;
  date.leap = leapMonth != 0 && index == leapMonth;
  return true;
}

int LunarMonthLength(int lunarYear, int month, bool leap) {
  if (!KnownYear(lunarYear) || month < 1 || month > 12) return 0;
  const std::uint32_t record = RecordOf(lunarYear);
  const int leapMonth = LeapMonthOf(record);
  if (leap && month != leapMonth) return 0;
  return LengthAt(record, IndexOf(month, leap, leapMonth));
}

std::string SolarTermOf(const LunarDate& date) {
  if (!KnownYear(date.year) || date.month < 1 || date.month > 12) return {};
  const std::uint32_t record = RecordOf(date.year);
  const int leapMonth = LeapMonthOf(record);
  const int index = IndexOf(date.month, date.leap && date.month == leapMonth, leapMonth);
  if (date.day < 1 || date.day > LengthAt(record, index)) return {};

  const std::int64_t day = NewYearDay(date.year, record) + DaysBefore(record, index) + date.day - 1;
  const int year = GregorianYearOf(day);
  const MonthDay md = MonthDayOf(year, static_cast<int>(day - Jan1(year)));
  // The two terms of Gregorian month m are terms 2m - 2 and 2m - 1.
  for (int term = 2 * md.month - 2; term < 2 * md.month; ++term) {
    if (TermDay(year, term) == md.day) return std::string(kTermNames[term]);
  }
  return {};
}

std::string ZodiacOf(int lunarYear) {
  const std::int64_t offset = static_cast<std::int64_t>(lunarYear) - 4;
  return std::string(kAnimals[offset - 12 * FloorDiv(offset, 12)]);
}

std::string SexagenaryName(int n) {
  if (n < 1 || n > 60) return {};
  std::string name(kStems[(n - 1) % 10]);
  name += kBranches[(n - 1) % 12];
  return name;
}

}  // namespace core
