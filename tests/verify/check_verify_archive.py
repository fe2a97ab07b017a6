#!/usr/bin/env python3
"""Checks `vuzazav-cli verify` on an archive of forecasts made by `vuzazav-cli forecast`.

Usage: check_verify_archive.py --cli VUZAZAV_CLI --source-dir SOURCE_DIR [--keep DIR]

A month of bulletin files from examples/bulletins.txt, whose ETA guidance errs by twice
(four pairs in five) or once the AVN guidance's opposite error so that the best weight is
about 0.35, forecast with weight 0.5; observations as an Iowa Environmental Mesonet CSV and
a CF6 product. Every number of verify's table and JSON document is recomputed from the
forecasts' documents and the observations.

Then a week across the end of daylight saving time with evening cold fronts: hourly
readings of the four stations from a known curve (the mesonet's ASOS CSV, with METAR
reports carrying T groups and six-hour groups), a gap, a last day not over and a daily
value that disagrees; documents with each station's values. The observed extremes over
the guidance's windows, every pair, the fitted weight and its bootstrap interval are
recomputed and compared with the JSON document, the pairs file and the Verif files.

Prints one line per failure; exits 1 on any. With --keep the work is done in DIR and left
there: the browser check draws month.svg.
"""

import argparse
import collections
import contextlib
import datetime
import json
import math
import os
import re
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

STATIONS = ["KBKX", "KHON", "KMHE", "KFSD"]
WEIGHTS = [0.353460408, 0.1793834, 0.215645378, 0.25151496]  # never normalised
OFFSET = [0, 2, -1, 3]  # each station's departure from the city's base value
DAY = datetime.timedelta(days=1)
failures = []


def fail(message):
    failures.append(message)
    print("FAIL: " + message)


def run(cli, *args, cwd):
    r = subprocess.run([cli, *args], cwd=cwd, capture_output=True, text=True, timeout=60)
    if r.returncode != 0:
        fail("vuzazav-cli %s: exit %d: %s" % (" ".join(args), r.returncode, r.stderr.strip()))
    return r


def base(date):
    """The city's base low and high of a date."""
    n = date.toordinal()
    return 20 + n * 7 % 13, 32 + n * 7 % 13 + n % 6


def observations():
    """{date: [[max, min] or None per station]} of November 2026. The missing values fall on
    dates only days 3 to 7 verify against, so that the fit keeps its designed pairs."""
    obs = {}
    for day in range(1, 31):
        low, high = base(datetime.date(2026, 11, day))
        obs[datetime.date(2026, 11, day)] = [[high + q, low + q] for q in OFFSET]
    obs[datetime.date(2026, 11, 28)][1] = None     # no KHON line
    obs[datetime.date(2026, 11, 29)][2][0] = None  # KMHE max "M"
    obs[datetime.date(2026, 11, 29)][0][1] = None  # KBKX min "M"
    obs[datetime.date(2026, 11, 30)][3][1] = None  # KFSD min "M" in the CF6
    return obs


def cell(v):
    return "M" if v is None else str(v)


def write_mesonet(path, obs):
    """KBKX, KHON and KMHE, and another station that verify passes over."""
    lines = ["station,day,max_temp_f,min_temp_f,max_dewpoint_f,min_dewpoint_f,precip_in"]
    for date, row in sorted(obs.items()):
        lines += ["%s,%s,%s,%s,20,10,0.00" % (STATIONS[s][1:], date, cell(row[s][0]),
                                              cell(row[s][1])) for s in range(3) if row[s]]
        lines.append("DSM,%s,99,-40,20,10,0.00" % date)
    open(path, "w").write("\n".join(lines) + "\n")


