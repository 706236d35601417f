#!/usr/bin/env bash
# Builds the Debian package, installs it, and checks that the installed program starts, shows its
# main window, finds its help files and closes with "Выход". Fails on any of these.
set -euo pipefail
cd "$(dirname "$0")/.."

# xdotool and xwininfo read the UTF-8 window titles only under a UTF-8 locale; the caller may have
# none (a bare root session, cron, CI). The program itself keeps the caller's locale.
xdotool() { LC_ALL=C.UTF-8 command xdotool "$@"; }
xwininfo() { LC_ALL=C.UTF-8 command xwininfo "$@"; }

# Prints the program's windows whose title (_NET_WM_NAME) matches the extended regex $1. Not
# `xdotool search --name`: that reads the old WM_NAME, which Qt fills with unconvertible bytes when
# the program runs in the C locale.
windows_named() {
  local id
  for id in $(xdotool search --class '^zorant$' 2>/dev/null); do
    if [[ "$(xdotool getwindowname "$id" 2>/dev/null)" =~ $1 ]]; then
      echo "$id"
    fi
  done
}

if [ "${1:-}" = "--session" ]; then
  # Runs inside the virtual screen that scripts/with-xvfb.sh provides.
  program=/usr/bin/zorant
  log=$2
  "$program" >"$log" 2>&1 &
  pid=$!
  trap 'kill "$pid" 2>/dev/null || true' EXIT

  # Waits up to $2 seconds for a window whose name matches $1; prints its id.
  wait_window() {
    local deadline=$((SECONDS + $2)) id
    while [ $SECONDS -lt $deadline ]; do
      id=$(windows_named "$1" | head -1)
      if [ -n "$id" ]; then
        echo "$id"
        return 0
      fi
      kill -0 "$pid" 2>/dev/null || return 1
      sleep 0.1
    done
    return 1
  }

  if ! main=$(wait_window '^Зорант 2\.1$' 30); then
    echo "smoke test: the main window \"Зорант 2.1\" did not appear" >&2
    exit 1
  fi
  echo "main window shown"

  # The menu item "Помощь" (the fifth item of the menu bar, after "Подбор" and "Проверка": 241 to
  # 291 pixels from the left edge) opens the help viewer; its caption carries the topic's heading
  # only when the help file was found where the package put it.
  xdotool mousemove --window "$main" 265 8 click 1
  if ! help=$(wait_window '^Справка — ' 15); then
    echo "smoke test: \"Помощь\" showed no help topic (help files not found?)" >&2
    xwininfo -root -tree | grep -F 'Справка' >&2 || true
    exit 1
  fi
  echo "help shown: $(xdotool getwindowname "$help")"

  # "Выход" sits at the right end of the button row, 45 pixels above the window's bottom edge.
  # The help viewer may stay open (closing the main window ends the program), but must not
  # cover the button: the main window is raised above it first.
  xdotool windowraise "$main"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove --window "$main" 680 $((HEIGHT - 45)) click 1
  for _ in $(seq 100); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
  done
  if kill -0 "$pid" 2>/dev/null; then
    echo "smoke test: the program did not end after \"Выход\"" >&2
    exit 1
  fi
  trap - EXIT
  if ! wait "$pid"; then
    echo "smoke test: the program ended with a failure" >&2
    exit 1
  fi
  echo "closed with \"Выход\""
  exit 0
fi

bash scripts/install-deps.sh
if [ "$(id -u)" -eq 0 ]; then sudo_cmd=(); else sudo_cmd=(sudo); fi

echo "== Package"
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
rm -f build/release/zorant_*.deb
cmake --build build/release -j "$(nproc)" --target package
deb=$(ls build/release/zorant_*_amd64.deb)
dpkg-deb --field "$deb" Package Version Depends

echo "== Install $deb"
"${sudo_cmd[@]}" env DEBIAN_FRONTEND=noninteractive \
  timeout 600 apt-get install -y -qq --reinstall "./$deb" >/dev/null

echo "== Installed files"
fail() { echo "smoke test: $*" >&2; exit 1; }
[ -x /usr/bin/zorant ] || fail "/usr/bin/zorant is missing"
for f in "/usr/share/zorant/help 2.1.hlp" "/usr/share/zorant/help 2.0.hlp" \
         /usr/share/applications/zorant.desktop \
         /usr/share/icons/hicolor/scalable/apps/zorant.svg \
         /usr/share/icons/hicolor/48x48/apps/zorant.png \
         /usr/share/icons/hicolor/256x256/apps/zorant.png; do
  [ -s "$f" ] || fail "$f is missing"
done
desktop-file-validate /usr/share/applications/zorant.desktop || fail "the menu entry is not valid"
echo "program, help files, menu entry and icons in place"

echo "== Start under a virtual screen"
log=$(mktemp)
if ! timeout --kill-after=10 120 bash scripts/with-xvfb.sh bash "$0" --session "$log"; then
  echo "--- program output:" >&2
  cat "$log" >&2
  rm -f "$log"
  exit 1
fi
rm -f "$log"
echo "Smoke test passed"
