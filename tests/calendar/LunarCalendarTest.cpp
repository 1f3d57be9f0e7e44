#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <random>
#include <set>
#include <string>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"

namespace {

using core::DateTimeOf;
using core::LunarDate;

void ExpectLunar(const LunarDate& got, const LunarDate& want, const std::string& where) {
  EXPECT_EQ(got.year, want.year) << where;
  EXPECT_EQ(got.month, want.month) << where;
  EXPECT_EQ(got.day, want.day) << where;
  EXPECT_EQ(got.leap, want.leap) << where;
}

// Facts of the published Chinese calendar, several of them days on which
// common implementations go wrong.
TEST(LunarDateOf, PublishedNewYearsAndIntercalaryMonths) {
  struct Case { int y, m, d; LunarDate lunar; const char* fact; };
  const Case cases[] = {
      {1901, 2, 19, {1901, 1, 1, false}, "first day of the span"},
      {1916, 2, 2, {1915, 12, 29, false}, "Beijing mean time moves New Year 1916"},
      {1916, 2, 3, {1916, 1, 1, false}, "New Year 1916 on 3 February"},
      {1917, 3, 23, {1917, 2, 1, true}, "intercalary 2nd month of 1917"},
      {1922, 6, 25, {1922, 5, 1, true}, "intercalary 5th month of 1922"},
      {1987, 7, 26, {1987, 6, 1, true}, "intercalary 6th month of 1987"},
      {2008, 2, 7, {2008, 1, 1, false}, "New Year 2008"},
      {2009, 5, 28, {2009, 5, 5, false}, "ordinary 5th month of 2009"},
      {2009, 6, 23, {2009, 5, 1, true}, "intercalary 5th month of 2009"},
      {2009, 6, 27, {2009, 5, 5, true}, "day 5 of the intercalary 5th month"},
      {2020, 10, 1, {2020, 8, 15, false}, "mid-autumn 2020"},
      {2027, 2, 5, {2026, 12, 29, false}, "last day of lunar year 2026"},
      {2027, 2, 6, {2027, 1, 1, false}, "New Year 2027 on 6 February"},
      {2033, 12, 22, {2033, 11, 1, true}, "intercalary 11th month of 2033"},
      {2048, 12, 31, {2048, 11, 27, false}, "last day of the span"},
  };
  for (const Case& c : cases) {
    LunarDate got;
    EXPECT_TRUE(core::LunarDateOf(DateTimeOf(c.y, c.m, c.d), got)) << c.fact;
    ExpectLunar(got, c.lunar, c.fact);
  }
}

TEST(LunarDateOf, IgnoresTheTimeOfDayToTheNearestSecond) {
  const LunarDate want{2009, 5, 5, true};
  for (double time : {0.0, 0.5, 86399.4 / 86400}) {
    LunarDate got;
    ASSERT_TRUE(core::LunarDateOf(DateTimeOf(2009, 6, 27) + time, got));
    ExpectLunar(got, want, std::to_string(time));
  }
  // 23:59:59.6 is the next day's midnight, as for PartsOf.
  LunarDate next;
  ASSERT_TRUE(core::LunarDateOf(DateTimeOf(2009, 6, 27) + 86399.6 / 86400, next));
  ExpectLunar(next, {2009, 5, 6, true}, "rounded to the next day");
}

TEST(LunarDateOf, FailsOutsideTheSpanAndLeavesTheDateAsItWas) {
  const double cases[] = {DateTimeOf(1901, 2, 18),
                          DateTimeOf(1901, 2, 18) + 0.9,
                          DateTimeOf(2049, 1, 1),
                          DateTimeOf(1900, 1, 31),
                          0.0,
                          -1.0e9,
                          1.0e300,
                          std::numeric_limits<double>::quiet_NaN(),
                          std::numeric_limits<double>::infinity(),
                          -std::numeric_limits<double>::infinity()};
  for (double value : cases) {
    LunarDate date{3, 4, 5, true};
    EXPECT_FALSE(core::LunarDateOf(value, date)) << value;
    ExpectLunar(date, {3, 4, 5, true}, std::to_string(value));
  }
}

TEST(LunarMonthLength, IsZeroForEveryMonthTheCalendarDoesNotHave) {
  struct Case { int year, month; bool leap; int days; };
  const Case cases[] = {
      {1901, 1, false, 29},  {2049, 12, false, 29}, {2009, 5, false, 30}, {2009, 5, true, 29},
      {2033, 11, true, 29},  {2020, 4, true, 29},   {2008, 1, false, 30}, {2009, 4, true, 0},
      {2009, 6, true, 0},    {2010, 5, true, 0},    {1900, 1, false, 0},  {2050, 1, false, 0},
      {2008, 0, false, 0},   {2008, 13, false, 0},  {2008, -1, false, 0}, {INT_MIN, 1, false, 0},
      {INT_MAX, 1, false, 0}, {2008, INT_MIN, true, 0},
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::LunarMonthLength(c.year, c.month, c.leap), c.days)
        << c.year << "/" << c.month << (c.leap ? " leap" : "");
}

TEST(SolarTermOf, NamesTheTermOfTheLunarDatesDay) {
  struct Case { LunarDate date; const char* term; };
  const Case cases[] = {
      {{1901, 1, 1, false}, "雨水"},    // 1901-02-19
      {{2008, 12, 10, false}, "小寒"},  // 2009-01-05, the year's first term
      {{2049, 12, 27, false}, "大寒"},  // 2050-01-20, in the last lunar year the table knows
      {{2009, 5, 29, false}, "夏至"},   // 2009-06-21
      {{2009, 5, 28, false}, ""},
      {{2010, 5, 10, false}, "夏至"},   // 2010-06-21
      {{2010, 5, 10, true}, "夏至"},    // 2010 has no intercalary 5th month: the flag counts as false
      {{1978, 12, 23, false}, "大寒"},  // published on 21 January 1979
  };
  for (const Case& c : cases)
    EXPECT_EQ(core::SolarTermOf(c.date), c.term)
        << c.date.year << "/" << c.date.month << "/" << c.date.day << (c.date.leap ? " leap" : "");
}

TEST(SolarTermOf, IsEmptyForDatesTheCalendarDoesNotHave) {
  const LunarDate cases[] = {
      {1900, 12, 1, false}, {2050, 1, 1, false},  {2009, 0, 1, false},  {2009, 13, 1, false},
      {2009, 5, 0, false},  {2009, 5, 31, false}, {2009, 5, 30, true},  // intercalary 5th has 29 days
      {2009, 5, -1, false}, {0, 0, 0, false},     {INT_MIN, INT_MIN, INT_MIN, true},
      {INT_MAX, INT_MAX, INT_MAX, true},
  };
  for (const LunarDate& d : cases)
    EXPECT_EQ(core::SolarTermOf(d), "") << d.year << "/" << d.month << "/" << d.day;
}

TEST(ZodiacOf, CyclesEveryTwelveYearsInBothDirections) {
  struct Case { int year; const char* animal; };
  const Case cases[] = {{2008, "鼠"}, {2007, "猪"}, {1901, "牛"}, {1949, "牛"}, {1950, "虎"},
                        {2049, "蛇"}, {4, "鼠"},    {3, "猪"},    {0, "猴"},    {-8, "鼠"}};
  for (const Case& c : cases) EXPECT_EQ(core::ZodiacOf(c.year), c.animal) << c.year;
  for (int year : {INT_MIN, INT_MIN + 11, -100, 1, 2049, INT_MAX - 12})
    EXPECT_EQ(core::ZodiacOf(year), core::ZodiacOf(year + 12)) << year;
}

TEST(SexagenaryName, StemAndBranchOfOneToSixty) {
  struct Case { int n; const char* name; };
  const Case cases[] = {{1, "甲子"},  {2, "乙丑"}, {11, "甲戌"},   {13, "丙子"},
                        {25, "戊子"}, {60, "癸亥"}, {0, ""},       {61, ""},
                        {-1, ""},     {INT_MIN, ""}, {INT_MAX, ""}};
  for (const Case& c : cases) EXPECT_EQ(core::SexagenaryName(c.n), c.name) << c.n;
}

// Arbitrary arguments never crash or read out of bounds (the native build runs
// under AddressSanitizer and UndefinedBehaviorSanitizer) and give results of
// the documented kinds.
TEST(LunarCalendar, IsTotalOverArbitraryArguments) {
  std::mt19937 random(20080808);
  std::uniform_int_distribution<int> anyInt(INT_MIN, INT_MAX);
  std::uniform_int_distribution<int> nearYear(1890, 2060);
  std::uniform_int_distribution<int> small(-3, 33);
  std::uniform_real_distribution<double> anyDay(-700000.0, 3000000.0);
  const std::set<std::string> terms = {"",     "小寒", "大寒", "立春", "雨水", "惊蛰", "春分",
                                       "清明", "谷雨", "立夏", "小满", "芒种", "夏至", "小暑",
                                       "大暑", "立秋", "处暑", "白露", "秋分", "寒露", "霜降",
                                       "立冬", "小雪", "大雪", "冬至"};
  for (int i = 0; i < 200000; ++i) {
    const bool wild = i % 4 == 0;
    const LunarDate d{wild ? anyInt(random) : nearYear(random), wild ? anyInt(random) : small(random),
                      wild ? anyInt(random) : small(random), (i & 1) != 0};
    const int length = core::LunarMonthLength(d.year, d.month, d.leap);
    ASSERT_TRUE(length == 0 || length == 29 || length == 30);
    ASSERT_EQ(terms.count(core::SolarTermOf(d)), 1u);
    ASSERT_EQ(core::ZodiacOf(d.year).size(), 3u);  // one Chinese character
    const std::string name = core::SexagenaryName(d.day);
    ASSERT_TRUE(name.empty() || name.size() == 6u);
    LunarDate out;
    if (core::LunarDateOf(anyDay(random), out)) {
      ASSERT_GE(out.day, 1);
      ASSERT_LE(out.day, core::LunarMonthLength(out.year, out.month, out.leap));
    }
  }
}

}  // namespace