CF6_HEAD = """CXUS53 KFSD 011015
CF6FSD
PRELIMINARY LOCAL CLIMATOLOGICAL DATA (WS FORM: F-6)

                                          STATION:   SIOUX FALLS SD
                                          MONTH:     NOVEMBER
                                          YEAR:      2026
                                          LATITUDE:   43 35 N
                                          LONGITUDE:  96 44 W

  TEMPERATURE IN F:       :PCPN:    SNOW:  WIND      :SUNSHINE: SKY     :PK WND
================================================================================
1   2   3   4   5  6A  6B    7    8   9   10  11  12  13   14  15   16   17  18
                                     12Z  AVG MX 2MIN
DY MAX MIN AVG DEP HDD CDD  WTR  SNW DPTH SPD SPD DIR MIN PSBL S-S WX    SPD DR
================================================================================

"""
CF6_TAIL = """================================================================================
SM  760  364       862   0  0.21     2.7 228.0          M      123
================================================================================
AV 34.6 16.6                              10.4 FASTST   M    M   6    MAX(MPH)
"""


def write_cf6(path, obs):
    """KFSD's month, each column right-aligned under its header word as received."""
    rows = ["%2d%4s%4s%4s  13  28   0 0.00  0.0    8 10.3 17 230   M    M   8 1      23 230"
            % (date.day, cell(mx), cell(mn), "M" if None in (mx, mn) else round((mx + mn) / 2))
            for date, (mx, mn) in sorted((date, row[3]) for date, row in obs.items())]
    open(path, "w").write(CF6_HEAD + "\n".join(rows) + "\n" + CF6_TAIL)


def observed_city(obs, date, k):
    """k 0 the maximum, 1 the minimum: the stations present, scaled to the full weight."""
    present = [(w, r[k]) for w, r in zip(WEIGHTS, obs.get(date, [None] * 4))
               if r and r[k] is not None]
    if len(present) == 4:
        return sum(w * v for w, v in present)
    if present:
        return sum(w * v for w, v in present) / sum(w for w, _ in present) * sum(WEIGHTS)
    return None


def put(line, ends, values):
    """Writes each value right-aligned in the three characters ending at its end."""
    for end, v in zip(ends, values):
        line = line[:end - 3] + "%3d" % v + line[end:]
    return line


def bulletin_file(template, date, values):
    """The example's bulletins with date and values[(group, station)]: the four N/X values
    of the first (ETA) and second (AVN/GFS) group, the ten X/N values of days 3 to 7."""
    out, key = [], None
    for line in template.splitlines():
        m = re.match(r"(K[A-Z]{3})\s+(\S+) .*GUIDANCE\s+(\S+)\s+\d{4} UTC", line)
        if m:
            key = ({"ETA": "first", "AVN": "second", "GFS": "second"}.get(m[2], "ext"), m[1])
            line = line.replace(m[3], "%d/%02d/%d" % (date.month, date.day, date.year), 1)
        elif key in values and line.startswith("N/X"):
            line = put(line, [t.end() for t in re.finditer(r"\d+", line)], values[key])
        elif key in values and line.startswith("X/N"):
            line = put(line, [7 + 4 * i for i in range(5, 15)], values[key])
        out.append(line)
    return "\n".join(out) + "\n"


def make_archive(cli, template, work, folder, days, weight, second="opposite", no_first=None):
    """Forecasts issued from 1 November 2026 on. In the fit pair j of days 1 and 2, at every
    station, the first guidance errs by s a and the second by -s b ("opposite"), as much as
    the first ("same") or twice as much ("twice"). On day no_first no ETA station has the
    day-1 low, so the issued value is AVN's alone. Returns the documents and the (a, b)."""
    os.makedirs(os.path.join(work, folder))
    docs, design = [], []
    for i in range(days):
        date, values = datetime.date(2026, 11, 1 + i), collections.defaultdict(list)
        for j, (d, k) in enumerate(((1, 0), (1, 1), (2, 0), (2, 1)), 4 * i):
            (a, b), s = (1, 1) if j % 5 == 0 else (2, 1), 1 if j % 3 else -1
            o = base(date + d * DAY)[k]
            for st, q in zip(STATIONS, OFFSET):
                values[("first", st)].append(o + q + s * a)
                values[("second", st)].append(o + q + s * {"opposite": -b, "same": a,
                                                           "twice": 2 * a}[second])
            if (i + 1, d, k) != (no_first, 1, 0):
                design.append((a, b))
        if i + 1 == no_first:
            for st in STATIONS:
                values[("first", st)][0] = 999
        for d in range(3, 8):
            low, high = base(date + d * DAY)
            for n, (st, q) in enumerate(zip(STATIONS, OFFSET)):
                noise = (3 * i + 5 * d + n) % 7 - 3
                values[("ext", st)] += [low + q + noise, high + q - noise]
        name = os.path.join(folder, "%s.txt" % date)
        open(os.path.join(work, name), "w").write(bulletin_file(template, date, values))
        docs.append(os.path.join(folder, "%s.json" % date))
        run(cli, "forecast", name, "--eta-weight", str(weight), "-o", name + ".out", "--json",
            docs[-1], cwd=work)
    return docs, design


