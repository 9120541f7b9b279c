#!/usr/bin/env python3
"""Makes a file of every description given with bwsmake and checks that
mdb-export reads every table of it in full, with the values the description
states.

The expected values come from this script's own reading of the description
format (jetwriter/README.md), not from jetwriter's code, and are printed as
mdb-export prints them (-0 NULL, -T "%Y-%m-%d %H:%M:%S"), less two faults of
MDB Tools: an empty text reads as NULL, and a date before 1899-12-30 or past
day 1,000,000 reads as "1900-01-00 00:00:00". Rows of a table with moved
rows are compared in any order (a moved row is read where its new page
lies).

Usage: check_descriptions.py --bwsmake PATH [--conformance PATH] [--generated]
                             DESCRIPTION...
--generated adds descriptions made here that stretch the file layout: a
Jet 3 table over more pages than an inline usage map marks, rows of 255
variable columns, a Jet 3 table with every kind of history, and a Jet 4 one
with all but rows written before the first variable column (mdb-export
misreads those in Jet 4). --conformance runs that jet_conformance tool on
the files made, which reads every table through the ODBC driver and
compares it with mdb-export. Exits 0 when everything matches, 1 otherwise.
"""

import argparse
import datetime
import decimal
import os
import re
import struct
import subprocess
import sys
import tempfile

EXPORT_OPTIONS = ["-0", "NULL", "-T", "%Y-%m-%d %H:%M:%S"]
INVALID_DATE = "1900-01-00 00:00:00"
EPOCH = datetime.datetime(1899, 12, 30)


class DescriptionFault(Exception):
    pass


# ---- reading a description

def strip_comment(line):
    quoted = False
    i = 0
    while i < len(line):
        c = line[i]
        if c == "\\" and quoted:
            i += 2
            continue
        if c == '"':
            quoted = not quoted
        elif c == "#" and not quoted:
            return line[:i]
        i += 1
    return line


def unescape(body):
    out = []
    i = 0
    while i < len(body):
        c = body[i]
        if c != "\\":
            out.append(c)
            i += 1
            continue
        e = body[i + 1]
        if e == "u":
            end = body.index("}", i)
            out.append(chr(int(body[i + 3:end], 16)))
            i = end + 1
            continue
        out.append({'"': '"', "\\": "\\", "n": "\n", "r": "\r", "t": "\t"}[e])
        i += 2
    return "".join(out)


def split_values(text):
    """Splits at commas outside quotes."""
    parts, current, quoted, i = [], [], False, 0
    while i < len(text):
        c = text[i]
        if quoted and c == "\\":
            current.append(text[i:i + 2])
            i += 2
            continue
        if c == '"':
            quoted = not quoted
        if c == "," and not quoted:
            parts.append("".join(current).strip())
            current = []
        else:
            current.append(c)
        i += 1
    parts.append("".join(current).strip())
    return parts


def read_name(text):
    """The name at the start of text and the rest."""
    text = text.strip()
    if text.startswith('"'):
        m = re.match(r'"((?:[^"\\]|\\.)*)"', text)
        return unescape(m.group(1)), text[m.end():].strip()
    m = re.match(r"\S+", text)
    return m.group(0), text[m.end():].strip()


def read_type(text):
    t = re.sub(r"\s+", " ", text.strip()).lower()
    m = re.fullmatch(r"text ?\( ?(\d+) ?\)", t)
    if m:
        return "text"
    m = re.fullmatch(r"numeric ?\( ?(\d+) ?, ?(\d+) ?\)", t)
    if m:
        return "numeric:" + m.group(2)  # the scale is all that shows
    kinds = {"yes/no": "bool", "byte": "int", "integer": "int", "long": "int",
             "long integer": "int", "single": "single", "double": "double",
             "currency": "currency", "date/time": "date", "memo": "text"}
    if t not in kinds:
        raise DescriptionFault("type %r is not known to this check" % text)
    return kinds[t]


def day_number(text):
    m = re.fullmatch(r"(?:(\d{4})-(\d\d)-(\d\d))? ?(?:(\d\d):(\d\d)(?::(\d\d))?)?", text)
    if not m or not text:
        raise DescriptionFault("not a date: %r" % text)
    y, mo, d, h, mi, s = m.groups()
    day = datetime.date(int(y), int(mo), int(d)) if y else EPOCH.date()
    seconds = int(h or 0) * 3600 + int(mi or 0) * 60 + int(s or 0)
    return day, seconds


