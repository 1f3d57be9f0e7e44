// Every day of the lunar calendar against lunar-javascript, an independent
// reference (tests/reference/lunar-reference.js writes its days to the file
// named by LUNAR_REFERENCE; CTest runs it first). Its month starts are those of
// the published calendar over the whole span; its solar terms are a UTC+8
// computation, which the published calendar departs from on the days listed in
// kPublishedTerms.
#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"

namespace {

using core::LunarDate;

struct ReferenceDay {
  std::string date;  // YYYY-MM-DD
  int year = 0, month = 0, day = 0;
  LunarDate lunar;
  std::string term;
};

// Solar-term days of the published calendar that lunar-javascript does not
// give, each moved from the reference's day to the published one.
struct PublishedTerm {
  const char* term;
  const char* referenceDay;
  const char* publishedDay;
  const char* why;
};
const PublishedTerm kPublishedTerms[] = {
    {"小雪", "1912-11-22", "1912-11-23", "the 1912 calendar still used the Qing method of 1742"},
    {"秋分", "1913-09-23", "1913-09-24", "the 1913 calendar still used the Qing method of 1742"},
    {"大雪", "1917-12-08", "1917-12-07", "00:01 UTC+8 is 23:47 Beijing mean time (1914-1928)"},
    {"白露", "1927-09-09", "1927-09-08", "00:05 UTC+8 is 23:52 Beijing mean time (1914-1928)"},
    {"夏至", "1928-06-22", "1928-06-21", "00:06 UTC+8 is 23:53 Beijing mean time (1914-1928)"},
    {"大寒", "1979-01-20", "1979-01-21", "23:59:54 UTC+8 by modern ephemerides; published as 00:00"},
};

std::vector<ReferenceDay> LoadReference() {
  std::vector<ReferenceDay> days;
  const char* path = std::getenv("LUNAR_REFERENCE");
  if (path == nullptr) return days;
  std::ifstream in(path);
  std::string line;
  while (std::getline(in, line)) {
    std::istringstream fields(line);
    ReferenceDay d;
    int leap = 0;
    std::getline(fields, d.date, '\t');
    fields >> d.lunar.year >> d.lunar.month >> d.lunar.day >> leap;
    fields.get();  // the tab before the term
    std::getline(fields, d.term);
    d.lunar.leap = leap != 0;
    d.year = std::stoi(d.date.substr(0, 4));
    d.month = std::stoi(d.date.substr(5, 2));
    d.day = std::stoi(d.date.substr(8, 2));
    days.push_back(d);
  }
  return days;
}

std::string Show(const LunarDate& d) {
  std::ostringstream s;
  s << d.year << "/" << d.month << "/" << d.day << (d.leap ? " leap" : "");
  return s.str();
}

// Collects mismatches and reports the first few, so one fault does not flood
// the output with thousands of lines.
class Mismatches {
 public:
  void Add(const std::string& what) {
    if (count_++ < 20) text_ += what + "\n";
  }
  bool Empty() const { return count_ == 0; }
  std::string Report() const { return std::to_string(count_) + " mismatches, first:\n" + text_; }

 private:
  int count_ = 0;
  std::string text_;
};

class LunarReference : public testing::Test {
 protected:
  static void SetUpTestSuite() { days_ = new std::vector<ReferenceDay>(LoadReference()); }
  static void TearDownTestSuite() { delete days_; }
  void SetUp() override {
    // The reference spans 1901-01-01 to 2050-12-31: lunar years 1900 to 2050.
    ASSERT_EQ(days_->size(), 54787u) << "LUNAR_REFERENCE must name the output of "
                                        "tests/reference/lunar-reference.js 1901-01-01 2050-12-31";
    ASSERT_EQ(days_->front().date, "1901-01-01");
    ASSERT_EQ(days_->back().date, "2050-12-31");
  }
  static const std::vector<ReferenceDay>& Days() { return *days_; }

 private:
  static std::vector<ReferenceDay>* days_;
};
std::vector<ReferenceDay>* LunarReference::days_ = nullptr;

TEST_F(LunarReference, LunarDateOfMatchesEveryDayAndFailsOutsideTheSpan) {
  const LunarDate untouched{7, 7, 7, true};
  Mismatches bad;
  for (const ReferenceDay& d : Days()) {
    LunarDate got = untouched;
    const bool ok = core::LunarDateOf(core::DateTimeOf(d.year, d.month, d.day, 12), got);
    const bool inSpan = d.date >= "1901-02-19" && d.date <= "2048-12-31";
    if (!inSpan) {
      if (ok || got.year != 7 || got.month != 7 || got.day != 7 || !got.leap)
        bad.Add(d.date + ": outside the span but converted to " + Show(got));
      continue;
    }
    if (!ok || std::tie(got.year, got.month, got.day, got.leap) !=
                   std::tie(d.lunar.year, d.lunar.month, d.lunar.day, d.lunar.leap))
      bad.Add(d.date + ": got " + (ok ? Show(got) : "failure") + ", reference " + Show(d.lunar));
  }
  EXPECT_TRUE(bad.Empty()) << bad.Report();
}

TEST_F(LunarReference, EachListedPublishedTermDayIsARealDifference) {
  // Each listed day must still be a real difference: the reference has the
  // term on its own day and not on the published one.
  std::map<std::string, std::string> termOn;
  for (const ReferenceDay& d : Days()) termOn[d.date] = d.term;
  for (const PublishedTerm& p : kPublishedTerms) {
    EXPECT_EQ(termOn[p.referenceDay], p.term) << p.referenceDay << " (" << p.why << ")";
    EXPECT_EQ(termOn[p.publishedDay], "") << p.publishedDay;
  }
}

TEST_F(LunarReference, SolarTermOfEveryDayOfLunarYears1901To2049) {
  std::map<std::string, std::string> expected;
  for (const ReferenceDay& d : Days()) expected[d.date] = d.term;
  for (const PublishedTerm& p : kPublishedTerms) {
    expected[p.referenceDay] = "";
    expected[p.publishedDay] = p.term;
  }
  Mismatches bad;
  for (const ReferenceDay& d : Days()) {
    const bool known = d.lunar.year >= 1901 && d.lunar.year <= 2049;
    const std::string want = known ? expected[d.date] : "";
    const std::string got = core::SolarTermOf(d.lunar);
    if (got != want) bad.Add(d.date + " (" + Show(d.lunar) + "): got '" + got + "', want '" + want + "'");
  }
  EXPECT_TRUE(bad.Empty()) << bad.Report();
}

TEST_F(LunarReference, MonthLengthsAndIntercalaryMonthsOfLunarYears1901To2049) {
  std::map<std::tuple<int, int, bool>, int> length;  // (year, month, leap) -> days
  for (const ReferenceDay& d : Days()) {
    int& n = length[{d.lunar.year, d.lunar.month, d.lunar.leap}];
    if (d.lunar.day > n) n = d.lunar.day;
  }
  Mismatches bad;
  for (int year = 1901; year <= 2049; ++year) {
    for (int month = 1; month <= 12; ++month) {
      for (bool leap : {false, true}) {
        const auto it = length.find({year, month, leap});
        const int want = it == length.end() ? 0 : it->second;  // 0: no such intercalary month
        const int got = core::LunarMonthLength(year, month, leap);
        if (got != want)
          bad.Add(std::to_string(year) + "/" + std::to_string(month) + (leap ? " leap" : "") +
                  ": got " + std::to_string(got) + ", reference " + std::to_string(want));
      }
    }
  }
  EXPECT_TRUE(bad.Empty()) << bad.Report();
}

}  // namespace