def stats(errors):
    n = len(errors)
    return {"pairs": n, "bias": sum(errors) / n if n else None,
            "mae": sum(map(abs, errors)) / n if n else None}


def expected(work, names, obs):
    """verify's JSON document, recomputed."""
    docs = [json.load(open(os.path.join(work, p))) for p in names]
    errors, fit = collections.defaultdict(list), []  # fit: (element, day, e1, e2, issued)
    for doc in docs:
        issued = datetime.date.fromisoformat(doc["issued"][:10])
        for d, day in enumerate(doc["days"], 1):
            for element, k in (("low", 1), ("high", 0)):
                t, o = day[element + "_temp"], observed_city(obs, issued + d * DAY, k)
                for series, key in (("issued", "value"), ("first", "first"), ("second", "second")):
                    if o is not None and t[key] is not None:
                        errors[(element, d, series)].append(t[key] - o)
                if o is not None and d <= 2 and None not in (t["first"], t["second"]):
                    fit.append((element, d, t["first"] - o, t["second"] - o, t["value"] - o))
    result = {"outcome": "too few pairs", "pairs": len(fit), "weight": None}
    den = sum((e1 - e2) ** 2 for _, _, e1, e2, _ in fit)
    blend = []
    if len(fit) >= 10 and den == 0:
        result["outcome"] = "any weight"
    elif len(fit) >= 10:
        w = min(1.0, max(0.0, sum(e2 * (e2 - e1) for _, _, e1, e2, _ in fit) / den))
        result.update(outcome="fitted", weight=w)
        for element, d, e1, e2, _ in fit:
            blend.append(w * e1 + (1 - w) * e2)
            errors[(element, d, "fitted")].append(blend[-1])
    rms = lambda es: math.sqrt(sum(e * e for e in es) / len(es)) if es else None
    issued = [f[4] for f in fit]
    result.update(mae=stats(blend)["mae"], rmse=rms(blend), issued_mae=stats(issued)["mae"],
                  issued_rmse=rms(issued))
    days = [{"day": d, **{e: {s: stats(errors[(e, d, s)]) for s in
                              ("issued", "first", "second", "fitted")} for e in ("low", "high")}}
            for d in range(1, 8)]
    weights = [doc["eta_weight"] for doc in docs]
    models = lambda k: " and ".join(sorted({doc["guidance"][b]["model"] for doc in docs
                                             for b in range(k, k + 4)}))
    return {"program": docs[0]["program"], "forecasts": len(docs),
            "first_issued": min(doc["issued"] for doc in docs),
            "last_issued": max(doc["issued"] for doc in docs),
            "eta_weights": {"lowest": min(weights), "highest": max(weights)},
            "first_guidance": models(0), "second_guidance": models(4),
            "pairs": sum(day[e]["issued"]["pairs"] for day in days for e in ("low", "high")),
            "days": days, "fit": result}


def same_json(want, got, where):
    if isinstance(want, (dict, list)):
        keys = want.keys() if isinstance(want, dict) else range(len(want))
        if type(got) is not type(want) or (isinstance(want, list) and len(got) != len(want)):
            return fail("%s: %r, recomputed %r" % (where, got, want))
        for k in keys:
            if isinstance(want, dict) and k not in got:
                fail("%s: no member %r" % (where, k))
            else:
                same_json(want[k], got[k], "%s.%s" % (where, k))
    elif not (want == got or isinstance(want, float) and isinstance(got, (int, float))
              and abs(want - got) <= 1e-9):
        fail("%s: %r, recomputed %r" % (where, got, want))