def shown(kind, literal):
    """What mdb-export prints for literal in a column of kind (None: NULL)."""
    if literal.upper() == "NULL":
        return None
    if kind == "text":
        m = re.fullmatch(r'"((?:[^"\\]|\\.)*)"(?:\s*\*\s*(\d+))?', literal)
        text = unescape(m.group(1)) * int(m.group(2) or 1)
        return text if text else None
    if kind == "bool":
        return "1" if literal.lower() in ("true", "yes", "1") else "0"
    if kind == "int":
        return str(int(literal))
    if kind == "single":
        return "%.8g" % struct.unpack("<f", struct.pack("<f", float(literal)))[0]
    if kind == "double":
        return "%.16g" % float(literal)
    if kind == "currency":
        return format(decimal.Decimal(literal), ".4f")
    if kind.startswith("numeric:"):
        # Every decimal of the scale, and zero without a sign.
        with decimal.localcontext() as context:
            context.prec = 60
            value = decimal.Decimal(literal).quantize(decimal.Decimal(1).scaleb(
                -int(kind[len("numeric:"):])))
        return format(value.copy_abs() if value == 0 else value, "f")
    if kind == "date":
        day, seconds = day_number(literal)
        days = (day - EPOCH.date()).days
        if days < 0 or days + seconds / 86400 > 1000000:
            return INVALID_DATE
        stamp = datetime.datetime.combine(day, datetime.time()) + datetime.timedelta(
            seconds=seconds)
        return "%04d-%02d-%02d %02d:%02d:%02d" % (stamp.year, stamp.month, stamp.day,
                                                   stamp.hour, stamp.minute, stamp.second)
    raise DescriptionFault("kind " + kind)


class Table:
    def __init__(self, name):
        self.name = name
        self.columns = []  # [name, kind, dropped]
        self.rows = []  # dicts column index -> shown value
        self.moved = False


def read_description(text):
    """(format, [Table]) as the description states them."""
    fmt, tables = "jet3", []
    for number, raw in enumerate(text.splitlines(), 1):
        line = strip_comment(raw).strip()
        if not line:
            continue
        try:
            word = line.split(None, 1)[0].lower()
            rest = line[len(word):].strip()
            if word == "database":
                continue
            if word == "format":
                fmt = rest.lower()
            elif word == "table":
                tables.append(Table(read_name(rest)[0]))
            elif word == "column":
                name, kind = read_name(rest)
                tables[-1].columns.append([name, read_type(kind), False])
            elif word == "drop":
                name = read_name(rest[len("column"):])[0]
                for column in tables[-1].columns:
                    if column[0].lower() == name.lower() and not column[2]:
                        column[2] = True
                        break
            elif word in ("row", "deleted", "moved"):
                table = tables[-1]
                if word != "row":
                    rest = rest[len("row"):].strip()
                live = [i for i, c in enumerate(table.columns) if not c[2]]
                values = split_values(rest)
                if len(values) != len(live):
                    raise DescriptionFault("%d values for %d columns" % (len(values), len(live)))
                if word == "deleted":
                    continue
                table.moved |= word == "moved"
                table.rows.append({i: shown(table.columns[i][1], v) for i, v in
                                   zip(live, values)})
            else:
                raise DescriptionFault("unknown statement " + word)
        except (DescriptionFault, ValueError, KeyError, IndexError, AttributeError) as e:
            raise DescriptionFault("line %d: %s" % (number, e)) from e
    return fmt, tables


def expected_rows(table):
    live = [i for i, c in enumerate(table.columns) if not c[2]]
    rows = []
    for row in table.rows:
        # A column added after a row was written reads as NULL in it (a
        # Yes/No as 0, MDB Tools' reading of a missing null-mask bit).
        rows.append([row.get(i, "0" if table.columns[i][1] == "bool" else None) for i in live])
    return [table.columns[i][0] for i in live], rows


# ---- reading mdb-export's output

FIELD = re.compile(r'"((?:[^"]|"")*)"|([^,\n"]*)')


def parse_csv(text):
    """Rows of fields; a quoted field is text, an unquoted NULL is None."""
    rows, pos = [], 0
    while pos < len(text):
        row = []
        while True:
            m = FIELD.match(text, pos)
            if m.group(1) is not None:
                row.append(m.group(1).replace('""', '"'))
            else:
                row.append(None if m.group(2) == "NULL" else m.group(2))
            pos = m.end()
            if pos >= len(text) or text[pos] == "\n":
                pos += 1
                break
            if text[pos] != ",":
                raise ValueError("unexpected %r at byte %d" % (text[pos], pos))
            pos += 1
        rows.append(row)
    return rows


