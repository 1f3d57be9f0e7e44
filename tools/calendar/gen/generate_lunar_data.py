#!/usr/bin/env python3
"""Generates core/LunarCalendarData.cpp, the packed tables of the lunar calendar.

The months and solar terms are computed here from the Swiss Ephemeris
(ephemeris.py) by the rules of the Chinese calendar, with the time zone of
each period and the few published days that no modern computation gives.
Everything the tables say is thus derived from astronomy plus the documented
corrections below; the test suite checks the result day by day against an
independent reference (lunar-javascript).

Usage: python3 tools/calendar/gen/generate_lunar_data.py [OUTPUT]
Needs Debian's libswe-dev and swe-basic-data (apt-get install libswe-dev
swe-basic-data); standard library otherwise.
"""

import datetime
import math
import os
import sys
import textwrap

import ephemeris

# Day 0 of core::DateTime is 1899-12-30; its Julian day at 00:00 UT.
EPOCH_JD = 2415018.5
EPOCH_DATE = datetime.date(1899, 12, 30)

FIRST_LUNAR_YEAR = 1901          # lunar years in the month table: 1901..2049
LAST_LUNAR_YEAR = 2049
FIRST_TERM_YEAR = 1901           # Gregorian years in the solar-term table: 1901..2050
LAST_TERM_YEAR = 2050            # (lunar year 2049 ends on 2050-01-22)

TERM_NAMES = ["小寒", "大寒", "立春", "雨水", "惊蛰", "春分", "清明", "谷雨",
              "立夏", "小满", "芒种", "夏至", "小暑", "大暑", "立秋", "处暑",
              "白露", "秋分", "寒露", "霜降", "立冬", "小雪", "大雪", "冬至"]

UTC8_HOURS = 8.0
BEIJING_MEAN_TIME_HOURS = 7 + 45 / 60 + 40 / 3600   # UT+7:45:40, meridian 116°25'E

# The calendars of 1914 to 1928 were computed for Beijing local mean time;
# before 1914 the published month starts agree with UTC+8, and from 1929 on
# the calendar is computed for UTC+8 (120°E). No new moon or solar term lies
# within the 14 min 20 s that separate the two near either boundary, so taking
# the period by the Gregorian year of the event is unambiguous.
BEIJING_MEAN_TIME_YEARS = range(1914, 1929)

# Published solar-term days that the period's time zone alone does not give.
# (year, term): (days to add to the computed day, reason). All three are
# major terms, and none of them moves a month boundary or a leap month.
PUBLISHED_TERM_CORRECTIONS = {
    (1912, "小雪"): (+1, "computed 22 Nov 23:48 UTC+8; the 1912 calendar, still made by "
                         "the Qing bureau's 1742 method, gives 23 Nov (00:39)"),
    (1913, "秋分"): (+1, "computed 23 Sep 23:53 UTC+8; the 1913 calendar (same 1742 "
                         "method) gives 24 Sep (00:48)"),
    (1979, "大寒"): (+1, "computed 20 Jan 23:59:54 UTC+8, six seconds before midnight; "
                         "the published calendar (solar theory of the time) gives 21 Jan"),
}


def jd_of(date):
    return EPOCH_JD + (date - EPOCH_DATE).days


def date_of(day):
    return EPOCH_DATE + datetime.timedelta(days=day)


def zone_hours(jd_ut):
    year = date_of(math.floor(jd_ut - EPOCH_JD + UTC8_HOURS / 24)).year
    return BEIJING_MEAN_TIME_HOURS if year in BEIJING_MEAN_TIME_YEARS else UTC8_HOURS


def local_day(jd_ut):
    """Day number (days since 1899-12-30) of the civil date of a moment."""
    return math.floor(jd_ut - EPOCH_JD + zone_hours(jd_ut) / 24)


def seconds_from_midnight(jd_ut):
    x = jd_ut - EPOCH_JD + zone_hours(jd_ut) / 24
    frac = x - math.floor(x)
    return (frac if frac < 0.5 else frac - 1.0) * 86400


class Term:
    def __init__(self, year, index, jd):
        self.year, self.index, self.jd = year, index, jd
        self.name = TERM_NAMES[index]
        self.day = local_day(jd)
        self.note = None
        fix = PUBLISHED_TERM_CORRECTIONS.get((year, self.name))
        if fix:
            self.day += fix[0]
            self.note = fix[1]
        assert date_of(self.day).year == year, (year, self.name)

    @property
    def major(self):   # 大寒, 雨水, ... 冬至: the terms that number the months
        return self.index % 2 == 1


def compute_terms(first_year, last_year):
    terms = []
    for year in range(first_year, last_year + 1):
        for index in range(24):
            guess = jd_of(datetime.date(year, 1, 6)) + index * 15.2184
            lon = (285 + 15 * index) % 360
            terms.append(Term(year, index, ephemeris.solar_term(guess, lon)))
    return terms


