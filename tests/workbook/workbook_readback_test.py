#!/usr/bin/env python3
"""Reads back the workbooks "calorix --export OUT.xlsx" writes, with openpyxl
(types, looks, sheets and the chart) and LibreOffice Calc (the values as a
user sees them), and holds them against the log files and the CSV totals.

Usage: workbook_readback_test.py CALORIX SAMPLES_DIR
"""
import csv
import datetime
import os
import shutil
import subprocess
import sys
import tempfile

import openpyxl

calorix, samples = sys.argv[1], sys.argv[2]
work = tempfile.mkdtemp(prefix="calorix-workbook-")
failures = []


def check(condition, message):
    if not condition:
        failures.append(message)
    return condition


def run(*args):
    env = dict(os.environ, HOME=work, XDG_CONFIG_HOME=os.path.join(work, "config"))
    result = subprocess.run([calorix, *args], env=env, capture_output=True, text=True, timeout=300)
    if result.returncode != 0:
        sys.exit(f"calorix {' '.join(args)} failed: {result.stderr}")


def log_lines(path):
    with open(path, encoding="cp1252", newline="") as f:
        return [line for line in f.read().splitlines() if line]


def decimals(field):
    return len(field.split(",")[1]) if "," in field else 0


def csv_rows(path):
    with open(path, encoding="utf-8", newline="") as f:
        return list(csv.reader(f))


# A sample day with an "Err" and an empty field, as loggers write them.
lines = log_lines(os.path.join(samples, "2024/05/20240531.csv"))
fields = lines[2].split(";")
fields[2], fields[5] = "Err", ""
lines[2] = ";".join(fields)
day = os.path.join(work, "20240531.csv")
with open(day, "w", encoding="cp1252", newline="") as f:
    f.write("\r\n".join(lines) + "\r\n")
logged = open(day, "rb").read()

run("--export", os.path.join(work, "day.xlsx"), day)
run("--export", os.path.join(work, "day.csv"), "--totals", "day", day)
check(open(day, "rb").read() == logged, "the log file changed")