def run(arguments):
    result = subprocess.run(arguments, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    return result.returncode, result.stdout.decode("utf-8", "replace"), result.stderr.decode(
        "utf-8", "replace")


# ---- descriptions made here

def generated_descriptions():
    """(name, text) of descriptions that stretch the layout."""
    big = ["database created=2026-01-15", "table Big", "column Id Long"]
    big += ["column T%d Text(255)" % t for t in range(4)]
    for i in range(16400):
        first = str(i) + "a" * (255 - len(str(i)))
        big.append('row %d, "%s", "b" * 255, "c" * 255, "d" * 254' % (i, first))
    wide = ["database created=2026-01-15", "table Wide"]
    wide += ["column C%d Text(3)" % i for i in range(255)]
    for base in (1, 2):
        for longer in range(0, 256, 5):
            wide.append("row " + ", ".join('"%s"' % (chr(97 + i % 26) * (base + (i < longer)))
                                           for i in range(255)))
    history = """database created=2026-01-15
table T
column A Integer
column B Text(10)
row 1, "one"
deleted row 2, "two"
moved row 3, "three"
column F Yes/No
column M Memo
row 4, "four", true, "memo"
drop column B
row 5, false, NULL
column "Name; with semicolon" Double
row 6, yes, "x" * 300, 1e-3
moved row 7, no, "y" * 3000, -2.5
"""
    # Every row has variable column B in it (a dropped column keeps its
    # place in the rows written after).
    history4 = """database created=2026-01-15
format jet4
table T
column A Integer
column B Text(10)
column N Numeric(12,3)
row 1, "one", -1110.554
deleted row 2, "two", 0
moved row 3, "\\u{4E00}three", 1
column F Yes/No
column M Memo
row 4, "four", .5, true, "memo \\u{4E01}"
drop column B
row 5, -0.0, false, NULL
column "Name; with semicolon" Double
row 6, 123456789.012, yes, "x" * 300, 1e-3
moved row 7, NULL, no, "\\u{4E00}" * 3000, -2.5
"""
    return [("big-table.jdesc", "\n".join(big) + "\n"),
            ("wide-rows.jdesc", "\n".join(wide) + "\n"), ("history.jdesc", history),
            ("history-jet4.jdesc", history4)]


# ---- the check

def check_file(description, text, output, bwsmake, problems):
    def fail(message):
        problems.append("%s: %s" % (description, message))

    try:
        fmt, tables = read_description(text)
    except DescriptionFault as e:
        fail(str(e))
        return
    status, _, errors = run([bwsmake, "--force", description, output])
    if status != 0:
        fail("bwsmake failed: " + errors.strip())
        return
    version = run(["mdb-ver", output])[1].strip()
    if version != fmt.upper():
        fail("mdb-ver says %s, the description %s" % (version, fmt))
    listed = run(["mdb-tables", "-1", output])[1].split("\n")
    if [t for t in listed if t] != [t.name for t in tables]:
        fail("mdb-tables lists %s" % listed)
    for table in tables:
        status, out, errors = run(["mdb-export"] + EXPORT_OPTIONS + [output, table.name])
        if status != 0:
            fail("mdb-export %s failed: %s" % (table.name, errors.strip()))
            continue
        header, rows = expected_rows(table)
        # mdb-export writes the column names unquoted, commas and all.
        first, _, body = out.partition("\n")
        if first != ",".join(header):
            fail("table %s: the header reads %r, not %r" % (table.name, first, header))
            continue
        read = parse_csv(body)
        if table.moved:
            key = lambda r: [(v is None, v or "") for v in r]
            read, rows = sorted(read, key=key), sorted(rows, key=key)
        if len(read) != len(rows):
            fail("table %s: %d rows read, %d stated" % (table.name, len(read), len(rows)))
        for n, (got, want) in enumerate(zip(read, rows), 1):
            if got != want:
                diff = [(header[i], w, g) for i, (g, w) in enumerate(zip(got, want)) if g != w]
                fail("table %s, row %d: (column, stated, read) %s" % (table.name, n,
                                                                      repr(diff)[:300]))
                break


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--bwsmake", required=True)
    parser.add_argument("--conformance")
    parser.add_argument("--generated", action="store_true")
    parser.add_argument("descriptions", nargs="*")
    args = parser.parse_args()
    problems = []
    with tempfile.TemporaryDirectory(prefix="check-descriptions-") as folder:
        made = os.path.join(folder, "made")
        os.mkdir(made)
        sources = [(d, open(d, encoding="utf-8").read()) for d in args.descriptions]
        if args.generated:
            for name, text in generated_descriptions():
                path = os.path.join(folder, name)
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
                sources.append((path, text))
        for number, (description, text) in enumerate(sources):
            output = os.path.join(made, "%02d-%s.mdb" % (number, os.path.basename(description)))
            check_file(description, text, output, args.bwsmake, problems)
            print("checked", description)
        if args.conformance:
            status, out, errors = run([args.conformance, made])
            print(out, end="")
            if status != 0:
                problems.append("the driver differs from mdb-export: " + errors.strip())
    for problem in problems:
        print("FAIL", problem)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