def compute_new_moons(first_jd, last_jd):
    moons = [ephemeris.new_moon(first_jd)]
    while moons[-1] < last_jd:
        following = ephemeris.new_moon(moons[-1] + 29.53)
        assert 29.2 < following - moons[-1] < 29.9
        moons.append(following)
    return moons


def build_months(terms, moon_days):
    """[(first day, month number, leap)] by the rules of the Chinese calendar.

    The month holding the winter solstice is month 11. When 13 months start
    from one such month to the next, the first of them (after month 11) that
    holds no major term is the intercalary month and repeats the number of the
    month before it.
    """
    solstice = {t.year: t.day for t in terms if t.name == "冬至"}
    major_days = sorted(t.day for t in terms if t.major)

    def month_at(day):
        return max(i for i, start in enumerate(moon_days) if start <= day)

    def holds_major(i):
        return any(moon_days[i] <= d < moon_days[i + 1] for d in major_days)

    numbered = {}
    for year in range(FIRST_LUNAR_YEAR - 1, LAST_LUNAR_YEAR + 1):
        first, last = month_at(solstice[year]), month_at(solstice[year + 1])
        leap_index = None
        if last - first == 13:
            leap_index = next(i for i in range(first + 1, last) if not holds_major(i))
        number = 11
        for i in range(first, last):
            if i == leap_index:
                numbered[i] = (number, True)
                continue
            if i != first:
                number = number % 12 + 1
            numbered[i] = (number, False)
    return [(moon_days[i], n, leap) for i, (n, leap) in sorted(numbered.items())], moon_days


def lunar_years(months, moon_days):
    """{lunar year: (new-year day, [lengths], leap month number or 0)}."""
    years = {}
    current = None
    for start, number, leap in months:
        if number == 1 and not leap:
            current = date_of(start).year
            years[current] = (start, [], 0)
        if current is None:
            continue
        following = moon_days[moon_days.index(start) + 1]
        years[current][1].append(following - start)
        if leap:
            years[current] = (years[current][0], years[current][1], number)
    return years


def jan1(year):
    return (datetime.date(year, 1, 1) - EPOCH_DATE).days


def pack_years(years):
    words = []
    for year in range(FIRST_LUNAR_YEAR, LAST_LUNAR_YEAR + 1):
        new_year, lengths, leap = years[year]
        assert len(lengths) == (13 if leap else 12)
        assert all(n in (29, 30) for n in lengths)
        offset = new_year - jan1(year) - 20
        assert 0 <= offset < 32
        bits = sum(1 << i for i, n in enumerate(lengths) if n == 30)
        words.append(bits | leap << 13 | offset << 17)
    return words


