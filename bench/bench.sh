#!/usr/bin/env bash
# Times vuzazav on large inputs against `wc -w` on the same files and reports, per size,
# the median time ratio program / wc -w and the program's peak resident memory.
#
#   bench/bench.sh [BINARY] [SIZES_MB...]     default: build/vuzazav, sizes 100 200
#
# For each size it writes, in a temporary directory:
#   (a) a valid bulletin file whose bulletin bodies are padded with rows the readers pass
#       over, and times option 4 on it;
#   (b) a valid GFS model file with that much preamble, and times option 1 on it;
#   (c) three national guidance products (NAM, GFS, GFSX) of that much in all, framed as
#       NOAAPort sends them, and times `vuzazav-cli assemble` on them (skipped when that
#       program is not beside BINARY); the assembled file must pass option 4;
#   (d) once, the national NBS product as today's guidance comes (blend_nbstx.t12z, some
#       9,000 stations of NBM bulletins, tens of megabytes, NOAAPort framing) beside the GFS
#       and GFSX products of (c), and times `vuzazav-cli assemble` on the three.
# Then, untimed, it checks memory on inputs that are that large in a single piece: a file
# of NUL bytes and a file of one word (options 1 and 4 on each), a menu word, a file name
# and a weight of that length typed on standard input, and standard input of NUL bytes.
# Each of those runs must end normally, with exit code 0. `vuzazav-cli verify` reads a
# mesonet CSV that large beside a forecast (exit code 0) and refuses the NUL file and the
# one word (exit code 1).
# Needs GNU time (Debian package "time"). RUNS sets the runs per measurement (default 5);
# MAX_RSS_KB, when set, makes the script fail if a run's peak memory exceeds the program's
# own at start-up (its shared libraries: ecCodes, libcurl and theirs) by more than that.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
binary=$(realpath "${1:-$here/build/vuzazav}")
cli=$(dirname "$binary")/vuzazav-cli
shift || true
sizes=("${@:-100 200}")
sizes=(${sizes[*]})
runs=${RUNS:-5}
"$here/scripts/deps" bench # GNU time, for the peak memory

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# Rows of the kind real bulletins carry and the readers never search for.
pad_rows() {
  awk -v bytes="$1" 'BEGIN {
    row[0] = "TMP  48 52 51 40 35 32 30 35 47 50 48 40 38 35 32 36 45 48 45 31 27"
    row[1] = "P06         1     6    14    20    14    25     8     4     2  3  2"
    row[2] = "Q06         0     0     0     0     0     0     0     0     0  0  0"
    row[3] = "T06      5/11  1/ 2  0/ 1  1/ 2  8/ 3  1/ 1  0/ 0  0/ 0  2/ 8  0/ 0"
    row[4] = "POZ   1  1  3  2  2  7  8  3  4  2  3  0  3  3  4  6  3  1  2  0  3"
    row[5] = "CIG   8  8  8  8  8  8  8  7  8  8  7  8  8  8  8  8  8  8  8  8  8"
    row[6] = "VIS   7  7  7  7  7  7  7  1  7  7  7  7  7  7  7  7  7  7  7  7  7"
    row[7] = "OBV   N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N  N"
    n = 0; i = 0
    while (n < bytes) { print row[i % 8]; n += length(row[i % 8]) + 1; i++ }
  }'
}

make_bulletins() { # $1 file, $2 megabytes
  local per=$(( $2 * 1048576 / 12 ))
  pad_rows "$per" > "$work/pad"
  awk -v pad="$work/pad" '
    { print }
    /^ *(KBKX|KHON|KMHE|KFSD) +(ETA|AVN|GFS|MRF|GFSX) / {
      while ((getline line < pad) > 0) print line
      close(pad)
    }' "$here/examples/bulletins.txt" > "$1"
}

make_gfs() { # $1 file, $2 megabytes
  awk -v bytes="$(( $2 * 1048576 ))" 'BEGIN {
    line = "REMARK  POINT TIME SERIES OF THE GLOBAL MODEL, ARCHIVED COPY, NO DATA IN THIS LINE"
    n = 0
    while (n < bytes) { print line; n += length(line) + 1 }
  }' > "$1"
  cat "$here/examples/gfs_model.txt" >> "$1"
}

