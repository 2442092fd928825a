# Shared by the scripts: the build, simulated PCs (Wine prefixes) and a display.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEDEBUG=-all
# No Mono or Gecko: the suite needs neither, and fetching them would stall a fresh prefix.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

build_preset() {
  cmake --preset "$1" >/dev/null
  cmake --build --preset "$1" -j"$(nproc)"
}

# A prefix that runs its programs in a Wine virtual desktop: hiding a window takes milliseconds
# there (seconds in bare Xvfb), and mode changes can resize it up to its first size.
make_prefix() {
  local prefix=$1
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1
  # Wine's own fonts (Marlett draws the caption buttons) where Windows keeps its fonts.
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f >/dev/null 2>&1
  # A program that crashes ends at once instead of waiting in the debugger.
  WINEPREFIX=$prefix wine reg delete 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /f >/dev/null 2>&1
  WINEPREFIX=$prefix wineserver -w
}

# A fresh copy of a prepared prefix (its wineserver stopped). The system folders, which no
# program writes to, are hard links; everything else is copied.
clone_prefix() {
  local template=$1 prefix=$2 shared="drive_c/windows/system32 drive_c/windows/syswow64 drive_c/windows/winsxs"
  mkdir -p "$prefix"
  tar -C "$template" --exclude=./drive_c/windows/system32 --exclude=./drive_c/windows/syswow64 \
    --exclude=./drive_c/windows/winsxs -cf - . | tar -C "$prefix" -xf -
  for folder in $shared; do
    [ -d "$template/$folder" ] && cp -al "$template/$folder" "$prefix/$folder"
  done
}

# Starts Xvfb when there is no display, and stops it when the calling script ends.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local number
  for number in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ] || break
  done
  Xvfb ":$number" -screen 0 1600x1200x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$number"
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
  local tries
  for tries in $(seq 100); do
    [ -e "/tmp/.X11-unix/X$number" ] && return 0
    sleep 0.05
  done
  echo "Xvfb did not start on :$number" >&2
  return 1
}
