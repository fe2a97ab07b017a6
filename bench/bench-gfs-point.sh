#!/usr/bin/env bash
# Times `vuzazav-cli gfs-point` on 48 GFS-like GRIB2 files against ecCodes' own
# `grib_get -l LAT,LON,1` on the same files, for each of the global grids GFS is published
# on (1, 0.5 and 0.25 degrees), and reports the median time ratio gfs-point / grib_get.
#
#   bench/bench-gfs-point.sh [CLI] [STEP...]     default: build/vuzazav-cli, steps 1 0.5 0.25
#
# The files, one per forecast hour 6 to 288, are made by a small generator built here
# against ecCodes with the unit tests' writer (tests/unit/grib2_messages.h): a global grid
# of that step (1440 x 721 points at 0.25 degrees) packed as GFS packs it (complex packing
# with spatial differencing), holding the eleven fields the model file needs (with the
# precipitation as bucket and run total, the cloud as average and as instant) and OTHER
# further messages of upper-air fields (default 43, so 57 messages a file). A whole GFS
# file has about 700 messages; more messages only favour gfs-point, which passes over them
# undecoded. At 0.25 degrees ecCodes packs a message at about 1.4 MB, so the 48 files take
# some 4 GB; each grid's files are removed before the next grid's are made.
# RUNS sets the runs per measurement (default 3). Needs GNU time, a C++ compiler,
# pkg-config, libeccodes-dev and libeccodes-tools.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
cli=$(realpath "${1:-$here/build/vuzazav-cli}")
shift || true
steps=("${@:-1 0.5 0.25}")
steps=(${steps[*]})
runs=${RUNS:-3}
other=${OTHER:-43}
for tool in /usr/bin/time grib_get pkg-config c++; do
  command -v "$tool" > /dev/null || { echo "bench-gfs-point.sh needs $tool" >&2; exit 1; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cat > "$work/make_gfs_grib2.cpp" <<'CPP'
// make_gfs_grib2 DIR OTHER STEP: the files gfs.t12z.pgrb2.fFFF of one run on a global grid
// of STEP degrees.
#include "grib2_messages.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

struct kind {
    grib2::field field; // its value the mean, its period set at each hour
    double amplitude;
};

static double step = 0.25;

static codes_handle* base_message(const kind& k) {
    const long ni = std::lround(360 / step), nj = std::lround(180 / step) + 1;
    codes_handle* h = grib2::eccodes_message(k.field, {ni, nj, 90, 0, -90, 360 - step, step}, 12);
    // Smooth weather with some noise, which sets how well the values pack.
    std::vector<double> values(ni * nj);
    unsigned noise = 17;
    for (long j = 0; j < nj; ++j)
        for (long i = 0; i < ni; ++i) {
            noise = noise * 1103515245u + 12345u;
            const double lat = (90 - step * j) * M_PI / 180, lon = step * i * M_PI / 180;
            values[j * ni + i] =
                k.field.value + k.amplitude * (std::cos(lat) * std::sin(3 * lon) +
                                               0.0006 * ((noise >> 16) % 100) / 100.0);
        }
    grib2::set_values(h, values, "grid_complex_spatial_differencing");
    return h;
}

static void write_at(std::FILE* out, codes_handle* base, long start, long end) {
    codes_handle* h = codes_handle_clone(base);
    grib2::set_hour(h, end, end - start);
    const std::string message = grib2::take_message(h);
    std::fwrite(message.data(), 1, message.size(), out);
}

int main(int argc, char** argv) {
    if (argc != 4) return 2;
    const std::string dir = argv[1];
    const int other = std::atoi(argv[2]);
    step = std::atof(argv[3]);
    const kind fields[] = {
        {{3, 1, 101, 0, -1, 0, 101000}, 2000}, {{0, 0, 103, 2, -1, 0, 275}, 15},
        {{0, 0, 100, 85000, -1, 0, 268}, 12},  {{0, 0, 100, 70000, -1, 0, 258}, 10},
        {{0, 0, 100, 50000, -1, 0, 245}, 8},   {{3, 5, 100, 50000, -1, 0, 5600}, 150},
        {{3, 5, 100, 100000, -1, 0, 100}, 80}, {{1, 1, 103, 2, -1, 0, 60}, 30},
        {{2, 2, 103, 10, -1, 0, 0}, 8},        {{2, 3, 103, 10, -1, 0, 0}, 8},
        {{6, 1, 10, 0, -1, 0, 50}, 40},
    };
    const kind tp{{1, 8, 1, 0, 1, 0, 2}, 2}, tcc_average{{6, 1, 10, 0, 0, 0, 50}, 40};
    std::vector<codes_handle*> instant;
    for (const kind& k : fields) instant.push_back(base_message(k));
    codes_handle* precip = base_message(tp);
    codes_handle* cloud = base_message(tcc_average);
    // Upper-air fields at the other levels: temperature, height, humidity, winds, omega.
    const long levels[] = {1000, 975, 950, 925, 900, 875, 825, 800, 775, 750, 650, 600, 550,
                           450, 400, 350, 300, 250, 200, 150, 100, 70, 50, 40, 30, 20, 10};
    const long parameters[][2] = {{0, 0}, {3, 5}, {1, 1}, {2, 2}, {2, 3}, {2, 8}, {1, 22}};
    std::vector<codes_handle*> others;
    for (int n = 0; n < other; ++n) {
        const long* p = parameters[n % 7];
        const long level = levels[n / 7 % 27];
        others.push_back(base_message({{p[0], p[1], 100, level * 100, -1, 0, 100.0 + n}, 20}));
    }
    for (long hour = 6; hour <= 288; hour += 6) {
        char name[64];
        std::snprintf(name, sizeof name, "/gfs.t12z.pgrb2.f%03ld", hour);
        std::FILE* out = std::fopen((dir + name).c_str(), "wb");
        if (!out) return 1;
        for (std::size_t n = 0; n < others.size(); ++n) {
            write_at(out, others[n], hour, hour);
            if (n == others.size() / 2) {
                for (codes_handle* h : instant) write_at(out, h, hour, hour);
                write_at(out, precip, hour - 6, hour);
                if (hour > 6) write_at(out, precip, 0, hour);
                write_at(out, cloud, hour - 6, hour);
            }
        }
        if (others.empty()) {
            for (codes_handle* h : instant) write_at(out, h, hour, hour);
            write_at(out, precip, hour - 6, hour);
            if (hour > 6) write_at(out, precip, 0, hour);
            write_at(out, cloud, hour - 6, hour);
        }
        if (std::fclose(out) != 0) return 1;
    }
    return 0;
}
CPP
echo "building the generator" >&2
c++ -O2 -std=c++17 -I "$here/tests/unit" -o "$work/make_gfs_grib2" "$work/make_gfs_grib2.cpp" \
  $(pkg-config --cflags --libs eccodes)

# The median over runs of a command of its wall-clock seconds and of its processor seconds
# (user and system: the measure that other work on the machine disturbs least), as
# "WALL CPU"; its output goes to $work/out.
median() {
  local r
  : > "$work/times"
  for ((r = 0; r < runs; r++)); do
    /usr/bin/time -f '%e %U %S' -o "$work/time" "$@" > "$work/out" 2> "$work/err"
    awk '{ print $1, $2 + $3 }' "$work/time" >> "$work/times"
  done
  local wall cpu
  wall=$(cut -d' ' -f1 "$work/times" | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
  cpu=$(cut -d' ' -f2 "$work/times" | sort -g | awk '{ t[NR] = $1 } END { print t[int((NR + 1) / 2)] }')
  echo "$wall $cpu"
}

cd "$work"
for step in "${steps[@]}"; do
  rm -rf "$work/gfs"
  mkdir "$work/gfs"
  echo "$step degrees: writing 48 files of $((other + 14)) messages" >&2
  "$work/make_gfs_grib2" "$work/gfs" "$other" "$step"
  files=("$work"/gfs/gfs.t12z.pgrb2.f*)
  echo "$(du -sh "$work/gfs" | cut -f1) in ${#files[@]} files" >&2
  # Both read the files once untimed, so that both are timed with them in the page cache.
  cat "${files[@]}" > /dev/null
  point=$(median "$cli" gfs-point -o "$work/gfs_model.txt" "${files[@]}")
  "$cli" gfs "$work/gfs_model.txt" -o "$work/gfs_model.out" 2> /dev/null ||
    { echo "vuzazav-cli gfs refused the written model file" >&2; exit 1; }
  tool=$(median grib_get -l 44.05,-97.20,1 "${files[@]}")
  lines=$(wc -l < "$work/out")
  echo "$point $tool" | awk -v n="$lines" -v step="$step" '{
    printf "%s degrees, wall: gfs-point %.2f s, grib_get -l %.2f s (%d lines): ratio %.3f\n", step, $1, $3, n, $1 / $3
    printf "%s degrees, cpu:  gfs-point %.2f s, grib_get -l %.2f s: ratio %.3f\n", step, $2, $4, $2 / $4
  }'
done
rm -rf "$work/gfs"