# Three national guidance products, one per model group of the sample file, of $2 megabytes
# in all: bulletins of thousands of other stations with the sample's bodies, framed as
# NOAAPort sends them (SOH, sequence number, WMO heading, AWIPS id, a record separator
# before each station word, "$$", ETX; lines end in CR CR LF), 40 bulletins a frame. The
# four stations' bulletins stand halfway through, in alphabetical order.
make_national() { # $1 directory, $2 megabytes
  awk -v dir="$1" -v bytes="$(( $2 * 1048576 / 3 ))" '
    BEGIN { k = -1; n = 0; crlf = "\r\r\n" }
    /^ *[A-Z0-9]+ +[A-Z]+ +MOS +GUIDANCE/ { k = ($1 == "KSUX") ? -1 : n++; if (n == 1) date = $5; next }
    k >= 0 { text[k] = text[k] $0 crlf }
    function put(g, station, body) {
      if (in_frame == 0)
        printf "\001%s%03d %s%s KWNO %s%s%s%s", crlf, seq++ % 1000, crlf, wmo[g], stamp[g], crlf, awips[g], crlf > file
      printf "\036%s   %s MOS GUIDANCE   %s  %s UTC%s%s", station, model[g], date, cycle[g], crlf, body > file
      written += length(body) + 50
      if (++in_frame == 40) { printf "$$%s\003", crlf > file; in_frame = 0 }
    }
    END {
      split("NAM GFS GFSX", model, " "); split("1200 1200 0000", cycle, " ")
      split("FOUS46 FOUS21 FEUS21", wmo, " "); split("041200 041200 040000", stamp, " ")
      split("METUSA MAVUSA MEXUSA", awips, " ")
      split("KBKX KFSD KHON KMHE", alpha, " "); split("0 3 1 2", alpha_index, " ")
      for (g = 1; g <= 3; g++) {
        file = dir "/" tolower(awips[g]) ".txt"
        for (s = 0; s < 4; s++) { own[s] = text[(g - 1) * 4 + s]; sub(/(\r\r\n)+$/, crlf, own[s]) }
        written = 0; seq = 1; in_frame = 0; i = 0; placed = 0
        while (written < bytes) {
          if (!placed && written >= bytes / 2) {
            for (a = 1; a <= 4; a++) put(g, alpha[a], own[alpha_index[a]])
            placed = 1
          }
          station = sprintf("K%c%c%c", 65 + int(i / 676) % 26, 65 + int(i / 26) % 26, 65 + i % 26)
          i++
          if (station !~ /^(KBKX|KHON|KMHE|KFSD)$/) put(g, station, own[i % 4])
        }
        if (in_frame > 0) printf "$$%s\003", crlf > file
        close(file)
      }
    }' "$here/examples/bulletins.txt"
}

