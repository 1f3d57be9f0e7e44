#!/usr/bin/env node
// Writes lunar-javascript's Chinese calendar, one tab-separated line per
// Gregorian day from FROM to TO: date, lunar year, lunar month, lunar day,
// leap flag (0/1), solar term or empty. The calendar tests compare the lunar
// calendar component with this independent reference.
// Usage: node lunar-reference.js FROM TO OUTPUT   (dates YYYY-MM-DD)
"use strict";

const fs = require("fs");

let Solar;
try {
  ({ Solar } = require("lunar-javascript"));
} catch (e) {
  console.error("lunar-javascript is missing: run ./vaelto.sh setup (npm ci in tests/reference)");
  process.exit(1);
}

const [from, to, output] = process.argv.slice(2);
if (!/^\d{4}-\d\d-\d\d$/.test(from || "") || !/^\d{4}-\d\d-\d\d$/.test(to || "") || !output) {
  console.error("usage: node lunar-reference.js FROM TO OUTPUT");
  process.exit(2);
}

const lines = [];
const end = new Date(to + "T00:00:00Z");
for (let d = new Date(from + "T00:00:00Z"); d <= end; d.setUTCDate(d.getUTCDate() + 1)) {
  const lunar = Solar.fromYmd(d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()).getLunar();
  const month = lunar.getMonth();  // negative for the intercalary month
  lines.push([d.toISOString().slice(0, 10), lunar.getYear(), Math.abs(month), lunar.getDay(),
              month < 0 ? 1 : 0, lunar.getJieQi()].join("\t"));
}
fs.writeFileSync(output, lines.join("\n") + "\n");
