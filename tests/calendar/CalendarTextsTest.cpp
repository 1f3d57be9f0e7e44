#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <string>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"
#include "core/Text.h"
#include "tools/calendar/CalendarTexts.h"

namespace {

using namespace calendar;
using core::DateTimeOf;
using core::LunarDate;

// Written out byte for byte: the month message has one ideographic space
// (U+3000, E3 80 80) before its closing ※※, every other gap is ASCII.
const std::string kYearMessage = "※※ 年份应在1902-2047之间 ※※";
const std::string kMonthMessage = "※※ 月份数应在 1-12 之间\xE3\x80\x80※※";

TEST(CheckRequestedMonth, YearFirstThenMonth) {
  struct Case { const char* year; const char* month; const std::string* message; int y, m; };
  const Case cases[] = {
      {"1901", "1", &kYearMessage, 0, 0},    {"2048", "1", &kYearMessage, 0, 0},
      {"abc", "5", &kYearMessage, 0, 0},     {"", "5", &kYearMessage, 0, 0},
      {"1901", "abc", &kYearMessage, 0, 0},  // the month is not looked at
      {"-2008", "5", &kYearMessage, 0, 0},   {"1e999", "5", &kYearMessage, 0, 0},
      {"2048.5", "5", &kYearMessage, 0, 0},  {"2008", "0", &kMonthMessage, 0, 0},
      {"2008", "13", &kMonthMessage, 0, 0},  {"2008", "", &kMonthMessage, 0, 0},
      {"2008", "-1", &kMonthMessage, 0, 0},  {"2008", "x5", &kMonthMessage, 0, 0},
      {"1902", "1", nullptr, 1902, 1},       {"2047", "12", nullptr, 2047, 12},
      {"2047.9", "12.9", nullptr, 2047, 12},  // truncated toward zero
      {"2008年", "8月", nullptr, 2008, 8},    {" 2008", "0.5e1", nullptr, 2008, 5},
      {"２００８", "８", nullptr, 2008, 8},
  };
  for (const Case& c : cases) {
    const MonthRequest r = CheckRequestedMonth(c.year, c.month);
    const std::string where = std::string("year '") + c.year + "' month '" + c.month + "'";
    if (c.message != nullptr) {
      EXPECT_FALSE(r.passes) << where;
      EXPECT_EQ(r.message, *c.message) << where;
    } else {
      EXPECT_TRUE(r.passes) << where;
      EXPECT_EQ(r.message, "") << where;
      EXPECT_EQ(r.year, c.y) << where;
      EXPECT_EQ(r.month, c.m) << where;
    }
  }
}

TEST(EraText, ReignAndRepublicYears) {
  struct Case { int year; const char* text; };
  const Case cases[] = {
      {1902, "◆光绪28"}, {1908, "◆光绪34"}, {1909, "◆宣统元"},   {1910, "◆宣统2"},
      {1911, "◆宣统3"},  {1912, "◆民国元"}, {1913, "◆民国2"},    {1949, "◆民国38"},
      {1950, "◆共和国元"}, {1951, "◆共和国2"}, {2008, "◆共和国59"}, {2047, "◆共和国98"},
      {INT_MIN, "◆光绪-2147485522"}, {INT_MAX, "◆共和国2147481698"},
  };
  for (const Case& c : cases) EXPECT_EQ(EraText(c.year), c.text) << c.year;
}

TEST(YearInfoText, EraSexagenaryYearAndAnimal) {
  struct Case { int year, lunarYear; const char* text; };
  const Case cases[] = {
      {1902, 1901, "◆光绪28年◆ 农历 辛丑年〖牛〗"},
      {1909, 1909, "◆宣统元年◆ 农历 己酉年〖鸡〗"},
      {1912, 1911, "◆民国元年◆ 农历 辛亥年〖猪〗"},
      {1949, 1949, "◆民国38年◆ 农历 己丑年〖牛〗"},
      {1950, 1950, "◆共和国元年◆ 农历 庚寅年〖虎〗"},
      {1951, 1951, "◆共和国2年◆ 农历 辛卯年〖兔〗"},
      {2008, 2007, "◆共和国59年◆ 农历 丁亥年〖猪〗"},
      {2008, 2008, "◆共和国59年◆ 农历 戊子年〖鼠〗"},
      {2047, 2047, "◆共和国98年◆ 农历 丁卯年〖兔〗"},
      // A lunar year below 4 gives a cycle index of 0 or less: no name.
      {2008, 0, "◆共和国59年◆ 农历 年〖猴〗"},
  };
  for (const Case& c : cases) EXPECT_EQ(YearInfoText(c.year, c.lunarYear), c.text) << c.year;
}

TEST(LunarNames, YearDigitsMonthNamesAndDayNames) {
  EXPECT_EQ(LunarYearDigits(2008), "二零零八");
  EXPECT_EQ(LunarYearDigits(1999), "一九九九");
  EXPECT_EQ(LunarYearDigits(1901), "一九零一");
  EXPECT_EQ(LunarYearDigits(0), "零");
  EXPECT_EQ(LunarYearDigits(-5), "-五");

  const char* months[] = {"", "正", "二", "三", "四", "五", "六", "七", "八", "九", "十", "十一", "腊", ""};
  for (int m = 0; m <= 13; ++m) EXPECT_EQ(LunarMonthName(m), months[m]) << m;
  EXPECT_EQ(LunarMonthName(-1), "");
  EXPECT_EQ(LunarMonthName(INT_MIN), "");

  struct Case { int day; const char* text; };
  const Case days[] = {{1, "初一"},  {9, "初九"},  {10, "初十"}, {11, "十一"}, {19, "十九"},
                       {20, "二十"}, {21, "廿一"}, {29, "廿九"}, {30, "三十"}, {0, ""},
                       {31, ""},     {-1, ""},     {INT_MAX, ""}};
  for (const Case& c : days) EXPECT_EQ(LunarDayText(c.day), c.text) << c.day;
}

TEST(LunarDateText, PanelLineWithoutTheLeapFlag) {
  struct Case { LunarDate date; const char* text; };
  const Case cases[] = {
      {{2008, 12, 5, false}, "农历:二零零八年腊月初五"},
      {{2008, 1, 1, false}, "农历:二零零八年正月初一"},
      {{2010, 3, 20, false}, "农历:二零一零年三月二十"},
      {{2009, 5, 5, true}, "农历:二零零九年五月初五"},
      {{2033, 11, 30, true}, "农历:二零三三年十一月三十"},
  };
  for (const Case& c : cases) EXPECT_EQ(LunarDateText(c.date), c.text) << c.text;
}

TEST(LunarMonthHeading, NumeralSizeAndLeapMark) {
  struct Case { LunarDate date; const char* text; };
  const Case cases[] = {
      {{2008, 1, 1, false}, "一月大"},     // 30 days; the grid writes 一, not 正
      {{2008, 2, 1, false}, "二月小"},
      {{2020, 4, 1, true}, "闰四月小"},    // intercalary 4th month of 29 days
      {{2033, 11, 1, true}, "闰十一月小"},
      {{2033, 11, 1, false}, "十一月大"},
      {{2008, 12, 1, false}, "十二月大"},  // 腊 in the panel, 十二 in the grid
      {{2008, 11, 1, false}, "十一月小"},
      {{2009, 10, 1, false}, "十月小"},
      {{2009, 4, 1, true}, "闰四月小"},    // no such month: length 0 reads 小
      {{2060, 1, 1, false}, "一月小"},     // beyond the table likewise
      {{2008, 0, 1, false}, ""},
      {{2008, 13, 1, false}, ""},
  };
  for (const Case& c : cases) EXPECT_EQ(LunarMonthHeading(c.date), c.text) << c.text;
}

TEST(WeekdayName, SundayIsOne) {
  const char* names[] = {"", "星期日", "星期一", "星期二", "星期三", "星期四", "星期五", "星期六", ""};
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(WeekdayName(n), names[n]) << n;
  EXPECT_EQ(WeekdayName(-1), "");
  EXPECT_EQ(WeekdayName(INT_MIN), "");
  EXPECT_EQ(WeekdayName(core::PartsOf(DateTimeOf(2008, 8, 8)).weekday), "星期五");
}

TEST(FestivalTable, ClassesAndTheAntiDrugDayRow) {
  const auto table = FestivalTable();
  int classOne = 0;
  for (const FestivalRule& rule : table) {
    const char digit = rule.entry.front();
    ASSERT_TRUE(digit == '1' || digit == '2' || digit == '3') << rule.entry;
    if (digit == '1') ++classOne;
    // Class 2 holds the other Gregorian rows, class 3 the other lunar rows.
    if (digit != '1') {
      EXPECT_EQ(rule.lunar, digit == '3') << rule.entry;
    }
    EXPECT_GE(rule.month, 1);
    EXPECT_LE(rule.month, 12);
    EXPECT_GE(rule.days[0], 1) << rule.entry;
  }
  EXPECT_EQ(classOne, 4);
  ASSERT_EQ(table.size(), 55u);
  EXPECT_EQ(table[20].entry, "2全国土地日");
  EXPECT_EQ(table[21].entry, "2国际禁毒日");
  EXPECT_EQ(table[22].entry, "2香港回归中共诞辰");
  EXPECT_EQ(table.back().entry, "3小年");
}

TEST(FestivalOf, FirstMatchingRowWins) {
  struct Case { int y, m, d; const char* text; const char* why; };
  const Case cases[] = {
      {2010, 1, 1, "1元旦", ""},
      {2010, 5, 2, "1劳动节", ""},
      {2010, 5, 3, "1劳动节", ""},
      {2010, 5, 4, "2青年节", ""},
      {2010, 2, 14, "1春节", "lunar 1/1 wins over 情人节"},
      {2014, 2, 14, "2情人节", "lunar 1/15: 情人节 wins over 元宵节"},
      {2020, 10, 1, "1国庆节", "lunar 8/15: 国庆节 wins over 中秋节"},
      {2009, 5, 28, "3端午节", "lunar 5/5"},
      {2009, 6, 27, "3端午节", "day 5 of the intercalary 5th month"},
      {1901, 8, 10, "3火把节", "lunar 6/26"},
      {1902, 7, 30, "2被奴国周", "lunar 6/26: Gregorian rows come first"},
      {1902, 1, 17, "3腊八节", "lunar 12/8 of 1901"},
      {2009, 6, 25, "2全国土地日", ""},
      {2009, 6, 26, "2国际禁毒日", ""},
      {2009, 6, 28, "", "nothing"},
      {1900, 1, 31, "", "lunar New Year 1900, outside the span: lunar rows cannot match"},
      {2049, 2, 2, "", "lunar New Year 2049, outside the span"},
      {1900, 10, 1, "1国庆节", "Gregorian rows match outside the span"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(FestivalOf(DateTimeOf(c.y, c.m, c.d)), c.text) << c.y << "-" << c.m << "-" << c.d << " " << c.why;
  // The time of day does not count.
  EXPECT_EQ(FestivalOf(DateTimeOf(2009, 6, 27, 23, 59, 59)), "3端午节");
}

TEST(FestivalOf, FixedGregorianDaysEveryYear) {
  for (int year = 1901; year <= 2049; ++year) {
    EXPECT_EQ(FestivalOf(DateTimeOf(year, 5, 20)), "2母亲节") << year;
    EXPECT_EQ(FestivalOf(DateTimeOf(year, 6, 26)), "2国际禁毒日") << year;
  }
}

TEST(CalendarTexts, AreTotalOverArbitraryArguments) {
  std::mt19937 random(19491001);
  std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
  std::uniform_int_distribution<int> small(-5, 65);
  std::uniform_real_distribution<double> anyDay(-1.0e6, 4.0e6);
  const double odd[] = {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::infinity(),
                        -std::numeric_limits<double>::infinity(), 1e300, -1e300};
  for (double value : odd) {
    const std::string festival = FestivalOf(value);
    EXPECT_TRUE(festival.empty() || festival[0] == '1' || festival[0] == '2') << value;  // no lunar row
  }
  for (int i = 0; i < 50000; ++i) {
    const int a = i % 2 ? anyInt(random) : small(random);
    const int b = i % 3 ? anyInt(random) : small(random);
    const LunarDate d{anyInt(random), a, b, (i & 1) != 0};
    EraText(a);
    YearInfoText(a, b);
    LunarYearDigits(a);
    LunarMonthName(a);
    LunarDayText(b);
    LunarDateText(d);
    LunarMonthHeading(d);
    WeekdayName(a);
    const std::string festival = FestivalOf(anyDay(random));
    ASSERT_TRUE(festival.empty() || (festival[0] >= '1' && festival[0] <= '3'));
  }
}

}  // namespace