def shown(text, value, digits, where):
    """Either rounding is taken within 1e-9 of a boundary; the table prints no "-0.0"."""
    texts = {"%.*f" % (digits, v) for v in (value - 1e-9, value, value + 1e-9)} \
        if value is not None else {"-"}
    if text not in texts | {t[1:] for t in texts if re.fullmatch(r"-0\.?0*", t)}:
        fail("%s: table shows %r, recomputed %r" % (where, text, value))


def check_table(out, want, label):
    m = re.match(r"Verification of (\d+) forecasts issued (\S+) to (\S+) with \S+ weight (\S+)\n"
                 r"first guidance (.+), second (.+); in °F", out)
    if not m or m.groups() != (str(want["forecasts"]), want["first_issued"][:10],
                               want["last_issued"][:10], "%g" % want["eta_weights"]["lowest"],
                               want["first_guidance"], want["second_guidance"]):
        fail("%s: the table's heading does not name the forecasts:\n%s" % (label, out))
    rows = {tuple(w[:2]): w[2:] for w in map(str.split, out.splitlines())
            if len(w) > 2 and w[0] in ("low", "high")}
    for day in want["days"]:
        for element in ("low", "high"):
            where, s = "%s table %s day %d" % (label, element, day["day"]), day[element]
            words = rows.get((element, str(day["day"])), [])
            series = ("issued", "first", "second")[:3 if day["day"] <= 2 else 1]
            if len(words) < 1 + 2 * len(series):
                fail("%s: no such row" % where)
                continue
            shown(words[0], s["issued"]["pairs"], 0, where + " pairs")
            for k, name in enumerate(series):
                shown(words[1 + 2 * k], s[name]["bias"], 1, "%s %s bias" % (where, name))
                shown(words[2 + 2 * k], s[name]["mae"], 1, "%s %s MAE" % (where, name))
            # A guidance with other pairs than the issued blend says how many.
            counts, rest = [s[name]["pairs"] for name in series[1:]], words[1 + 2 * len(series):]
            note = "(first %d, second %d pairs)" % tuple(counts) \
                if set(counts) - {s["issued"]["pairs"]} else ""
            if " ".join(rest) != note:
                fail("%s: %r after the numbers, recomputed %r" % (where, " ".join(rest), note))
    fit = want["fit"]
    m = re.search({
        "too few pairs": r"\n(\d+) pairs, too few to fit a weight \(10 are needed\)\n",
        "any weight": r"\nin all (\d+) pairs both guidances erred alike: any weight does as "
                      r"well, so none is given\n",
        "fitted": r"\nweight (\S+) +(\S+) +(\S+)\nequal 0\.50 +\S+ +\S+\nissued +(\S+) +(\S+)\n"
                  r"90 % interval of the weight: \S+ to \S+ \(2,000 resamples of the \d+ "
                  r"forecasts?\)\nover (\d+) pairs of \d+ forecasts? \(days 1 and 2\) the weight "
                  r"(\S+) would have given a mean absolute error of (\S+) °F \(issued: (\S+) °F\)"
                  r"\n"}[fit["outcome"]], out)
    keys = [("weight", 2), ("mae", 1), ("rmse", 1), ("issued_mae", 1), ("issued_rmse", 1),
            ("pairs", 0), ("weight", 2), ("mae", 1), ("issued_mae", 1)]
    if not m:
        return fail("%s: no sentence of the fit (%s) in:\n%s" % (label, fit["outcome"], out))
    for k, (key, digits) in enumerate(keys if fit["outcome"] == "fitted" else [("pairs", 0)], 1):
        shown(m[k], fit[key], digits, "%s fit %s" % (label, key))


def verify(cli, work, docs, obs, label, *options):
    r = run(cli, "verify", "--json", label + ".json", *options, "obs.csv", "cf6.txt", "--", *docs,
            cwd=work)
    if r.returncode != 0:
        return None
    want = expected(work, docs, obs)
    same_json(want, json.load(open(os.path.join(work, label + ".json"))), label)
    check_table(r.stdout, want, label)
    return want


