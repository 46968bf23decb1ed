// The npm package "xlsx" (SheetJS) reading every cell of every sheet.
// Usage: node read_sheetjs.js WORKBOOK   (with the package installed beside it)
const XLSX = require('xlsx');

const wall = process.hrtime.bigint();
const cpu = process.cpuUsage();
const book = XLSX.readFile(process.argv[2]);
let cells = 0;
for (const name of book.SheetNames) {
  const sheet = book.Sheets[name];
  for (const key of Object.keys(sheet)) {
    if (key[0] !== '!' && sheet[key].v !== undefined) cells++;
  }
}
const used = process.cpuUsage(cpu);
console.log('sheetjs_ms', Number((process.hrtime.bigint() - wall) / 1000000n));
console.log('sheetjs_cpu_ms', Math.round((used.user + used.system) / 1000));
console.log('sheetjs_peak_rss_kb', process.resourceUsage().maxRSS);
console.log('sheetjs_cells', cells);
