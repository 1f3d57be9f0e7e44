// The calendar tool's own texts and rules on top of the lunar calendar
// component: the range check of a requested month, the era and year line,
// lunar month and day names, weekday names and the festival table.
// Portable; every function is pure and total.
#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"

namespace calendar {

// The months the calendar window draws: 1902-01 to 2047-12.
inline constexpr int kFirstShownYear = 1902;
inline constexpr int kLastShownYear = 2047;

inline constexpr std::string_view kYearRangeMessage = "※※ 年份应在1902-2047之间 ※※";
// The gap before the closing ※※ is one ideographic space (U+3000).
inline constexpr std::string_view kMonthRangeMessage = "※※ 月份数应在 1-12 之间\u3000※※";

struct MonthRequest {
  bool passes = false;
  int year = 0;          // set when it passes
  int month = 0;
  std::string message;   // kYearRangeMessage or kMonthRangeMessage otherwise
};

// Reads the year and month boxes as decimal numbers (a text that does not
// begin with a number reads as 0), truncated toward zero. The year is checked
// first; the month text is only read when the year passes.
MonthRequest CheckRequestedMonth(std::string_view yearText, std::string_view monthText);

// The era prefix of a Gregorian year: ◆光绪28 for 1902, ◆宣统元, ◆民国38 for
// 1949, ◆共和国元 for 1950, ◆共和国59 for 2008.
std::string EraText(int year);

// The year line above the grid: the era of the shown Gregorian year, then the
// sexagenary name and the zodiac animal of lunarYear (the lunar year of the
// month's first day): ◆共和国59年◆ 农历 戊子年〖鼠〗.
std::string YearInfoText(int year, int lunarYear);

// The year digit by digit: 二零零八 for 2008.
std::string LunarYearDigits(int lunarYear);

// 正, 二 ... 九, 十, 十一, 腊 for months 1..12; empty otherwise.
std::string LunarMonthName(int month);

// 初一 ... 初十, 十一 ... 十九, 二十, 廿一 ... 廿九, 三十 for days 1..30; empty otherwise.
std::string LunarDayText(int day);

// 农历:二零零八年腊月初五. The leap flag is not shown.
std::string LunarDateText(const core::LunarDate& date);

// The grid's heading on the first day of a lunar month: 一月大, 十二月小,
// 闰五月小 (大 for 30 days). Empty for a month outside 1..12.
std::string LunarMonthHeading(const core::LunarDate& date);

// 星期日 for 1 ... 星期六 for 7 (the DateParts numbering); empty otherwise.
std::string WeekdayName(int weekday);

// One row of the festival table. A lunar row matches on the lunar month and
// day whatever the leap flag.
struct FestivalRule {
  std::string_view entry;   // class digit (1 red, 2 green, 3 blue) and name
  bool lunar = false;
  int month = 0;
  std::array<int, 3> days{};  // unused places hold 0
};

// The rows in the order they are tried.
std::span<const FestivalRule> FestivalTable();

// The entry of the first row matching the day (its Gregorian month and day,
// its lunar month and day), class digit included; empty when none matches.
// Outside the lunar calendar's span only Gregorian rows can match.
std::string FestivalOf(core::DateTime day);

}  // namespace calendar
