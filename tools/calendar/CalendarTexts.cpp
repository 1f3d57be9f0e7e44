#include "tools/calendar/CalendarTexts.h"

#include <cmath>
#include <cstdint>

#include "core/Text.h"

namespace calendar {

namespace {

// Grid numerals 1..10 and digit names 0..9, one character each.
constexpr std::string_view kNumerals[11] = {"", "一", "二", "三", "四", "五",
                                            "六", "七", "八", "九", "十"};
constexpr std::string_view kDigitNames[10] = {"零", "一", "二", "三", "四",
                                              "五", "六", "七", "八", "九"};
constexpr std::string_view kWeekdays[7] = {"星期日", "星期一", "星期二", "星期三",
                                           "星期四", "星期五", "星期六"};

// "2国际禁毒日" sits between 全国土地日 and 香港回归中共诞辰 and matches 26 June.
constexpr FestivalRule kFestivals[] = {
    {"1元旦", false, 1, {1}},
    {"1劳动节", false, 5, {1, 2, 3}},
    {"1国庆节", false, 10, {1, 2, 3}},
    {"1春节", true, 1, {1, 2, 3}},
    {"2情人节", false, 2, {14}},
    {"2学岚舟", false, 3, {5}},
    {"2妇女节", false, 3, {8}},
    {"2植树节", false, 3, {12}},
    {"2消费者权益日", false, 3, {15}},
    {"2愚人节", false, 4, {1}},
    {"2世界卫生日", false, 4, {7}},
    {"2世界地球日", false, 4, {22}},
    {"2青年节", false, 5, {4}},
    {"2世界红十字日", false, 5, {8}},
    {"2国际护士节", false, 5, {12}},
    {"2国际家庭日", false, 5, {15}},
    {"2国际电信日", false, 5, {17}},
    {"2国际儿童节", false, 6, {1}},
    {"2世界环境保护日", false, 6, {5}},
    {"2全国爱眼日", false, 6, {6}},
    {"2全国土地日", false, 6, {25}},
    {"2国际禁毒日", false, 6, {26}},
    {"2香港回归中共诞辰", false, 7, {1}},
    {"2抗战纪念日", false, 7, {7}},
    {"2建军节", false, 8, {1}},
    {"2抗战胜利", false, 8, {15}},
    {"2桂望澜逝世", false, 9, {9}},
    {"2国际扫盲日", false, 9, {8}},
    {"2教师节", false, 9, {10}},
    {"2世界旅游日", false, 9, {27}},
    {"2蔺歌诞辰", false, 9, {28}},
    {"2老人节", false, 10, {6}},
    {"2世界邮政日", false, 10, {9}},
    {"2世界标准日", false, 10, {14}},
    {"2世界粮食日", false, 10, {16}},
    {"2联合国日", false, 10, {24}},
    {"2彝族年", false, 11, {20, 21, 22}},
    {"2柯远帆诞辰", false, 11, {12}},
    {"2国际志愿人员日", false, 12, {5}},
    {"2澳门回归", false, 12, {20}},
    {"2圣诞节", false, 12, {25}},
    {"2桂望澜诞辰", false, 12, {26}},
    {"2母亲节", false, 5, {20}},
    {"2父亲节", false, 6, {30}},
    {"2被奴国周", false, 7, {30}},
    {"2感恩节", false, 11, {24}},
    {"3元宵节", true, 1, {15}},
    {"3端午节", true, 5, {5}},
    {"3火把节", true, 6, {24, 25, 26}},
    {"3七夕情人节", true, 7, {7}},
    {"3中元节", true, 7, {15}},
    {"3中秋节", true, 8, {15}},
    {"3重阳节", true, 9, {9}},
    {"3腊八节", true, 12, {8}},
    {"3小年", true, 12, {24}},
};

// The number of a box: its leading decimal number truncated toward zero, or
// nothing when that is outside [low, high] (NaN and infinities included).
bool ReadInRange(std::string_view text, int low, int high, int& value) {
  const double number = std::trunc(core::NumberOfText(text));
  if (!(number >= low && number <= high)) return false;
  value = static_cast<int>(number);
  return true;
}

std::string Numbered(std::string_view prefix, std::int64_t number) {
  std::string text(prefix);
  text += core::DecimalText(number);
  return text;
}

bool Matches(const FestivalRule& rule, int month, int day) {
  if (rule.month != month || day == 0) return false;
  for (int d : rule.days) {
    if (d == day) return true;
  }
  return false;
}

}  // namespace

MonthRequest CheckRequestedMonth(std::string_view yearText, std::string_view monthText) {
  MonthRequest request;
  int year = 0;
  int month = 0;
  if (!ReadInRange(yearText, kFirstShownYear, kLastShownYear, year)) {
    request.message = kYearRangeMessage;
  } else if (!ReadInRange(monthText, 1, 12, month)) {
    request.message = kMonthRangeMessage;
  } else {
    request.passes = true;
    request.year = year;
    request.month = month;
  }
  return request;
}

std::string EraText(int year) {
  const std::int64_t y = year;
  if (y <= 1908) return Numbered("◆光绪", y - 1874);
  if (y == 1909) return "◆宣统元";
  if (y <= 1911) return Numbered("◆宣统", y - 1908);
  if (y == 1912) return "◆民国元";
  if (y <= 1949) return Numbered("◆民国", y - 1911);
  if (y == 1950) return "◆共和国元";
  return Numbered("◆共和国", y - 1949);
}

std::string YearInfoText(int year, int lunarYear) {
  // The remainder keeps the sign of the dividend; for every lunar year of the
  // calendar's range the index lies in 1..60.
  const std::int64_t cycleIndex = (static_cast<std::int64_t>(lunarYear) - 4) % 60 + 1;
  return EraText(year) + "年◆ 农历 " + core::SexagenaryName(static_cast<int>(cycleIndex)) +
         "年〖" + core::ZodiacOf(lunarYear) + "〗";
}

std::string LunarYearDigits(int lunarYear) {
  std::string text;
  for (char c : core::DecimalText(lunarYear)) {
    if (c >= '0' && c <= '9') {
      text += kDigitNames[c - '0'];
    } else {
      text += c;  // the minus sign of a year before 1
    }
  }
  return text;
}

std::string LunarMonthName(int month) {
  if (month == 1) return "正";
  if (month >= 2 && month <= 10) return std::string(kNumerals[month]);
  if (month == 11) return "十一";
  if (month == 12) return "腊";
  return {};
}

std::string LunarDayText(int day) {
  if (day < 1 || day > 30) return {};
  if (day <= 10) return "初" + std::string(kNumerals[day]);
  if (day < 20) return "十" + std::string(kNumerals[day - 10]);
  if (day == 20) return "二十";
  if (day < 30) return "廿" + std::string(kNumerals[day - 20]);
  return "三十";
}

std::string LunarDateText(const core::LunarDate& date) {
  return "农历:" + LunarYearDigits(date.year) + "年" + LunarMonthName(date.month) + "月" +
         LunarDayText(date.day);
}

std::string LunarMonthHeading(const core::LunarDate& date) {
  if (date.month < 1 || date.month > 12) return {};
  std::string heading = date.leap ? "闰" : "";
  if (date.month <= 10) {
    heading += kNumerals[date.month];
  } else {
    heading += "十";
    heading += kNumerals[date.month - 10];
  }
  heading += core::LunarMonthLength(date.year, date.month, date.leap) == 30 ? "月大" : "月小";
  return heading;
}

std::string WeekdayName(int weekday) {
  if (weekday < 1 || weekday > 7) return {};
  return std::string(kWeekdays[weekday - 1]);
}

std::span<const FestivalRule> FestivalTable() { return kFestivals; }

std::string FestivalOf(core::DateTime day) {
  const core::DateParts parts = core::PartsOf(day);
  core::LunarDate lunar;  // stays 0, 0, 0, false outside the calendar's span
  core::LunarDateOf(day, lunar);
  for (const FestivalRule& rule : kFestivals) {
    const bool matches = rule.lunar ? Matches(rule, lunar.month, lunar.day)
                                    : Matches(rule, parts.month, parts.day);
    if (matches) return std::string(rule.entry);
  }
  return {};
}

}  // namespace calendar