book = openpyxl.load_workbook(os.path.join(work, "day.xlsx"))
check(book.sheetnames == ["2024-05-31", "Totals"], f"sheets {book.sheetnames}")
values = book["2024-05-31"]
check(values.freeze_panes == "A2", f"freeze_panes {values.freeze_panes}")
check(values.sheet_view.selection[0].activeCell == "A2", "A2 is not the active cell")
check(values.column_dimensions["A"].width >= 20, f"column A is {values.column_dimensions['A'].width} wide")
rows = list(values.iter_rows())
check([c.value for c in rows[0]] == lines[0].split(";"), f"header {[c.value for c in rows[0]]}")
check(len(rows) == len(lines), f"{len(rows)} rows for {len(lines)} lines")
for line, row in zip(lines[1:], rows[1:]):
    stamp, *texts = line.split(";")
    time = row[0]
    if not check(isinstance(time.value, datetime.datetime), f"time {time.value!r} is no date-time"):
        break
    check(time.value == datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M"), f"time {time.value} for {stamp}")
    check(time.number_format == "dd.mm.yyyy hh:mm:ss", f"time shown as {time.number_format}")
    for text, cell in zip(texts, row[1:]):
        if text in ("", "Err"):
            check(cell.value == (text or None), f"{stamp}: {cell.value!r} for {text!r}")
        elif check(isinstance(cell.value, (int, float)), f"{stamp}: {cell.value!r} is no number"):
            check(cell.value == float(text.replace(",", ".")), f"{stamp}: {cell.value} for {text}")
            shown = "0" + ("." + "0" * decimals(text) if decimals(text) else "")
            check(cell.number_format == shown, f"{stamp}: {text} shown as {cell.number_format}")
    if len(failures) > 10:
        break

# The totals sheet holds what the summary panel shows of the day: the same
# figures as the daily totals.
totals = [[c.value for c in r] for r in book["Totals"].iter_rows()]
_, volume, energy, collector_max, pump_hours = csv_rows(os.path.join(work, "day.csv"))[1]
check(totals[2][1] == float(collector_max), f"collector maximum {totals[2][1]} for {collector_max}")
check(f"{totals[-2][1]:.1f}" == volume, f"volume {totals[-2][1]} for {volume}")
check(f"{totals[-1][1]:.3f}" == energy, f"energy {totals[-1][1]} for {energy}")
hours_row = next(i for i, r in enumerate(totals) if r[0].endswith("[h]"))
check(f"{totals[hours_row + 1][1]:.2f}" == pump_hours, f"pump hours {totals[hours_row + 1][1]} for {pump_hours}")

# A range: a sheet per month, the totals of days and months, a chart.
first, last = os.path.join(samples, "2024/05/20240501.csv"), os.path.join(samples, "2024/06/20240602.csv")
run("--export", os.path.join(work, "range.xlsx"), "--channels", "T1,Power,R1", "--range", first, last)
run("--export", os.path.join(work, "days.csv"), "--totals", "day", "--range", first, last)
run("--export", os.path.join(work, "months.xlsx"), "--totals", "month", "--range", first, last)
book = openpyxl.load_workbook(os.path.join(work, "range.xlsx"))
check(book.sheetnames == ["2024-05", "2024-06", "Daily totals", "Monthly totals"], f"sheets {book.sheetnames}")
may = list(book["2024-05"].iter_rows(values_only=True))
check([h[:2] for h in may[0]] == ["DA", "T1", "P[", "R1"], f"range header {may[0]}")
records = sum(len(log_lines(os.path.join(samples, "2024/05", name))) - 1
              for name in os.listdir(os.path.join(samples, "2024/05")))
check(len(may) == 1 + records, f"{len(may)} rows in May for {records} records")
check(book["2024-05"].freeze_panes == "A2", "range sheet header not frozen")
daily = [list(r) for r in book["Daily totals"].iter_rows(values_only=True)]
expected = csv_rows(os.path.join(work, "days.csv"))
check(len(daily) == len(expected), f"{len(daily)} daily rows for {len(expected)}")
for got, want in zip(daily[1:], expected[1:]):
    check(got[0].strftime("%Y-%m-%d") == want[0], f"day {got[0]} for {want[0]}")
    shown = [f"{got[1]:.1f}", f"{got[2]:.3f}", None, f"{got[4]:.2f}"]
    check([s for s in shown if s] == [want[1], want[2], want[4]], f"{want[0]}: {got} for {want}")
check(len(book["Monthly totals"]._charts) == 1, "the monthly sheet has no chart")
months = openpyxl.load_workbook(os.path.join(work, "months.xlsx"))
check(months.sheetnames == ["Monthly totals"] and len(months["Monthly totals"]._charts) == 1,
      f"--totals month: {months.sheetnames}")

# LibreOffice Calc shows the day as the log file holds it: the same times
# and the numbers with their logged decimals.
soffice = shutil.which("soffice") or shutil.which("libreoffice")
if check(soffice, "LibreOffice (soffice) is not installed"):
    out = os.path.join(work, "calc")
    subprocess.run([soffice, f"-env:UserInstallation=file://{work}/profile", "--headless", "--convert-to",
                    "csv:Text - txt - csv (StarCalc):59,34,76,1,,1033,false,false,true", "--outdir", out,
                    os.path.join(work, "day.xlsx")], env=dict(os.environ, HOME=work), capture_output=True,
                   timeout=240, check=True)
    with open(os.path.join(out, "day.csv"), encoding="utf-8", newline="") as f:
        shown = [line.replace('"', "") for line in f.read().splitlines()]
    check(shown[0] == lines[0], f"Calc header {shown[0]}")
    for line, row in zip(lines[1:], shown[1:]):
        stamp, rest = line.split(";", 1)
        when = datetime.datetime.strptime(stamp, "%Y-%m-%d %H:%M").strftime("%d.%m.%Y %H:%M:%S")
        if not check(row == when + ";" + rest.replace(",", "."), f"Calc shows {row} for {line}"):
            break
    check(len(shown) == len(lines), f"Calc shows {len(shown)} lines for {len(lines)}")

shutil.rmtree(work, ignore_errors=True)
for failure in failures[:20]:
    print("FAILED:", failure)
print(f"{'0 failed' if not failures else str(len(failures)) + ' failed'}")
sys.exit(1 if failures else 0)
