// ExcelJS's streaming reader reading every cell of every sheet.
// Usage: node read_exceljs.js WORKBOOK   (with the package installed beside it)
const ExcelJS = require('exceljs');

async function main() {
  const wall = process.hrtime.bigint();
  const cpu = process.cpuUsage();
  const reader = new ExcelJS.stream.xlsx.WorkbookReader(process.argv[2], {
    sharedStrings: 'cache', hyperlinks: 'ignore', styles: 'ignore', worksheets: 'emit', entries: 'emit',
  });
  let cells = 0;
  for await (const sheet of reader) {
    for await (const row of sheet) {
      row.values.forEach((value) => { if (value !== null && value !== undefined) cells++; });
    }
  }
  const used = process.cpuUsage(cpu);
  console.log('exceljs_ms', Number((process.hrtime.bigint() - wall) / 1000000n));
  console.log('exceljs_cpu_ms', Math.round((used.user + used.system) / 1000));
  console.log('exceljs_peak_rss_kb', process.resourceUsage().maxRSS);
  console.log('exceljs_cells', cells);
}
main();