def pack_terms(terms):
    in_table = [t for t in terms if FIRST_TERM_YEAR <= t.year <= LAST_TERM_YEAR]
    base = [min(date_of(t.day).day for t in in_table if t.index == i) for i in range(24)]
    rows = []
    for year in range(FIRST_TERM_YEAR, LAST_TERM_YEAR + 1):
        words = [0, 0, 0]
        for t in in_table:
            if t.year == year:
                offset = date_of(t.day).day - base[t.index]
                assert 0 <= offset < 4, (year, t.name)
                assert date_of(t.day).month == t.index // 2 + 1
                words[t.index // 8] |= offset << (2 * (t.index % 8))
        rows.append(words)
    return base, rows


def check_round_trip(words, years, base, rows, terms):
    """Unpacks the tables and compares them with what they were made from."""
    for k, word in enumerate(words):
        year = FIRST_LUNAR_YEAR + k
        new_year, lengths, leap = years[year]
        count = 13 if word >> 13 & 15 else 12
        assert jan1(year) + 20 + (word >> 17 & 31) == new_year
        assert [30 if word >> i & 1 else 29 for i in range(count)] == lengths
        assert word >> 13 & 15 == leap
    for t in terms:
        if FIRST_TERM_YEAR <= t.year <= LAST_TERM_YEAR:
            word = rows[t.year - FIRST_TERM_YEAR][t.index // 8]
            offset = word >> (2 * (t.index % 8)) & 3
            assert base[t.index] + offset == date_of(t.day).day


def close_calls(terms, moons, limit_seconds):
    calls = []
    for t in terms:
        s = seconds_from_midnight(t.jd)
        if FIRST_TERM_YEAR <= t.year <= LAST_TERM_YEAR and abs(s) < limit_seconds:
            calls.append((t.jd, "%d %s" % (t.year, t.name), s, t.note))
    for jd in moons:
        s = seconds_from_midnight(jd)
        if abs(s) < limit_seconds and 1901 <= date_of(local_day(jd)).year <= 2050:
            calls.append((jd, "new moon", s, None))
    return sorted(calls)


def describe_moment(jd):
    hours = zone_hours(jd)
    moment = datetime.datetime(1899, 12, 30) + datetime.timedelta(days=jd - EPOCH_JD + hours / 24)
    moment = moment.replace(microsecond=0)
    return "%s %s" % (moment.isoformat(sep=" "), "UTC+8" if hours == UTC8_HOURS else "Beijing mean time")


HEADER = """\
// Generated by tools/calendar/gen/generate_lunar_data.py from the Swiss
// Ephemeris (DE431); do not edit by hand. Layout: core/LunarCalendarData.h.
//
// Conventions of the published Chinese calendar, by period:
// - 1901-1913: month starts are the civil dates in UTC+8 of the new moons
//   (the Qing and early Republic calendars agree with that over the span).
//   Solar terms likewise, except two days of the 1912 and 1913 calendars,
//   which were still computed by the Qing bureau's method of 1742 (below).
// - 1914-1928: the Republic's calendars were computed for Beijing local mean
//   time, UT+7:45:40. New moons and terms between 00:00 and 00:14:20 UTC+8
//   fall on the day before: this moves the first days of 1914 month 10,
//   1916 month 1 (New Year on 3 February) and 1920 month 10, and the solar
//   terms 1917 大雪, 1927 白露 and 1928 夏至.
// - From 1929: UTC+8 (the meridian 120°E), the Purple Mountain Observatory's
//   convention, with one published close call (1979 大寒, below).
// Months: the month holding the winter solstice is month 11; in a year of 13
// months between two such months, the first month without a major term is
// the intercalary one.
//
// Published days that differ from the computation in the period's zone:
%(corrections)s
//
// Moments within %(limit)d s of local midnight (the days most sensitive to the
// ephemeris and Delta T; all others are further than that from midnight):
%(calls)s

#include "core/LunarCalendarData.h"

namespace core::lunar_data {

// Per lunar year from %(first_year)d: bits 0-12 the month lengths in order
// (1 = 30 days), bits 13-16 the intercalary month's number (0 = none),
// bits 17-21 the New Year's day minus 21 January.
const std::uint32_t kLunarYears[kLunarYearCount] = {
%(years)s
};

// Earliest day of the month on which each term falls, 1901-2050.
const std::uint8_t kTermBaseDay[24] = {%(base)s};

// Per Gregorian year from %(first_term_year)d: for term i, 2 bits at
// (2 * (i %% 8)) of word i / 8, the day minus kTermBaseDay[i].
const std::uint16_t kSolarTermOffsets[kTermYearCount][3] = {
%(rows)s
};

}  // namespace core::lunar_data
"""


def render(words, base, rows, terms, moons):
    corrections = []
    for (year, name), (_, why) in sorted(PUBLISHED_TERM_CORRECTIONS.items()):
        lines = textwrap.wrap("%d %s: %s." % (year, name, why), 72)
        corrections += ["//   " + lines[0]] + ["//     " + line for line in lines[1:]]
    limit = 60
    calls = ["//   %-12s %s%s" % (what, describe_moment(jd), " (published: next day)" if note else "")
             for jd, what, _, note in close_calls(terms, moons, limit)]
    year_lines = []
    for k in range(0, len(words), 6):
        chunk = words[k:k + 6]
        year_lines.append("    " + " ".join("0x%06X," % w for w in chunk) +
                          "  // %d-%d" % (FIRST_LUNAR_YEAR + k, FIRST_LUNAR_YEAR + k + len(chunk) - 1))
    row_lines = ["    {0x%04X, 0x%04X, 0x%04X},  // %d" % (r[0], r[1], r[2], FIRST_TERM_YEAR + k)
                 for k, r in enumerate(rows)]
    return HEADER % {
        "corrections": "\n".join(corrections),
        "limit": limit,
        "calls": "\n".join(calls),
        "first_year": FIRST_LUNAR_YEAR,
        "first_term_year": FIRST_TERM_YEAR,
        "years": "\n".join(year_lines),
        "base": ", ".join(str(b) for b in base),
        "rows": "\n".join(row_lines),
    }


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__)))))
    output = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "core", "LunarCalendarData.cpp")
    terms = compute_terms(FIRST_LUNAR_YEAR - 2, LAST_TERM_YEAR + 1)
    moons = compute_new_moons(jd_of(datetime.date(1899, 11, 1)), jd_of(datetime.date(2052, 1, 1)))
    months, moon_days = build_months(terms, [local_day(jd) for jd in moons])
    years = lunar_years(months, moon_days)
    words = pack_years(years)
    base, rows = pack_terms(terms)
    check_round_trip(words, years, base, rows, terms)
    with open(output, "w", encoding="utf-8", newline="\n") as f:
        f.write(render(words, base, rows, terms, moons))
    print("wrote %s: %d lunar years, %d years of solar terms" % (output, len(words), len(rows)))


if __name__ == "__main__":
    main()
