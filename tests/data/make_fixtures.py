#!/usr/bin/python3
# Writes the committed test workbooks made by other producers than the operator's:
# LibreOffice (numeric cells, serial dates, times as day fractions) from flat ODS documents,
# and openpyxl (inline strings, no shared-string part). Run once from this folder:
#   /usr/bin/python3 make_fixtures.py
# LibreOffice takes seconds per conversion, so the results are committed, not built in CI.
import datetime
import os
import random
import subprocess
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

HEAD = """<?xml version="1.0" encoding="UTF-8"?>
<office:document xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0"
 xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0"
 xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0"
 xmlns:number="urn:oasis:names:tc:opendocument:xmlns:datastyle:1.0"
 xmlns:style="urn:oasis:names:tc:opendocument:xmlns:style:1.0"
 office:version="1.2" office:mimetype="application/vnd.oasis.opendocument.spreadsheet">
<office:automatic-styles>
 <number:date-style style:name="D1"><number:day number:style="long"/><number:text>/</number:text>
  <number:month number:style="long"/><number:text>/</number:text><number:year number:style="long"/></number:date-style>
 <number:time-style style:name="T1"><number:hours number:style="long"/><number:text>:</number:text>
  <number:minutes number:style="long"/></number:time-style>
 <style:style style:name="cd" style:family="table-cell" style:data-style-name="D1"/>
 <style:style style:name="ct" style:family="table-cell" style:data-style-name="T1"/>
</office:automatic-styles>
<office:body><office:spreadsheet>
"""
TAIL = "</office:spreadsheet></office:body></office:document>\n"


def cell(value):
    """One ODS cell: int/float numeric, date a date, time a time of day, str a text, None empty."""
    if value is None:
        return "<table:table-cell/>"
    if isinstance(value, datetime.datetime):
        secs = value.hour * 3600 + value.minute * 60
        return ('<table:table-cell table:style-name="ct" office:value-type="time" '
                f'office:time-value="PT{secs // 3600:02d}H{secs % 3600 // 60:02d}M00S"><text:p>'
                f'{value:%H:%M}</text:p></table:table-cell>')
    if isinstance(value, datetime.date):
        return ('<table:table-cell table:style-name="cd" office:value-type="date" '
                f'office:date-value="{value.isoformat()}"><text:p>{value:%d/%m/%Y}</text:p></table:table-cell>')
    if isinstance(value, (int, float)):
        return f'<table:table-cell office:value-type="float" office:value="{value}"><text:p>{value}</text:p></table:table-cell>'
    text = value.replace("&", "&amp;").replace("<", "&lt;")
    return f'<table:table-cell office:value-type="string"><text:p>{text}</text:p></table:table-cell>'


def sheet(name, rows):
    body = "".join("<table:table-row>" + "".join(cell(v) for v in row) + "</table:table-row>\n" for row in rows)
    return f'<table:table table:name="{name}">{body}</table:table>\n'


def convert(name, sheets):
    with tempfile.TemporaryDirectory() as work:
        source = os.path.join(work, name + ".fods")
        with open(source, "w", encoding="utf-8") as f:
            f.write(HEAD + "".join(sheet(n, r) for n, r in sheets) + TAIL)
        subprocess.run(["soffice", "--headless", "-env:UserInstallation=file://" + work + "/profile",
                        "--convert-to", "xlsx", "--outdir", HERE, source], check=True, capture_output=True)


def lotto_rows(rng):
    # Title, blank line and column headers above the draws, newest draw on top.
    rows = [["ΚΛΗΡΩΣΕΙΣ LOTTO 2024"], [], ["Κλήρωση", "Ημερομηνία", "Αριθμοί", None, None, None, None, None,
                                          "Τζόκερ", "Επιτυχίες 6", "Κέρδη 6", "Τζακ-ποτ"]]
    day = datetime.date(2024, 12, 28)
    for draw in range(2847, 2847 - 20, -1):
        numbers = rng.sample(range(1, 50), 7)
        rows.append([draw, day] + numbers + [draw % 3, round(rng.uniform(1000, 900000), 2),
                                             "ΝΑΙ" if draw % 3 == 0 else "ΟΧΙ"])
        day -= datetime.timedelta(days=3 if day.weekday() == 5 else 4)
    return rows


def kino_rows(rng):
    rows = [["ΚΛΗΡΩΣΕΙΣ KINO 01/2025"], [], ["Κλήρωση", "Ημερομηνία", "Ώρα"] + [f"Αρ.{i}" for i in range(1, 21)]]
    start = datetime.datetime(2025, 1, 2, 9, 0)
    draws = []
    for i in range(30):
        at = start + datetime.timedelta(minutes=5 * i)
        draws.append([1100000 + i, at.date(), at] + sorted(rng.sample(range(1, 81), 20)))
    return rows + draws[::-1]


def propo_rows(rng):
    rows = [["ΑΠΟΤΕΛΕΣΜΑΤΑ ΠΡΟΠΟ 2024"], ["Κουπόνι", "Έτος", "Ημερομηνία"] + [str(i) for i in range(1, 15)]]
    day = datetime.date(2024, 12, 29)
    for coupon in range(52, 40, -1):
        results = [rng.choice(["1", "X", "2"]) for _ in range(14)]
        if coupon == 45:
            results[13] = "-"  # a coupon of thirteen matches
        rows.append([coupon, 2024, day] + results)
        day -= datetime.timedelta(days=7)
    return rows


def openpyxl_book(path):
    from openpyxl import Workbook
    book = Workbook()
    ws = book.active
    ws.append(["Κλήρωση", "Ημερομηνία", "1", "2", "3", "4", "5", "6"])
    ws.append([2847, "28/12/2024", 3, 9, 17, 22, 40, 44])
    book.save(path)


if __name__ == "__main__":
    rng = random.Random(2024)
    convert("lotto_libreoffice", [("LOTTO", lotto_rows(rng))])
    convert("kino_libreoffice", [("KINO", kino_rows(rng))])
    convert("propo_libreoffice", [("PROPO", propo_rows(rng))])
    openpyxl_book(os.path.join(HERE, "lotto_openpyxl.xlsx"))
