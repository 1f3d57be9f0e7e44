// calendar-dump FROM TO: a developer tool, not part of the program. Prints one
// tab-separated line per Gregorian day from FROM to TO (YYYY-MM-DD):
// date, lunar year, lunar month, lunar day, leap flag (0/1), solar term,
// festival. Days outside the lunar calendar's span show 0 0 0 0.
#include <cstdio>
#include <cstring>
#include <string>

#include "core/DateTime.h"
#include "core/LunarCalendar.h"
#include "core/Text.h"
#include "tools/calendar/CalendarTexts.h"

namespace {

// Strict YYYY-MM-DD of a real date.
bool ParseDate(const char* text, core::DateTime& value) {
  if (std::strlen(text) != 10 || text[4] != '-' || text[7] != '-') return false;
  int fields[3] = {0, 0, 0};
  const int starts[3] = {0, 5, 8};
  const int lengths[3] = {4, 2, 2};
  for (int f = 0; f < 3; ++f) {
    for (int i = 0; i < lengths[f]; ++i) {
      const char c = text[starts[f] + i];
      if (c < '0' || c > '9') return false;
      fields[f] = fields[f] * 10 + (c - '0');
    }
  }
  if (fields[2] < 1 || fields[2] > core::DaysInMonth(fields[0], fields[1])) return false;
  value = core::DateTimeOf(fields[0], fields[1], fields[2]);
  return true;
}

std::string TwoDigits(int n) {
  std::string text = core::DecimalText(n);
  if (text.size() < 2) text.insert(text.begin(), '0');
  return text;
}

std::string DumpLine(core::DateTime day) {
  const core::DateParts parts = core::PartsOf(day);
  core::LunarDate lunar;
  core::LunarDateOf(day, lunar);
  std::string line = core::DecimalText(parts.year) + "-" + TwoDigits(parts.month) + "-" +
                     TwoDigits(parts.day);
  for (int field : {lunar.year, lunar.month, lunar.day, lunar.leap ? 1 : 0}) {
    line += '\t';
    line += core::DecimalText(field);
  }
  line += '\t';
  line += core::SolarTermOf(lunar);
  line += '\t';
  line += calendar::FestivalOf(day);
  line += '\n';
  return line;
}

}  // namespace

int main(int argc, char** argv) {
  core::DateTime from = 0;
  core::DateTime to = 0;
  if (argc != 3 || !ParseDate(argv[1], from) || !ParseDate(argv[2], to) || from > to) {
    std::fputs("usage: calendar-dump FROM TO   (dates YYYY-MM-DD, FROM not after TO)\n", stderr);
    return 2;
  }
  for (core::DateTime day = from; day <= to; day += 1) {
    const std::string line = DumpLine(day);
    std::fwrite(line.data(), 1, line.size(), stdout);
  }
  return std::fflush(stdout) == 0 ? 0 : 1;
}