# The week: the hourly readings' curve, in tenths of a degree Celsius.
EPOCH = datetime.date(1970, 1, 1)
FRONTS = [datetime.datetime(2026, 11, 1, 4), datetime.datetime(2026, 11, 4, 3)]  # 10, 9 PM CST
WEEK_FIRST, WEEK_LAST = datetime.datetime(2026, 10, 29, 0, 53), datetime.datetime(2026, 11, 7, 17, 53)
GAP = (datetime.datetime(2026, 11, 2, 8, 0), datetime.datetime(2026, 11, 2, 12, 0))  # KHON


def minutes(t):
    return int((t - datetime.datetime(1970, 1, 1)).total_seconds()) // 60


def curve(s, m):
    """Station s at minute m (UTC): a day's swing peaking at 3 PM CST, cold after fronts."""
    local_hour = ((m - 360) % 1440) / 60
    c = 4 + 1.5 * s + 7 * math.sin(2 * math.pi * (local_hour - 9) / 24)
    for front in map(minutes, FRONTS):
        if front <= m < front + 14 * 60:
            c -= 9
    return round(10 * c)


def fahrenheit(tenths):
    return tenths / 10 * 9 / 5 + 32


def group(tenths):
    return ("1" if tenths < 0 else "0") + "%03d" % abs(tenths)


def week_readings():
    """{station: [(minute, kind, °F)]} as verify should take them, and the ASOS CSV."""
    lines, readings = ["station,valid,tmpf,dwpf,metar"], {s: [] for s in range(4)}
    m, last = minutes(WEEK_FIRST), minutes(WEEK_LAST)
    while m <= last:
        t = datetime.datetime(1970, 1, 1) + datetime.timedelta(minutes=m)
        for s, st in enumerate(STATIONS):
            if st == "KHON" and minutes(GAP[0]) < m < minutes(GAP[1]):
                continue
            c = curve(s, m)
            body = "M%02d" % round(-c / 10) if c < 0 else "%02d" % round(c / 10)
            metar = "%s %02d%02d%02dZ AUTO 18010KT 10SM CLR %s/M10 A3001 RMK AO2 T%s1100" % (
                st, t.day, t.hour, t.minute, body, group(c))
            readings[s].append((m, "now", fahrenheit(c)))
            if (t.hour + 1) % 6 == 0:  # the synoptic report: the six hours before its hour
                end = m + 7
                six = [curve(s, k) for k in range(end - 360, end + 1, 5)]
                metar += " 1%s 2%s" % (group(max(six)), group(min(six)))
                readings[s] += [(m, "max", fahrenheit(max(six))), (m, "min", fahrenheit(min(six)))]
            # tmpf is rounded as the mesonet does; the report's T group is what counts.
            lines.append("%s,%s,%.0f,M,%s" % (st[1:], t.strftime("%Y-%m-%d %H:%M"),
                                                fahrenheit(c), metar))
        m += 60
    return readings, "\n".join(lines) + "\n"


def extreme(readings, a, b, high):
    """The window's extreme by verify's rules, or None: no more than 3 hours without a
    reading, over at the last reading, the six-hour groups inside it included."""
    points = [(m, v) for m, k, v in readings if k == "now"]
    if points[-1][0] < b:
        return None
    previous, values = a, []
    for m, v in points:
        if a <= m <= b:
            if m - previous > 180:
                return None
            previous = m
            values.append(v)
    if b - previous > 180 or not values:
        return None
    for m, k, v in readings:
        end = (m + 30) // 60 * 60
        if k == ("max" if high else "min") and end - 360 >= a and end <= b:
            values.append(v)
    return max(values) if high else min(values)


def window(date, high):
    midnight = (date - EPOCH).days * 1440 + 360
    return (midnight + 420, midnight + 1140) if high else (midnight - 300, midnight + 480)


def iso(minute):
    return (datetime.datetime(1970, 1, 1) + datetime.timedelta(minutes=minute)).strftime(
        "%Y-%m-%dT%H:%M:%SZ")


