#!/usr/bin/env bash
# Times fetching the GFS messages of 48 forecast hours (6 to 288) from a server on the
# loopback address (tests/fetch/server.py) against `curl` fetching the same byte ranges, one
# process per range, in a shell loop over the hours' .idx inventories; and checks what the
# fetch cost at the server:
#   - time at most 1.2 times the loop's (the median over RUNS runs, default 3);
#   - bytes at most 1.05 times those of the messages gfs-point reads (inventories included);
#   - requests at most one per inventory plus one per run of adjacent messages read.
# The files saved by both must be the same bytes.
#
#   bench/bench-fetch.sh [BUILD_DIR]     default: build-test (configured with libcurl)
#
# The fetch is BUILD_DIR's "vuzazav-cli fetch"; FETCH="COMMAND WORDS" (a command and its
# first words) times another. Each hour's file holds the messages a GFS file puts around
# those that gfs-point reads, in NCEP's order: thirteen of them of about 0.75 MB, 10 MB an
# hour, as a 0.25 degree hour's are.
# Needs curl and python3.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath "${1:-$here/build-test}")
runs=${RUNS:-3}
"$here/scripts/deps" build fetch bench

work=$(mktemp -d)
server_pid=
cleanup() {
  [ -n "$server_pid" ] && kill "$server_pid" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

if [ -z "${FETCH:-}" ]; then
  [ -x "$build/vuzazav-cli" ] || {
    echo "$build/vuzazav-cli is missing: build $build with libcurl first" >&2
    exit 1
  }
  fetch=("$build/vuzazav-cli" fetch)
else
  read -r -a fetch <<< "$FETCH"
fi

echo "writing 48 hours of GFS files and their inventories" >&2
python3 - "$work/root/com/gfs/prod/gfs.20261209/12/atmos" > "$work/needed" <<'PY'
import os, sys

folder = sys.argv[1]
os.makedirs(folder)
# A GFS file's fields in NCEP's order; those gfs-point reads are marked with a star.
upper = ["HGT", "TMP", "RH", "SPFH", "VVEL", "UGRD", "VGRD", "ABSV", "CLWMR"]
read_upper = {("HGT", 1000), ("TMP", 850), ("TMP", 700), ("HGT", 500), ("TMP", 500)}
fields = ["*PRMSL:mean sea level:{h} hour fcst", "CLWMR:1 hybrid level:{h} hour fcst",
          "REFC:entire atmosphere:{h} hour fcst", "VIS:surface:{h} hour fcst"]
for level in [1000, 925, 850, 700, 500, 250]:
    for v in upper:
        star = "*" if (v, level) in read_upper else ""
        fields.append("%s%s:%d mb:{h} hour fcst" % (star, v, level))
fields += ["TMP:surface:{h} hour fcst", "*TMP:2 m above ground:{h} hour fcst",
           "SPFH:2 m above ground:{h} hour fcst", "DPT:2 m above ground:{h} hour fcst",
           "*RH:2 m above ground:{h} hour fcst", "APTMP:2 m above ground:{h} hour fcst",
           "*UGRD:10 m above ground:{h} hour fcst", "*VGRD:10 m above ground:{h} hour fcst",
           "CPOFP:surface:{h} hour fcst", "PRATE:surface:{s}-{h} hour ave fcst",
           "*APCP:surface:{s}-{h} hour acc fcst", "*APCP:surface:0-{h} hour acc fcst",
           "ACPCP:surface:{s}-{h} hour acc fcst", "CWAT:entire atmosphere:{h} hour fcst",
           "TCDC:low cloud layer:{s}-{h} hour ave fcst", "TCDC:entire atmosphere:{h} hour fcst",
           "*TCDC:entire atmosphere:{s}-{h} hour ave fcst",
           "HLCY:3000-0 m above ground:{h} hour fcst",
           "HGT:PV=2e-06 (Km^2/kg/s) surface:{h} hour fcst"]
noise = os.urandom(1 << 21)
needed = 0
runs = 0
for hour in range(6, 289, 6):
    name = "gfs.t12z.pgrb2.0p25.f%03d" % hour
    offset, lines, before = 0, [], False
    with open(os.path.join(folder, name), "wb") as out:
        for n, field in enumerate(fields, 1):
            read = field.startswith("*")
            # At hour 6 the run total is the 6-hour bucket.
            if hour == 6 and "0-{h}" in field:
                continue
            text = field.lstrip("*").format(h=hour, s=hour - 6)
            length = (760_000 if read else 40_000) + 997 * n + hour
            out.write(b"GRIB\0\0\0\2" + length.to_bytes(8, "big") +
                      noise[n * 1000 : n * 1000 + length - 20] + b"7777")
            lines.append("%d:%d:d=2026120912:%s:" % (len(lines) + 1, offset, text))
            offset += length
            needed += length if read else 0
            runs += read and not before
            before = read
    with open(os.path.join(folder, name + ".idx"), "w") as idx:
        idx.write("\n".join(lines) + "\n")
        needed += idx.tell()
print(needed, runs)
PY
read -r needed message_runs < "$work/needed"
echo "$(du -sh "$work/root" | cut -f1) on the server; $needed bytes to fetch" >&2

# The server ends when its standard input closes, with this script.
mkfifo "$work/hold"
python3 "$here/tests/fetch/server.py" "$work/root" "$work/log" > "$work/port" < "$work/hold" &
server_pid=$!
exec 3> "$work/hold"
for _ in $(seq 50); do [ -s "$work/port" ] && break; sleep 0.1; done
base="http://127.0.0.1:$(head -1 "$work/port")/com/"

# The loop: each hour's inventory, then each run of adjacent messages read, one curl each.
cat > "$work/loop.sh" <<'SH'
set -euo pipefail
base=$1 to=$2
dir=gfs/prod/gfs.20261209/12/atmos
for hour in $(seq -f %03g 6 6 288); do
  name=gfs.t12z.pgrb2.0p25.f$hour
  h=$((10#$hour)) s=$((10#$hour - 6))
  curl -sSf -o "$to/$name.idx" "$base$dir/$name.idx"
  awk -F: -v h="$h" -v s="$s" '
    function wanted(v, l, f) {
      if (f == h " hour fcst")
        return (v == "PRMSL" && l == "mean sea level") || (v ~ /^(TMP|RH)$/ && l == "2 m above ground") ||
               (v == "TMP" && l ~ /^(850|700|500) mb$/) || (v == "HGT" && l ~ /^(500|1000) mb$/) ||
               (v ~ /^[UV]GRD$/ && l == "10 m above ground")
      return (v == "APCP" && l == "surface" && (f == s "-" h " hour acc fcst" || f == "0-" h " hour acc fcst")) ||
             (v == "TCDC" && l == "entire atmosphere" && f == s "-" h " hour ave fcst")
    }
    { offset[NR] = $2; take[NR] = wanted($4, $5, $6) }
    END {
      for (i = 1; i <= NR; i++) {
        if (!take[i]) continue
        first = offset[i]
        while (i < NR && take[i + 1]) i++
        print first "-" (i < NR ? offset[i + 1] - 1 : "")
      }
    }' "$to/$name.idx" > "$to/$name.ranges"
  : > "$to/$name"
  while read -r range; do curl -sSf -r "$range" "$base$dir/$name" >> "$to/$name"; done < "$to/$name.ranges"
  rm "$to/$name.idx" "$to/$name.ranges"
done
SH

median() { sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }'; }
seconds() { # COMMAND...: the wall-clock seconds it took
  local start end
  start=$(date +%s.%N)
  "$@"
  end=$(date +%s.%N)
  awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}
: > "$work/fetch-times"
: > "$work/loop-times"
for ((r = 0; r < runs; r++)); do
  rm -rf "$work/by-fetch" "$work/by-curl"
  mkdir "$work/by-fetch" "$work/by-curl"
  : > "$work/log"
  seconds "${fetch[@]}" --date 2026-12-09 --cycle 12 --to "$work/by-fetch" --from "$base" gfs \
    2> "$work/fetch-err" >> "$work/fetch-times" || { cat "$work/fetch-err" >&2; exit 1; }
  awk '{ n++; b += $5 } END { print n, b }' "$work/log" > "$work/fetch-cost"
  seconds bash "$work/loop.sh" "$base" "$work/by-curl" >> "$work/loop-times"
done
diff -r "$work/by-fetch" "$work/by-curl" > /dev/null ||
  { echo "fetch and the curl loop saved different files" >&2; exit 1; }
read -r requests bytes < "$work/fetch-cost"
fetch_time=$(median < "$work/fetch-times")
loop_time=$(median < "$work/loop-times")
awk -v ft="$fetch_time" -v lt="$loop_time" -v b="$bytes" -v n="$needed" -v q="$requests" \
  -v most=$((48 + message_runs)) 'BEGIN {
  printf "time: fetch %.2f s, curl loop %.2f s: ratio %.3f (at most 1.2)\n", ft, lt, ft / lt
  printf "bytes: %d for %d needed: ratio %.4f (at most 1.05)\n", b, n, b / n
  printf "requests: %d, at most %d (48 inventories and %d runs)\n", q, most, most - 48
  exit !(ft <= 1.2 * lt && b <= 1.05 * n && q <= most)
}'
