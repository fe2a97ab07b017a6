#!/usr/bin/env python3
"""Checks the meteograms of the sample files as a browser showed them.

Usage: check_charts.py FORECAST_SVG FORECAST_PNG REPORT GFS_SVG GFS_PNG TABLE
                       [VERIFY_SVG VERIFY_PNG VERIFY_JSON]

For each chart: the SVG parses as XML and is self-contained; the PNG that headless
Chromium made of it has the chart's size and is not blank; and the plotted points map back,
through the positions of the y-axis tick labels alone, to the values that the program
wrote to its report (bulletins.out), table file (gfs_model.out) or, for the verification
chart, its JSON document, each within a pixel.
"""

import csv
import datetime
import json
import os
import struct
import sys
import xml.etree.ElementTree as ET
import zlib

SVG = "{http://www.w3.org/2000/svg}"
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)
    return ok


def read_png(path):
    """Width, height and rows of RGB(A) byte tuples of an 8-bit truecolour PNG."""
    data = open(path, "rb").read()
    if data[:8] != b"\x89PNG\r\n\x1a\n":
        raise ValueError(path + " is no PNG")
    pos, idat = 8, b""
    while pos < len(data):
        length, kind = struct.unpack(">I4s", data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b"IHDR":
            width, height, depth, colour, _, _, interlace = struct.unpack(">IIBBBBB", body)
            if depth != 8 or colour not in (2, 6) or interlace:
                raise ValueError(path + ": only 8-bit RGB(A), non-interlaced PNGs are read")
        elif kind == b"IDAT":
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    bpp = 4 if colour == 6 else 3
    stride = width * bpp
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = previous[i]
            c = previous[i - bpp] if i >= bpp else 0
            if kind == 1:
                line[i] = (line[i] + a) & 255
            elif kind == 2:
                line[i] = (line[i] + b) & 255
            elif kind == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif kind == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                line[i] = (line[i] + (a if pa <= pb and pa <= pc else b if pb <= pc else c)) & 255
        rows.append([tuple(line[x * bpp:x * bpp + 3]) for x in range(width)])
        previous = line
    return width, height, rows


def check_picture(name, root, png):
    width, height = int(root.get("width")), int(root.get("height"))
    check(root.get("viewBox") == "0 0 %d %d" % (width, height), name + ": viewBox is not the size")
    for element in root.iter():
        tag = element.tag.replace(SVG, "")
        check(tag not in ("script", "image", "foreignObject", "style"), name + ": has " + tag)
        for key, value in element.attrib.items():
            if key.endswith("href"):
                check(value.startswith("#"), name + ": refers to " + value)
    png_width, png_height, rows = read_png(png)
    if not check((png_width, png_height) == (width, height),
                 "%s: picture is %dx%d, chart %dx%d" % (name, png_width, png_height, width, height)):
        return
    white = (255, 255, 255)
    inked = sum(1 for row in rows for pixel in row if pixel != white)
    colours = {pixel for row in rows for pixel in row}
    check(inked > width * height // 20, name + ": picture is almost blank")
    check(len(colours) > 50, name + ": picture has only %d colours" % len(colours))
    # Drawn at its natural size, the chart reaches the last tenth of the picture both ways.
    check(any(p != white for row in rows for p in row[width * 9 // 10:]), name + ": right edge empty")
    check(any(p != white for row in rows[height * 9 // 10:] for p in row), name + ": bottom empty")


def panel_scale(name, panel):
    """The function from value to y that the panel's tick labels define."""
    ticks = sorted((float(t.text), float(t.get("y"))) for t in panel.iter(SVG + "text")
                   if t.get("class") == "y-tick")
    if not check(len(ticks) >= 2, name + ": panel %s has no tick labels" % panel.get("id")):
        return None
    (v0, y0), (v1, y1) = ticks[0], ticks[-1]
    for v, y in ticks:
        check(abs(y0 + (v - v0) * (y1 - y0) / (v1 - v0) - y) < 0.05,
              name + ": tick %g of panel %s is off its scale" % (v, panel.get("id")))
    return lambda value: y0 + (value - v0) * (y1 - y0) / (v1 - v0)


def mark_y(element):
    """The y of the value a mark stands for: a circle's centre, a square's centre, a bar's top."""
    if element.tag == SVG + "circle":
        return float(element.get("cy"))
    y = float(element.get("y"))
    return y if "pop" in element.get("class") or "precip" in element.get("class") \
        else y + float(element.get("height")) / 2


def check_values(name, root, panel_id, css_class, key, expected):
    """Every value of expected ({key: value}) has one mark of css_class within a pixel."""
    panel = next((g for g in root.iter(SVG + "g") if g.get("id") == panel_id), None)
    if not check(panel is not None, name + ": no panel " + panel_id):
        return
    to_y = panel_scale(name, panel)
    if to_y is None:
        return
    marks = {}
    for element in panel.iter():
        if css_class in (element.get("class") or "").split():
            marks[int(element.get("data-" + key))] = mark_y(element)
    check(sorted(marks) == sorted(expected),
          "%s: %s marks for %s %s, expected %s" % (name, css_class, key, sorted(marks), sorted(expected)))
    for k, value in expected.items():
        if k in marks:
            check(abs(marks[k] - to_y(value)) <= 1.0, "%s: %s at %s %d is at y %.2f, %g would be at %.2f"
                  % (name, css_class, key, k, marks[k], value, to_y(value)))


def day_labels(root):
    return ["".join(t.itertext()) for t in root.iter(SVG + "text") if t.get("class") == "day-label"]


def dated(first, count, numbered):
    """Labels of count days from first: "Fri 5 Mar", with " day N" (N from 1) when numbered."""
    names = "Mon Tue Wed Thu Fri Sat Sun".split(), "Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec".split()
    labels = []
    for n in range(count):
        d = first + datetime.timedelta(days=n)
        labels.append("%s %d %s" % (names[0][d.weekday()], d.day, names[1][d.month - 1])
                      + (" day %d" % n if numbered and n else ""))
    return labels


def read_report(path):
    """Day rows and cloud and wind rows of a 1200 report."""
    days, hours = {}, {}
    lines = open(path).read().splitlines()
    table = lines.index(next(l for l in lines if l.startswith("Day")))
    for line in lines[table + 2:table + 9]:
        f = line.split()
        days[int(f[0])] = [float(v) for v in f[1:]]
    head = lines.index(next(l for l in lines if l.startswith("HR")))
    for line in lines[head + 1:]:
        f = line.split()
        if f:
            hours[int(f[0])] = [float(v) for v in f[1:]]
    return days, hours


def check_forecast(svg, png, report):
    name = "1200 chart"
    root = ET.parse(svg).getroot()
    check_picture(name, root, png)
    days, hours = read_report(report)
    # Day d is the bulletin date plus d days; the date stands in the first header line.
    month, day, year = open(os.path.join(os.path.dirname(report), "bulletins.txt")).read().split()[4].split("/")
    expected = dated(datetime.date(int(year), int(month), int(day)), 8, True)
    check(day_labels(root) == expected, name + ": days labelled %s" % day_labels(root))
    # Under the days, the periods of the city's clock: a day's low is the night before the
    # named day, its high the named day's.
    issued = datetime.date(int(year), int(month), int(day))
    short = "Mon Tue Wed Thu Fri Sat Sun".split()
    periods = []
    for d in range(1, 8):
        periods.append("Tonight" if d == 1 else
                       short[(issued + datetime.timedelta(days=d - 1)).weekday()] + " Night")
        periods.append(short[(issued + datetime.timedelta(days=d)).weekday()])
    shown = [t.text for t in root.iter(SVG + "text") if t.get("class") == "period-label"]
    check(shown == periods, name + ": periods labelled %s" % shown)
    for column, css_class in enumerate(["temp-low", "temp-high", "dewpoint-low", "dewpoint-high"]):
        check_values(name, root, "temperature", css_class, "day", {d: v[column] for d, v in days.items()})
    pop12 = {d: v[5] for d, v in days.items() if d <= 2}
    check_values(name, root, "precipitation", "pop24", "day", {d: v[4] for d, v in days.items() if d > 2})
    check_values(name, root, "wind", "wind-speed", "hour", {h: v[-1] for h, v in hours.items()})
    check_freezing_line(name, root)
    # The 12-hour bars: the day's first period (LowProbPrec) and its second (HighProbPrec).
    panel = next(g for g in root.iter(SVG + "g") if g.get("id") == "precipitation")
    bars = [e for e in panel.iter(SVG + "rect") if e.get("class") == "pop12"]
    to_y = panel_scale(name, panel)
    expected = [days[1][4], pop12[1], days[2][4], pop12[2]]
    check(len(bars) == 4, name + ": %d 12-hour bars" % len(bars))
    for bar, value in zip(sorted(bars, key=lambda e: float(e.get("x"))), expected):
        check(abs(mark_y(bar) - to_y(value)) <= 1.0, name + ": 12-hour bar %g off" % value)


def close(a, b):
    """Whether a full-precision value prints as the report's six significant digits."""
    return abs(a - b) <= 1e-5 * max(1.0, abs(b))


def prints_as(value, text):
    """Whether value rounds to the table's text, to as many decimals as the text has."""
    decimals = len(text.split(".")[1]) if "." in text else 0
    return abs(value - float(text)) <= 0.51 * 10 ** -decimals


def check_freezing_line(name, root):
    panel = next(g for g in root.iter(SVG + "g") if g.get("id") == "temperature")
    lines = [e for e in panel.iter(SVG + "line") if e.get("class") == "freezing"]
    if check(len(lines) == 1, name + ": %d freezing lines" % len(lines)):
        check(abs(float(lines[0].get("y1")) - panel_scale(name, panel)(32)) < 0.05,
              name + ": the freezing line is not at 32")


def check_forecast_documents(report):
    """The JSON and CSV documents of the run against its report, read with json and csv."""
    name = "1200 documents"
    folder = os.path.dirname(report)
    doc = json.load(open(os.path.join(folder, "bulletins.json"), encoding="utf-8"))
    days, hours = read_report(report)
    keys = ["low_temp", "high_temp", "low_dew_point", "high_dew_point", "low_pop", "high_pop"]
    for d in doc["days"]:
        shown = [k for k in keys if d[k] is not None]
        check(len(shown) == len(days[d["day"]]), name + ": day %d has %d values" % (d["day"], len(shown)))
        for k, printed in zip(shown, days[d["day"]]):
            check(close(d[k]["value"], printed), name + ": day %d %s is %r, the report %g"
                  % (d["day"], k, d[k]["value"], printed))
    for h in doc["hours"]:
        values = [h[k]["value"] for k in ("cloud", "wind_direction", "wind_speed_mph") if h[k] is not None]
        # The cloud and wind table prints two decimals.
        check(all(abs(v - p) <= 0.0051 for v, p in zip(values, hours[h["hour"]])),
              name + ": hour %d differs from the report" % h["hour"])
    with open(os.path.join(folder, "bulletins.csv"), newline="", encoding="utf-8") as f:
        rows = list(csv.DictReader(f))
    # The NBM's own lines follow the day and hour values, empty for the sample's ETA bulletins.
    hour_keys = ("cloud", "wind_direction", "wind_speed_mph")
    nbm_rows = [r for r in rows if r["element"] not in keys + list(hour_keys)]
    check(all(r["value"] == "" for r in nbm_rows), name + ": an NBM line of ETA bulletins has a value")
    rows = [r for r in rows if r["element"] in keys + list(hour_keys)]
    check(len(rows) == sum(d[k] is not None for d in doc["days"] for k in keys)
          + sum(h[k] is not None for h in doc["hours"] for k in ("cloud", "wind_direction", "wind_speed_mph")),
          name + ": CSV has %d lines" % len(rows))
    by_key = {(r["element"], r["day"], r["hour"]): r for r in rows}
    for d in doc["days"]:
        for k in keys:
            r = by_key.get((k, str(d["day"]), ""))
            if d[k] is not None and check(r is not None, name + ": no CSV line for day %d %s" % (d["day"], k)):
                check(float(r["value"]) == d[k]["value"] and r["valid_from"] == d[k]["valid_from"]
                      and (r["first"] == "") == (d[k]["first"] is None),
                      name + ": CSV day %d %s differs" % (d["day"], k))


def check_gfs_documents(table):
    name = "GFS documents"
    folder = os.path.dirname(table)
    doc = json.load(open(os.path.join(folder, "gfs_model.json"), encoding="utf-8"))
    rows = [line.split() for line in open(table).read().splitlines()[1:]]
    check(len(doc["rows"]) == len(rows), name + ": %d rows" % len(doc["rows"]))
    with open(os.path.join(folder, "gfs_model.csv"), newline="", encoding="utf-8") as f:
        lines = list(csv.DictReader(f))
    for row, printed, line in zip(doc["rows"], rows, lines):
        values = [v for k, v in row.items() if k not in ("hour", "valid")]
        check(row["hour"] == int(printed[0]) and len(values) == 14, name + ": hour %d" % row["hour"])
        check(all(prints_as(v, p) for v, p in zip(values, printed[1:])),
              name + ": hour %d differs from the table" % row["hour"])
        check(all(float(line[k]) == v for k, v in row.items() if k not in ("hour", "valid"))
              and line["valid"] == row["valid"], name + ": CSV hour %d differs" % row["hour"])


def check_gfs(svg, png, table):
    name = "GFS chart"
    root = ET.parse(svg).getroot()
    check_picture(name, root, png)
    rows = [line.split() for line in open(table).read().splitlines()[1:]]
    source = open(os.path.join(os.path.dirname(table), "gfs_model.txt")).read().split()
    at = source.index("RUN:")
    day, month, year = source[at + 4:at + 7]
    months = "JAN FEB MAR APR MAY JUN JUL AUG SEP OCT NOV DEC".split()
    expected = dated(datetime.date(int(year), months.index(month) + 1, int(day)), 12, False)
    check(day_labels(root) == expected, name + ": days labelled %s" % day_labels(root))
    check(len(rows) == 48, name + ": table has %d rows" % len(rows))
    check_values(name, root, "temperature", "t2m", "hour", {int(r[0]): float(r[2]) for r in rows})
    check_values(name, root, "precipitation", "precip", "hour",
                 {int(r[0]): float(r[8]) for r in rows})
    check_values(name, root, "wind", "wind-speed", "hour", {int(r[0]): float(r[11]) for r in rows})
    check_freezing_line(name, root)


VERIFY_SERIES = ("issued", "first", "second", "fitted")


def check_verify(svg, png, document):
    """The verification chart against its JSON document: in each panel, every mean absolute
    error that is there has its mark, with its label in tenths; one that is null has none,
    and the fitted blend has none at all without a fitted weight."""
    name = "verify chart"
    root = ET.parse(svg).getroot()
    check_picture(name, root, png)
    doc = json.load(open(document, encoding="utf-8"))
    days = sorted(doc["days"], key=lambda d: d["day"])
    check([d["day"] for d in days] == list(range(1, 8)), name + ": days %s" % [d["day"] for d in days])
    # The days are labelled above the first panel and below the last.
    check(day_labels(root) == ["day %d" % n for n in range(1, 8)] * 2,
          name + ": days labelled %s" % day_labels(root))
    weight = doc["fit"]["weight"]
    for panel_id in ("low", "high"):
        shown = []
        for series in VERIFY_SERIES:
            expected = {}
            if series != "fitted" or weight is not None:
                for d in days:
                    scores = (d.get(panel_id) or {}).get(series) or {}
                    if scores.get("mae") is not None:
                        expected[d["day"]] = scores["mae"]
            check_values(name, root, panel_id, series, "day", expected)
            shown += expected.values()
        panel = next((g for g in root.iter(SVG + "g") if g.get("id") == panel_id), None)
        if panel is None:
            continue
        labels = sorted(t.text for t in panel.iter(SVG + "text") if t.get("class") == "value-label")
        check(labels == sorted("%.1f" % v for v in shown),
              name + ": panel %s labels %s" % (panel_id, labels))
        legend = ["".join(t.itertext()) for g in panel.iter(SVG + "g") if g.get("class") == "legend"
                  for t in g.iter(SVG + "text")]
        fitted = [t for t in legend if " weight " in t]
        if weight is None:
            check(not fitted, name + ": panel %s names a weight without a fit" % panel_id)
        else:
            check(len(fitted) == 1 and fitted[0].endswith(" weight %.2f" % weight),
                  name + ": panel %s legend %s, weight %g" % (panel_id, legend, weight))

def main():
    if len(sys.argv) not in (7, 10):
        sys.exit(__doc__)
    check_forecast(*sys.argv[1:4])
    check_gfs(*sys.argv[4:7])
    check_forecast_documents(sys.argv[3])
    check_gfs_documents(sys.argv[6])
    charts = 2
    if len(sys.argv) == 10:
        check_verify(*sys.argv[7:10])
        charts += 1
    for failure in failures:
        print("FAIL: " + failure)
    failed = len({failure.split(":")[0] for failure in failures})
    print("charts: %d passed, %d failed" % (charts - failed, failed))
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