def week_archive(cli, template, work, readings):
    """Seven forecasts issued from 29 October 2026 at 1200 UTC; each station's guidance the
    observed extreme (or a made-up value) plus known errors; their documents gain the
    station values as `forecast --json` gives them."""
    os.makedirs(os.path.join(work, "week"))
    docs = []
    for i in range(7):
        date, values = datetime.date(2026, 10, 29) + i * DAY, collections.defaultdict(list)
        station_values = collections.defaultdict(dict)  # (day, element) -> group -> station
        for d in range(1, 8):
            for element in ("low", "high"):
                for s, st in enumerate(STATIONS):
                    o = extreme(readings[s], *window(date + d * DAY, element == "high"),
                                element == "high")
                    o = round(o) if o is not None else 30 + s
                    e = (7 * i + 3 * d + 5 * s + (element == "high")) % 5 - 2
                    groups = {"first": o + e, "second": o - 2 * e + (i % 3) - 1} if d <= 2 \
                        else {"ext": o + e}
                    for g, v in groups.items():
                        values[(g, st)].append(v)
                        station_values[(d, element)].setdefault(
                            "first" if g == "ext" else g, {})[st] = v
        name = os.path.join("week", "%s.txt" % date)
        open(os.path.join(work, name), "w").write(bulletin_file(template, date, values))
        docs.append(os.path.join("week", "%s.json" % date))
        run(cli, "forecast", name, "--eta-weight", "0.5", "-o", name + ".out", "--json",
            docs[-1], cwd=work)
        path = os.path.join(work, docs[-1])
        doc = json.load(open(path))
        for d, day in enumerate(doc["days"], 1):
            for element in ("low", "high"):
                day[element + "_temp"]["station_values"] = station_values[(d, element)]
        json.dump(doc, open(path, "w"), indent=2)
    return docs


def splitmix(state):
    mask = (1 << 64) - 1
    state = (state + 0x9E3779B97F4A7C15) & mask
    z = ((state ^ (state >> 30)) * 0xBF58476D1CE4E5B9) & mask
    z = ((z ^ (z >> 27)) * 0x94D049BB133111EB) & mask
    return state, z ^ (z >> 31)


def fit_weight(pairs):
    if len(pairs) < 10:
        return None
    num = den = 0.0
    for e1, e2 in pairs:
        num += e2 * (e2 - e1)
        den += (e1 - e2) * (e1 - e2)
    return None if den == 0 else min(1.0, max(0.0, num / den))


def quantile(values, q):
    at = q * (len(values) - 1)
    below = math.floor(at)
    if below + 1 >= len(values):
        return values[-1]
    return values[below] + (at - below) * (values[below + 1] - values[below])


def week_pairs(work, docs, readings):
    """Every pair verify should make, in its order, as the pairs file writes them."""
    pairs = []
    for path in sorted(docs):
        doc = json.load(open(os.path.join(work, path)))
        issued = datetime.date.fromisoformat(doc["issued"][:10])
        for d, day in enumerate(doc["days"], 1):
            for element in ("low", "high"):
                high, t = element == "high", day[element + "_temp"]
                a, b = window(issued + d * DAY, high)
                obs = [extreme(readings[s], a, b, high) for s in range(4)]
                present = [(w, v) for w, v in zip(WEIGHTS, obs) if v is not None]
                if present and t["value"] is not None:
                    city = sum(w * v for w, v in present) if len(present) == 4 else \
                        sum(w * v for w, v in present) / sum(w for w, _ in present) * sum(WEIGHTS)
                    pairs.append([doc["issued"], d, element, "city", city, iso(a), iso(b),
                                  "hourly", t["first"], t["second"], t["value"]])
                for s, st in enumerate(STATIONS):
                    sv = t["station_values"]
                    first, second = sv["first"].get(st), sv.get("second", {}).get(st)
                    if obs[s] is not None and (first, second) != (None, None):
                        pairs.append([doc["issued"], d, element, st, obs[s], iso(a), iso(b),
                                      "hourly", first, second, None])
    return pairs


def same_pair(want, got, where):
    for k, (w, g) in enumerate(zip(want, got)):
        if isinstance(w, (int, float)) and not isinstance(w, bool):
            ok = g not in (None, "") and abs(float(g) - w) <= 1e-9
        else:
            ok = (g if g != "" else None) == (w if not isinstance(w, int) else str(w)) or \
                str(g) == str(w)
        if not ok:
            return fail("%s field %d: %r, recomputed %r" % (where, k, g, w))


