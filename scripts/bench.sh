#!/usr/bin/env bash
# Builds and runs every benchmark, then measures the program itself under a virtual screen:
# start-up time (process start to the main window shown) and peak memory (maximum resident set
# size over start-up, one calculation and exit).
#
# The program measured is $ZORANT_PROGRAM if set, else the installed /usr/bin/zorant
# (bash scripts/smoke-test.sh installs it), else the one in build/release.
set -euo pipefail
cd "$(dirname "$0")/.."

# xdotool reads the UTF-8 window titles only under a UTF-8 locale, which the caller may not have;
# the program itself keeps the caller's locale.
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }

# Prints the program's shown windows whose title (_NET_WM_NAME) matches the extended regex $1
# (`xdotool search --name` reads WM_NAME, unreadable when the program runs in the C locale).
windows_named() {
  local id
  for id in $(xdotool search --onlyvisible --class '^zorant$' 2>/dev/null); do
    if [[ "$(xdotool getwindowname "$id" 2>/dev/null)" =~ $1 ]]; then
      echo "$id"
    fi
  done
}

# Waits up to $2 seconds for a shown window whose name matches $1; prints its id.
wait_window() {
  local deadline=$((SECONDS + $2)) id
  while [ $SECONDS -lt $deadline ]; do
    id=$(windows_named "$1" | head -1)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.01
  done
  return 1
}

# Presses a button of the main window's bottom row ("Расчет" at 380, "Выход" at 680 from the left).
press() {
  eval "$(xdotool getwindowgeometry --shell "$1")"
  xdotool mousemove --window "$1" "$2" $((HEIGHT - 45)) click 1
}

# Waits up to 10 s for process $1 to end.
wait_end() {
  for _ in $(seq 100); do
    kill -0 "$1" 2>/dev/null || return 0
    sleep 0.1
  done
  kill "$1" 2>/dev/null || true
  return 1
}

if [ "${1:-}" = "--session" ]; then
  program=$2
  log=$(mktemp)
  trap 'rm -f "$log"' EXIT
  # Stops the measurement: says why, shows what the program wrote, ends process $2.
  fail() {
    echo "$1" >&2
    cat "$log" >&2
    kill "$2" 2>/dev/null || true
    exit 1
  }
  runs=5
  times=()
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    "$program" >"$log" 2>&1 &
    pid=$!
    main=$(wait_window '^Зорант 2\.1$' 30) || fail "the main window did not appear" "$pid"
    shown=$(date +%s%N)
    times+=($(((shown - start) / 1000000)))
    press "$main" 680
    wait_end "$pid" || fail "the program did not end" "$pid"
    wait "$pid" || true
  done
  sorted=($(printf '%s\n' "${times[@]}" | sort -n))
  echo "Start-up, process start to main window shown ($runs runs): median ${sorted[$((runs / 2))]} ms" \
       "(min ${sorted[0]} ms, max ${sorted[$((runs - 1))]} ms)"

  report=$(mktemp)
  /usr/bin/time -v -o "$report" "$program" >"$log" 2>&1 &
  pid=$!
  main=$(wait_window '^Зорант 2\.1$' 30) || fail "the main window did not appear" "$pid"
  sleep 1
  press "$main" 380
  sleep 1
  press "$main" 680
  wait_end "$pid" || fail "the program did not end" "$pid"
  wait "$pid" || true
  rss=$(awk -F': ' '/Maximum resident set size/ {print $2}' "$report")
  rm -f "$report"
  echo "Peak memory (start-up, one calculation, exit): max RSS $((rss / 1024)) MiB ($rss KiB)"
  exit 0
fi

bash scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen

cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZORANT_BUILD_BENCH=ON >/dev/null
cmake --build build/release -j "$(nproc)" --target zorant zorant_bench_calc zorant_bench_selection zorant_bench_report zorant_bench_export zorant_bench_note

echo "== Machine: $(nproc) cores, $(awk '/MemTotal/ {printf "%.0f GiB", $2 / 1048576}' /proc/meminfo)," \
     "$(. /etc/os-release && echo "$PRETTY_NAME")"
for bench in zorant_bench_calc zorant_bench_selection zorant_bench_report zorant_bench_export zorant_bench_note; do
  echo "== $bench"
  (cd build/release && "bench/$bench" --benchmark_min_time=0.2)
done

if [ -n "${ZORANT_PROGRAM:-}" ]; then
  program=$ZORANT_PROGRAM
elif [ -x /usr/bin/zorant ]; then
  program=/usr/bin/zorant
else
  program=$PWD/build/release/zorant
fi
echo "== Program: $program"

timeout --kill-after=10 300 bash scripts/with-xvfb.sh bash "$0" --session "$program"
