#!/usr/bin/env bash
# What an install leaves, checked from the outside:
#   check_install.sh files BUILD_DIR SCRATCH   "cmake --install" into SCRATCH as DESTDIR:
#       the programs, the manual pages (each rendered by man without a warning, each
#       command of vuzazav-cli and each of its options in its page), the systemd units
#       naming the installed program, the user of the daily run;
#   check_install.sh deb BUILD_DIR SCRATCH     "cpack -G DEB" into SCRATCH: the same files
#       under /usr, the units naming /usr/bin, a dependency for each library linked.
set -euo pipefail
mode=$1 build=$2 scratch=$3
rm -rf "$scratch"
mkdir -p "$scratch"
fail() { echo "check_install: $*" >&2; exit 1; }
has() { [ -e "$1" ] || fail "missing $1"; }

# The files every install holds, relative to the prefix.
files=(bin/vuzazav bin/vuzazav-cli share/man/man1/vuzazav.1.gz share/man/man1/vuzazav-cli.1.gz
  lib/systemd/system/vuzazav-daily.service lib/systemd/system/vuzazav-daily.timer
  lib/sysusers.d/vuzazav.conf)

# The service of an install under PREFIX, as text on standard input.
check_service() { # PREFIX
  local service
  service=$(cat)
  grep -q "^ExecStart=$1/bin/vuzazav-cli daily " <<<"$service" ||
    fail "the service does not start $1/bin/vuzazav-cli daily"
  grep -q "^Environment=PATH=$1/bin:" <<<"$service" || fail "the service's PATH lacks $1/bin"
}

case "$mode" in
files)
  root=$scratch/root
  DESTDIR=$root cmake --install "$build" --prefix /usr/local >/dev/null
  for f in "${files[@]}"; do has "$root/usr/local/$f"; done
  check_service /usr/local <"$root/usr/local/lib/systemd/system/vuzazav-daily.service"
  grep -q '^OnCalendar=.* UTC$' "$root/usr/local/lib/systemd/system/vuzazav-daily.timer" ||
    fail "the timer's time is not in UTC"
  cli=$root/usr/local/bin/vuzazav-cli
  for page in vuzazav vuzazav-cli; do
    gz=$root/usr/local/share/man/man1/$page.1.gz
    # troff's warnings (an unknown macro, a bad escape) go to standard error.
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$gz" 2>&1 >"$scratch/$page.txt")
    [ -z "$warnings" ] || fail "man $page: $warnings"
    grep -q "^NAME" "$scratch/$page.txt" || fail "man $page rendered nothing"
  done
  # Each command and each of its options documented: a command added to the program is
  # added to its page.
  source=$(zcat "$root/usr/local/share/man/man1/vuzazav-cli.1.gz")
  commands=$("$cli" --help | sed -n '/^Commands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p')
  [ -n "$commands" ] || fail "vuzazav-cli --help lists no command"
  for command in $commands; do
    grep -qx "\.SS ${command//-/\\\\-}" <<<"$source" || fail "no section of $command in man vuzazav-cli"
    for option in $("$cli" "$command" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u); do
      grep -qF -- "${option//-/\\-}" <<<"$source" ||
        fail "option $option of $command is not in man vuzazav-cli"
    done
  done
  for status in 0 1 2 3 4; do
    grep -qx "\.B $status" <<<"$source" || fail "exit status $status is not in man vuzazav-cli"
  done
  ;;
deb)
  cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
    fail "cpack failed: $(tail -20 "$scratch/cpack.log")"
  debs=("$scratch"/vuzazav_*.deb)
  deb=${debs[0]}
  has "$deb"
  contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
  for f in "${files[@]}"; do
    grep -qx "\./usr/$f" <<<"$contents" || fail "the package lacks /usr/$f"
  done
  dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/lib/systemd/system/vuzazav-daily.service |
    check_service /usr
  # Every library the programs link comes from a package the package depends on (dpkg
  # knows some libraries under /lib, some under /usr/lib).
  depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | awk '{print $1}')
  linked=$(ldd "$build/vuzazav-cli")
  for library in $(objdump -p "$build/vuzazav-cli" | awk '$1 == "NEEDED" {print $2}'); do
    path=$(awk -v l="$library" '$1 == l && $2 == "=>" {print $3}' <<<"$linked")
    package=$(dpkg -S "*${path#/usr}" 2>/dev/null | grep -v '^diversion' | head -1 | cut -d: -f1) ||
      true
    [ -n "$package" ] || fail "no package holds $path"
    grep -qxF "$package" <<<"$depends" || fail "Depends lacks $package ($path): $depends"
  done
  for field in Package Version Architecture Maintainer Section Description; do
    [ -n "$(dpkg-deb -f "$deb" "$field")" ] || fail "the package has no $field"
  done
  ;;
*) fail "no mode $mode" ;;
esac