def check_week(cli, template, work):
    readings, asos = week_readings()
    open(os.path.join(work, "asos.csv"), "w").write(asos)
    # KFSD's daily summary of 4 November, 3 °F above its readings' own maximum.
    fsd = [(m, k, v) for m, k, v in readings[3]]
    lo, hi = minutes(datetime.datetime(2026, 11, 4, 6)), minutes(datetime.datetime(2026, 11, 5, 6))
    day_max = extreme(fsd, lo, hi, True)
    open(os.path.join(work, "daily.csv"), "w").write(
        "station,day,max_temp_f,min_temp_f\nFSD,2026-11-04,%d,M\n" % (round(day_max) + 3))
    docs = week_archive(cli, template, work, readings)
    r = run(cli, "verify", "--json", "week.json", "--pairs", "week.csv", "--verif", "week",
            "--by-day", "asos.csv", "daily.csv", *docs, cwd=work)
    if r.returncode != 0:
        return
    for line in ("KHON 2026-11-02: no observed low: 5.0 hours without a reading, 01:53 to 06:53 "
                 "CST", "KBKX 2026-11-07: no observed high: its window (7 AM to 7 PM CST) is not "
                 "over at the last reading", "KFSD 2026-11-04: the daily maximum %d °F differs by "
                 "more than 1 °F" % (round(day_max) + 3)):
        if line not in r.stderr:
            fail("week: standard error does not say %r:\n%s" % (line, r.stderr))
    want = week_pairs(work, docs, readings)
    got = json.load(open(os.path.join(work, "week.json")))
    rows = [row.split(",") for row in open(os.path.join(work, "week.csv")).read().splitlines()]
    keys = rows[0]
    if keys != ("issued,day,element,place,observed,window_start,window_end,source,first,second,"
                "issued_value").split(","):
        fail("week.csv: header %r" % keys)
    if len(rows) - 1 != len(want) or len(got["pair_list"]) != len(want):
        fail("week: %d pairs in the file, %d in the JSON, recomputed %d"
             % (len(rows) - 1, len(got["pair_list"]), len(want)))
    for k, (w, row, obj) in enumerate(zip(want, rows[1:], got["pair_list"])):
        same_pair(w, row, "week.csv line %d" % (k + 2))
        same_pair(w, [obj[key] for key in keys], "week.json pair %d" % (k + 1))
    if any(p[2] == "high" and p[6].startswith("2026-11-08T01") for p in want) or \
            any(r[2] == "high" and r[6].startswith("2026-11-08T01") for r in rows[1:]):
        fail("week: the high of 7 November, not over, was scored")
    # The fit, recomputed from the documents' values and the recomputed observations.
    fit = [p for p in want if p[3] == "city" and p[1] <= 2 and None not in (p[8], p[9])]
    errors = [(p[8] - p[4], p[9] - p[4]) for p in fit]
    w = fit_weight(errors)
    weight = got["weight"]
    if w is None or weight["fitted"] is None or abs(weight["fitted"] - w) > 1e-9:
        return fail("week: the fitted weight is %r, recomputed %r" % (weight["fitted"], w))
    groups = collections.OrderedDict()
    for k, p in enumerate(fit):
        groups.setdefault(p[0], []).append(k)
    groups, state, resampled = list(groups.values()), 20261209, []
    for _ in range(2000):
        sample = []
        for _ in range(len(groups)):
            state, x = splitmix(state)
            sample += [errors[k] for k in groups[x % len(groups)]]
        v = fit_weight(sample)
        if v is not None:
            resampled.append(v)
    resampled.sort()
    interval = [quantile(resampled, 0.05), quantile(resampled, 0.95)]
    if any(abs(a - b) > 1e-9 for a, b in zip(weight["interval"], interval)):
        fail("week: the interval is %r, recomputed %r" % (weight["interval"], interval))
    if not interval[0] <= w <= interval[1]:
        fail("week: the interval %r leaves out the weight %r" % (interval, w))
    mae = lambda ws: sum(abs(ws * e1 + (1 - ws) * e2) for e1, e2 in errors) / len(errors)
    for key, value in (("fitted", mae(w)), ("equal", mae(0.5))):
        if abs(weight["mae"][key] - value) > 1e-9:
            fail("week: the %s MAE is %r, recomputed %r" % (key, weight["mae"][key], value))
    if "ETA weight fitted" not in r.stdout or len(got.get("weight_by_day", [])) != 2:
        fail("week: the table names no ETA weight, or --by-day fitted no days:\n" + r.stdout)
    # Verif: each forecast's pairs, the lead time to the end of the guidance's window.
    places = ["city"] + STATIONS
    for name, column in (("issued", 10), ("first", 8), ("second", 9)):
        lines = open(os.path.join(work, "week.%s.txt" % name)).read().splitlines()
        expect = []
        for p in want:
            if p[column] is None:
                continue
            issued = datetime.datetime.fromisoformat(p[0][:19])
            end = datetime.datetime.fromisoformat(p[6][:19])
            expect.append([issued.strftime("%Y%m%d"), (end - issued).total_seconds() / 3600,
                           places.index(p[3]), p[4], p[column]])
        if lines[0] != "date leadtime location lat lon altitude obs fcst" or \
                len(lines) - 1 != len(expect):
            fail("week.%s.txt: %d lines, recomputed %d" % (name, len(lines) - 1, len(expect)))
            continue
        for line, e in zip(lines[1:], expect):
            f = line.split()
            if f[0] != e[0] or float(f[1]) != e[1] or int(f[2]) != e[2] or \
                    abs(float(f[6]) - e[3]) > 1e-9 or abs(float(f[7]) - e[4]) > 1e-9:
                fail("week.%s.txt: %r, recomputed %r" % (name, line, e))
                break


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--cli", required=True)
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--keep")
    args = parser.parse_args()
    cli = os.path.abspath(args.cli)
    template = open(os.path.join(args.source_dir, "examples", "bulletins.txt")).read()
    if args.keep:
        os.makedirs(args.keep, exist_ok=True)
    with (contextlib.nullcontext(os.path.abspath(args.keep)) if args.keep else
          tempfile.TemporaryDirectory(prefix="vuzazav-verify-")) as work:
        obs = observations()
        write_mesonet(os.path.join(work, "obs.csv"), obs)
        write_cf6(os.path.join(work, "cf6.txt"), obs)
        docs, design = make_archive(cli, template, work, "month", 25, 0.5, no_first=2)
        want = verify(cli, work, docs, obs, "month", "--chart", "month.svg")
        # The design's weight: e1 = s a, e2 = -s b, so sum b (a + b) / sum (a + b)^2.
        w = sum(b * (a + b) for a, b in design) / sum((a + b) ** 2 for a, b in design)
        if want and (want["fit"]["weight"] is None or abs(want["fit"]["weight"] - w) > 1e-6):
            fail("month: the fit gives %r, the design %r" % (want["fit"]["weight"], w))
        try:
            ET.parse(os.path.join(work, "month.svg"))
        except (OSError, ET.ParseError) as e:
            fail("month: the chart is no SVG: %s" % e)
        # The last two forecasts: 8 pairs to fit, and day 7 verifies on no observed day.
        want = verify(cli, work, docs[-2:], obs, "few")
        if want and (want["fit"]["outcome"] != "too few pairs" or want["days"][6]["low"]["issued"]
                     ["pairs"]):
            fail("few: no case of too few pairs and of a day without pairs")
        docs, _ = make_archive(cli, template, work, "same", 5, 0.6, second="same")
        want = verify(cli, work, docs, obs, "same")
        if want and want["fit"]["outcome"] != "any weight":
            fail("same: guidances that never differ leave a weight to fit")
        # The second guidance errs twice as much the same way: the weight 2 is clipped to 1.
        docs, _ = make_archive(cli, template, work, "twice", 5, 0.5, second="twice")
        want = verify(cli, work, docs, obs, "twice")
        if want and want["fit"]["weight"] != 1:
            fail("twice: the weight is %r, not 1" % want["fit"]["weight"])
        check_week(cli, template, work)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