# The national NBS product: nbs_stations bulletins with the test data's real NBS bodies,
# the four stations among them, framed as NOAAPort sends them, 40 bulletins a frame.
nbs_stations=9000
make_nbs() { # $1 file
  awk -v stations="$nbs_stations" '
    BEGIN { crlf = "\r\r\n" }
    FNR == 1 { f++; station[f] = $1; next }
    { body[f] = body[f] $0 crlf }
    function put(st, b) {
      if (in_frame == 0) printf "\001%s%03d %sFOUS16 KWNO 041200%sNBSUSA%s", crlf, seq++ % 1000, crlf, crlf, crlf
      printf "\036%s    NBM V5.0 NBS GUIDANCE    3/04/2010  1200 UTC%s%s", st, crlf, b
      if (++in_frame == 40) { printf "$$%s\003", crlf; in_frame = 0 }
    }
    END {
      seq = 1
      for (i = 0; i < stations; i++) {
        if (i == int(stations / 2)) for (s = 1; s <= 4; s++) put(station[s], body[s])
        st = sprintf("K%c%c%c", 65 + int(i / 676) % 26, 65 + int(i / 26) % 26, 65 + i % 26)
        if (st !~ /^(KBKX|KHON|KMHE|KFSD)$/) put(st, body[i % 4 + 1])
      }
      if (in_frame > 0) printf "$$%s\003", crlf
    }' "$here"/tests/data/nbs/kbkx.txt "$here"/tests/data/nbs/khon.txt \
       "$here"/tests/data/nbs/kmhe.txt "$here"/tests/data/nbs/kfsd.txt > "$1"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# Times one scripted session; prints "seconds peak_kb" per run.
time_program() { # $1 dir, $2 stdin text, $3 expected output file
  for _ in $(seq "$runs"); do
    rm -f "$1/$3"
    ( cd "$1" && printf "$2" | /usr/bin/time -f '%e %M' -o "$work/t" "$binary" > "$work/console" )
    grep -q "You have a valid file." "$work/console" || { echo "the run did not accept the file" >&2; cat "$work/console" >&2; exit 1; }
    [ -s "$1/$3" ] || { echo "the run wrote no $3" >&2; exit 1; }
    cat "$work/t"
  done
}

# Times the assembler on the products in $1 (*usa.txt, or the files after it); the file it
# writes must pass option 4.
time_assemble() { # $1 dir, [$2... products]
  local products=("$1"/*usa.txt); [ $# -gt 1 ] && products=("${@:2}")
  for _ in $(seq "$runs"); do
    rm -f "$1/assembled.txt"
    /usr/bin/time -f '%e %M' -o "$work/t" "$cli" assemble -o "$1/assembled.txt" "${products[@]}" > /dev/null 2>&1
    cat "$work/t"
  done
  ( cd "$1" && printf '4\nassembled.txt\n0.7\n6\n' | "$binary" > "$work/console" )
  grep -q "You have a valid file." "$work/console" || { echo "option 4 did not accept the assembled file" >&2; exit 1; }
}

time_wc() { # $@ files
  for _ in $(seq "$runs"); do
    /usr/bin/time -f '%e %M' -o "$work/t" wc -w "$@" > /dev/null
    cat "$work/t"
  done
}

# Runs one session of the memory check untimed and prints its line of the table.
check_memory() { # $1 label, $2 size in MB, $3 directory, $4 standard input file
  if ! ( cd "$3" && /usr/bin/time -f '%M' -o "$work/t" "$binary" < "$4" > /dev/null 2>&1 ); then
    echo "$1: the program did not end with exit code 0: $(head -1 "$work/t")" >&2; fail=1
  fi
  local rss; rss=$(tail -1 "$work/t")
  printf '%-10s %6s %10s %10s %8s %12s\n' "$1" "$2" - - - "$rss"
  check_rss "$1" "$rss" "$start_menu"
}

# Runs vuzazav-cli verify once untimed and prints its line of the table.
check_verify() { # $1 label, $2 size in MB, $3 directory, $4 exit status expected, $5... files
  local status=0
  ( cd "$3" && /usr/bin/time -f '%M' -o "$work/t" "$cli" verify "${@:5}" > /dev/null 2>&1 ) ||
    status=$?
  if [ "$status" -ne "$4" ]; then
    echo "$1: vuzazav-cli verify ended with exit code $status, not $4" >&2; fail=1
  fi
  local rss; rss=$(tail -1 "$work/t")
  printf '%-10s %6s %10s %10s %8s %12s\n' "$1" "$2" - - - "$rss"
  check_rss "$1" "$rss" "$start_cli"
}

# A mesonet daily CSV of $2 megabytes: the four stations and fourteen others, every day
# from 1990 to 2019, then those days over again.
make_mesonet() { # $1 file, $2 megabytes
  awk -v bytes="$(( $2 * 1048576 ))" 'BEGIN {
    print "station,day,max_temp_f,min_temp_f,max_dewpoint_f,min_dewpoint_f,precip_in"
    split("31 28 31 30 31 30 31 31 30 31 30 31", length_of)
    split("BKX HON MHE FSD ATY ABR PIR MBG 9V9 ICR YKN SUX SPW OTG MML MJQ RWF RAP", ids)
    n = 0
    while (n < bytes)
      for (y = 1990; y < 2020 && n < bytes; y++)
        for (m = 1; m <= 12; m++)
          for (d = 1; d <= length_of[m] + (m == 2 && y % 4 == 0); d++)
            for (s = 1; s <= 18; s++) {
              line = sprintf("%s,%04d-%02d-%02d,%d,%d,%d,%d,0.00", ids[s], y, m, d, 20 + (d + s) % 40, (d * s) % 30 - 5, 10, 0)
              print line; n += length(line) + 1
            }
  }' > "$1"
}

# What each program holds before it reads anything, which no input changes.
/usr/bin/time -f '%M' -o "$work/t" "$binary" < /dev/null > /dev/null 2>&1 || true
start_menu=$(tail -1 "$work/t")
start_cli=0
if [ -x "$cli" ]; then
  /usr/bin/time -f '%M' -o "$work/t" "$cli" --version > /dev/null 2>&1 || true
  start_cli=$(tail -1 "$work/t")
fi
fail=0
# Fails the run when its peak memory exceeds its program's start by more than MAX_RSS_KB.
check_rss() { # $1 label, $2 peak KB, $3 the program's start KB
  if [ -n "${MAX_RSS_KB:-}" ] && [ $(( $2 - $3 )) -gt "$MAX_RSS_KB" ]; then
    echo "$1: peak memory $2 KB is $(( $2 - $3 )) KB above the program's start ($3 KB)," \
      "more than $MAX_RSS_KB KB" >&2
    fail=1
  fi
}
echo "at start: vuzazav $start_menu KB, vuzazav-cli $start_cli KB"
printf '%-10s %6s %10s %10s %8s %12s\n' run MB program_s wc_w_s ratio peak_rss_kb
for mb in "${sizes[@]}"; do
  kinds="bulletins gfs national"; [ "$mb" = "${sizes[0]}" ] && kinds="$kinds nbs"
  for kind in $kinds; do
    dir="$work/$kind-$mb"; mkdir -p "$dir"
    if [ "$kind" = nbs ]; then
      [ -x "$cli" ] || { echo "nbs: skipped, $cli is missing"; continue; }
      make_national "$dir" "$mb"
      rm "$dir/metusa.txt"
      make_nbs "$dir/blend_nbstx.t12z"
      nbs_products=("$dir/blend_nbstx.t12z" "$dir/mavusa.txt" "$dir/mexusa.txt")
      cat "${nbs_products[@]}" > /dev/null # into the page cache for both
      time_assemble "$dir" "${nbs_products[@]}" > "$work/prog"
      time_wc "${nbs_products[@]}" > "$work/wc"
      mb=$(( $(cat "${nbs_products[@]}" | wc -c) / 1048576 ))
    elif [ "$kind" = national ]; then
      [ -x "$cli" ] || { echo "national: skipped, $cli is missing"; continue; }
      make_national "$dir" "$mb"
      cat "$dir"/*usa.txt > /dev/null # into the page cache for both
      time_assemble "$dir" > "$work/prog"
      time_wc "$dir"/*usa.txt > "$work/wc"
    else
      if [ "$kind" = bulletins ]; then
        make_bulletins "$dir/bench.txt" "$mb"; session='4\nbench.txt\n0.7\n6\n'
      else
        make_gfs "$dir/bench.txt" "$mb"; session='1\nbench.txt\n6\n'
      fi
      cat "$dir/bench.txt" > /dev/null # into the page cache for both
      time_program "$dir" "$session" bench.out > "$work/prog"
      time_wc "$dir/bench.txt" > "$work/wc"
    fi
    p=$(cut -d' ' -f1 "$work/prog" | median)
    w=$(cut -d' ' -f1 "$work/wc" | median)
    rss=$(cut -d' ' -f2 "$work/prog" | sort -n | tail -1)
    ratio=$(awk -v p="$p" -v w="$w" 'BEGIN { printf "%.2f", (w > 0) ? p / w : 0 }')
    printf '%-10s %6s %10s %10s %8s %12s\n' "$kind" "$mb" "$p" "$w" "$ratio" "$rss"
    case "$kind" in national | nbs) start=$start_cli ;; *) start=$start_menu ;; esac
    check_rss "$kind" "$rss" "$start"
    rm -rf "$dir"
  done
done
for mb in "${sizes[@]}"; do
  dir="$work/memory-$mb"; mkdir -p "$dir"
  bytes=$(( mb * 1048576 ))
  one_word() { head -c "$bytes" /dev/zero | tr '\0' "$1"; }
  head -c "$bytes" /dev/zero > "$dir/nul.txt"
  printf '4\nnul.txt\n1\nnul.txt\n6\n' > "$dir/nul.stdin"
  check_memory nul-file "$mb" "$dir" "$dir/nul.stdin"
  rm "$dir/nul.txt"
  one_word a > "$dir/word.txt"
  printf '4\nword.txt\n1\nword.txt\n6\n' > "$dir/word.stdin"
  check_memory word-file "$mb" "$dir" "$dir/word.stdin"
  rm "$dir/word.txt"
  cp "$here/examples/bulletins.txt" "$dir/valid.txt"
  { one_word 4; printf '\n1\n'; one_word n; printf '\n4\nvalid.txt\n'; one_word 7; printf '\n6\n'; } \
    > "$dir/typed.stdin"
  check_memory typed-word "$mb" "$dir" "$dir/typed.stdin"
  head -c "$bytes" /dev/zero > "$dir/typed.stdin"
  check_memory typed-nul "$mb" "$dir" "$dir/typed.stdin"
  if [ -x "$cli" ]; then
    # verify: a mesonet CSV that large against a forecast, then the NUL file and the one
    # word, which it refuses.
    ( cd "$dir" && "$cli" forecast valid.txt --eta-weight 0.7 --json f.json >/dev/null 2>&1 )
    make_mesonet "$dir/mesonet.csv" "$mb"
    check_verify verify-csv "$mb" "$dir" 0 mesonet.csv f.json
    rm "$dir/mesonet.csv"
    head -c "$bytes" /dev/zero > "$dir/nul.txt"
    check_verify verify-nul "$mb" "$dir" 1 nul.txt f.json
    one_word a > "$dir/nul.txt"
    check_verify verify-one "$mb" "$dir" 1 nul.txt f.json
  fi
  rm -rf "$dir"
done
echo "cores: $(nproc)"
exit $fail
