# openpyxl (read-only mode) reading every cell of every sheet of a workbook.
# Usage: python3 read_openpyxl.py WORKBOOK
import resource
import sys
import time

import openpyxl

wall = time.perf_counter()
cpu = time.process_time()
book = openpyxl.load_workbook(sys.argv[1], read_only=True)
cells = 0
for sheet in book.worksheets:
    for row in sheet.iter_rows(values_only=True):
        cells += sum(1 for value in row if value is not None)
print("openpyxl_ms", int((time.perf_counter() - wall) * 1000))
print("openpyxl_cpu_ms", int((time.process_time() - cpu) * 1000))
print("openpyxl_peak_rss_kb", resource.getrusage(resource.RUSAGE_SELF).ru_maxrss)
print("openpyxl_cells", cells)
