#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "core/DateTime.h"
#include "core/Text.h"

namespace {

using namespace core;

TEST(ToInteger, AbsorbsTheErrorOfProductsButOtherwiseTruncates) {
  struct Case { double in; int out; };
  const Case cases[] = {
      {0.9999999999995, 1}, {0.99999999999, 0},  {-0.5, 0},          {2.9, 2},
      {-2.9, -2},           {2.9999999999995, 3}, {-2.9999999999995, -3},
      {-0.9999999999995, -1}, {0.7 * 3600000, 2520000}, {0.0, 0},
      {1e300, 2147483647},  {-1e300, -2147483647 - 1}, {NAN, 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ToInteger(c.in), c.out) << c.in;
}

TEST(DecimalText, IntegersAndTheThirteenDigitRealForm) {
  EXPECT_EQ(DecimalText(0), "0");
  EXPECT_EQ(DecimalText(-42), "-42");
  EXPECT_EQ(DecimalText(std::int64_t{4294967295}), "4294967295");
  struct Case { double in; const char* out; };
  const Case cases[] = {
      {3600000.0, "3600000"}, {0.5, "0.5"},       {1e20, "1e+20"}, {-1000.0, "-1000"},
      {0.0, "0"},             {212399000.0, "212399000"}, {1.0 / 3, "0.3333333333333"},
      {1e-5, "1e-05"},        {1234567890123.0, "1234567890123"},
      {12345678901234.0, "1.234567890123e+13"},
  };
  for (const Case& c : cases) EXPECT_EQ(DecimalText(c.in), c.out) << c.in;
}

TEST(NumberOfText, ReadsTheLeadingNumberLikeAtof) {
  struct Case { const char* in; double out; };
  const Case cases[] = {
      {"12abc", 12},  {"abc", 0},     {"", 0},         {"  -3.5e2x", -350},
      {"59", 59},     {"1e", 1},      {".5", 0.5},     {"1.", 1},
      {"+7", 7},      {"-", 0},       {"１２３", 123}, {"－５", -5},
      {"3600000", 3600000}, {"1e+", 1}, {"\t\n 8", 8}, {"0x10", 0},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(NumberOfText(c.in), c.out) << c.in;
  EXPECT_TRUE(std::isinf(NumberOfText("1e999")));
}

TEST(Gbk, CountsTwoBytesForChineseAndCutsOnCharacterBoundaries) {
  EXPECT_EQ(GbkLength("Vaelto"), 6u);
  EXPECT_EQ(GbkLength("2情人节"), 7u);
  EXPECT_EQ(GbkLength("Vaelto\r\n定时"), 12u);
  EXPECT_EQ(CutToGbkBytes("ab定时", 3), "ab");  // would split 定
  EXPECT_EQ(CutToGbkBytes("ab定时", 4), "ab定");
  EXPECT_EQ(CutToGbkBytes("abc", 62), "abc");
  const std::string longTip = "Vaelto\r\n倒计时关机已经运行！剩余时间：0时0分58秒这是多出来的文字很长很长";
  EXPECT_LE(GbkLength(CutToGbkBytes(longTip, 62)), 62u);
  EXPECT_EQ(GbkLength(CutToGbkBytes(longTip, 62)), 62u);
}

TEST(DaysInMonth, GregorianLeapYearsAndRange) {
  struct Case { int y, m, days; };
  const Case cases[] = {{1900, 2, 28}, {2000, 2, 29}, {2008, 13, 0}, {2008, 2, 29}, {2007, 2, 28},
                        {2008, 0, 0},  {99, 1, 0},    {100, 1, 31},  {9999, 12, 31}, {10000, 1, 0},
                        {2024, 4, 30}};
  for (const Case& c : cases) EXPECT_EQ(DaysInMonth(c.y, c.m), c.days) << c.y << "-" << c.m;
}

TEST(DateTimeText, ShowsTheTimeOfDayOnlyAsFarAsItIsNotZero) {
  struct Case { DateTime d; const char* text; };
  const Case cases[] = {
      {DateTimeOf(2014, 7, 5, 9, 5, 3), "2014年7月5日9时5分3秒"},
      {DateTimeOf(2014, 7, 5, 9, 5, 0), "2014年7月5日9时5分"},
      {DateTimeOf(2014, 7, 5, 9, 0, 0), "2014年7月5日9时"},
      {DateTimeOf(2014, 7, 5, 0, 0, 0), "2014年7月5日"},
      {DateTimeOf(2014, 7, 5, 0, 0, 7), "2014年7月5日0时0分7秒"},
      {0.0, "1899年12月30日"},
      {-1e9, "100年1月1日"},
      {1e9, "9999年12月31日"},
      {DateTimeOf(2014, 7, 5, 23, 59, 59) + 0.6 / 86400, "2014年7月6日"},  // to the nearest second
  };
  for (const Case& c : cases) EXPECT_EQ(DateTimeText(c.d), c.text);
}

TEST(DateParts, WeekdayAndBounds) {
  EXPECT_EQ(PartsOf(DateTimeOf(2008, 9, 1)).weekday, 2);   // a Monday
  EXPECT_EQ(PartsOf(DateTimeOf(2015, 2, 1)).weekday, 1);   // a Sunday
  EXPECT_EQ(PartsOf(0.0).weekday, 7);                      // 1899-12-30, a Saturday
  EXPECT_EQ(PartsOf(kLowestDateTime).year, 100);
  EXPECT_DOUBLE_EQ(DateTimeOf(100, 1, 1), kLowestDateTime);
  EXPECT_DOUBLE_EQ(DateTimeOf(9999, 12, 31), kHighestDateTime);
  EXPECT_DOUBLE_EQ(DateOnly(DateTimeOf(2014, 7, 5, 13, 1, 2)), DateTimeOf(2014, 7, 5));
}

TEST(DateTimeOfText, DatesAndNonDates) {
  struct Case { const char* text; DateTime d; };
  const DateTime none = kLowestDateTime;
  const Case cases[] = {
      {"2008年9月1日", DateTimeOf(2008, 9, 1)},
      {"2008-9-1", DateTimeOf(2008, 9, 1)},
      {"2008/09/01 12:30:15", DateTimeOf(2008, 9, 1, 12, 30, 15)},
      {"2024年5月3日12时30分15秒", DateTimeOf(2024, 5, 3, 12, 30, 15)},
      {"2024年5月3日12时30分15秒以后", DateTimeOf(2024, 5, 3, 12, 30, 15)},
      {"２００８年２月２９日", DateTimeOf(2008, 2, 29)},
      {"2008.2.29", DateTimeOf(2008, 2, 29)},
      {"2008年2月29日", DateTimeOf(2008, 2, 29)},
      {"2007年2月29日", none},
      {"2008年2月30日", none},
      {"2008年9月", none},
      {"", none},
      {"99-1-1", none},
      {"2008-0-1", none},
      {"2008-1-1 24:00:00", none},
      {"2008-1-1 23:60", none},
      {"2008-1-1x", none},
      {"abc", none},
  };
  for (const Case& c : cases) EXPECT_DOUBLE_EQ(DateTimeOfText(c.text), c.d) << c.text;
}

TEST(DateTimeOfText, NeverCrashesOnRandomBytes) {
  std::mt19937 random(12345);
  const std::string alphabet = "0123456789-./: 年月日时分秒\xff\xfe\x80";
  for (int n = 0; n < 20000; ++n) {
    std::string text;
    const int length = static_cast<int>(random() % 24);
    for (int i = 0; i < length; ++i) {
      text += (random() % 2) ? static_cast<char>(random() % 256)
                             : alphabet[random() % alphabet.size()];
    }
    const DateTime d = DateTimeOfText(text);
    EXPECT_GE(d, kLowestDateTime);
    EXPECT_LE(d, kHighestDateTime);
  }
}

TEST(ClockText, HasNoLeadingZeros) {
  EXPECT_EQ(ClockText(9, 5, 0), "9时5分0秒");
  EXPECT_EQ(ClockTextOfSeconds(SecondsOf(DateTimeOf(2020, 1, 1, 22, 30, 0))), "22时30分0秒");
  EXPECT_EQ(ClockTextOfSeconds(-1), "23时59分59秒");
}

}  // namespace
