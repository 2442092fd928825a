# Shared by the scripts: the build, simulated PCs (Wine prefixes) and a display.
# shellcheck shell=bash

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# Quiet unless a channel is asked for (WINEDEBUG=+mciavi scripts/... to trace one).
export WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: the suite needs neither, and fetching them would stall a fresh prefix. No
# menu builder: a shortcut the installer makes stays in the simulated PC, not in the host's menus.
export WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"
export WINEARCH=win64

# Configures a preset once (the build configures itself again when a CMake file changes), then
# builds it, or the targets named after it (--target NAME).
build_preset() {
  (cd "$ROOT" &&
    { [ -f "build/$1/CMakeCache.txt" ] || cmake --preset "$1" >/dev/null; } &&
    cmake --build --preset "$1" -j"$(nproc)" "${@:2}")
}

# A prefix that runs its programs in a Wine virtual desktop: hiding a window takes milliseconds
# there (seconds in bare Xvfb), and mode changes can resize it up to its first size.
make_prefix() {
  local prefix=$1
  rm -rf "$prefix"
  mkdir -p "$(dirname "$prefix")"
  WINEPREFIX=$prefix wineboot -i >/dev/null 2>&1
  # The PC's diskette drives A: and B: are folders of the prefix.
  mkdir -p "$prefix/floppy-a" "$prefix/floppy-b"
  ln -sfn ../floppy-a "$prefix/dosdevices/a:"
  ln -sfn ../floppy-b "$prefix/dosdevices/b:"
  # Wine's own fonts (Marlett draws the caption buttons) where Windows keeps its fonts.
  cp /usr/share/wine/fonts/* "$prefix/drive_c/windows/Fonts/"
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  WINEPREFIX=$prefix wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1600x1200 /f >/dev/null 2>&1
  # No Plug and Play (nor the device host it starts), network or event log: the suite needs none
  # of them, and every start of the PC would pay for them.
  local service
  for service in PlugPlay NDIS nsiproxy Eventlog; do
    WINEPREFIX=$prefix wine reg add "HKLM\\System\\CurrentControlSet\\Services\\$service" /v Start \
      /t REG_DWORD /d 4 /f >/dev/null 2>&1
  done
  # Nor the USB and HID buses, whose drivers Wine loads for their root devices at every start.
  WINEPREFIX=$prefix wine reg delete 'HKLM\System\CurrentControlSet\Enum\ROOT\WINE' /f >/dev/null 2>&1
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

# Prints one line that says what failed and what to do, and ends the script with status 1.
fail() {
  echo "$(basename "$0"): $*" >&2
  exit 1
}

# For scripts under `set -e`: a command that fails without a word of its own is named.
name_failures() {
  trap 'echo "$(basename "$0"): \"$BASH_COMMAND\" failed with status $? (line $LINENO); rerun to see its output" >&2' ERR
}

# Waits at most five seconds for a service started in the background (process $1) to show it is
# ready: `test $2 $3` holds. False when it ended or the time ran out.
wait_for_service() {
  local tries
  for tries in $(seq 200); do
    test "$2" "$3" && return 0
    kill -0 "$1" 2>/dev/null || return 1
    sleep 0.025
  done
  return 1
}

# Starts an Xvfb of its own on a free display (Xvfb picks it and says which when it is ready)
# and exports DISPLAY and XVFB_PID; the caller stops it.
start_xvfb() {
  local number_file
  number_file=$(mktemp)
  # Not a process of any simulated PC: stopping a PC leaves its display to its owner.
  env -u WINEPREFIX Xvfb -displayfd 3 -screen 0 1600x1200x24 -nolisten tcp 3>"$number_file" \
    >/dev/null 2>&1 &
  XVFB_PID=$!
  wait_for_service "$XVFB_PID" -s "$number_file" || true
  DISPLAY=":$(tr -d '\n' <"$number_file")"
  rm -f "$number_file"
  [ "$DISPLAY" != ":" ] || { kill "$XVFB_PID" 2>/dev/null; echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY XVFB_PID
}

# Starts Xvfb when there is no display, and stops it when the calling script ends.
ensure_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  start_xvfb || return 1
  trap 'kill $XVFB_PID 2>/dev/null' EXIT
}

# The processes of the simulated PC in $1: every Wine process started with that prefix.
pc_processes() {
  local environ pid
  for environ in $(env -u WINEPREFIX grep -lzx "WINEPREFIX=$1" /proc/[0-9]*/environ 2>/dev/null); do
    pid=$(basename "$(dirname "$environ")")
    [ "$pid" != $$ ] && [ "$pid" != "$BASHPID" ] && echo "$pid"
  done
}

# Ends every process of the simulated PC in $1 at once. A wineserver that crashed leaves its
# processes behind, so what is left after the server is ended too.
kill_pc() {
  WINEPREFIX=$1 wineserver -k 2>/dev/null
  WINEPREFIX=$1 timeout 10 wineserver -w 2>/dev/null
  local pid
  for pid in $(pc_processes "$1"); do kill -9 "$pid" 2>/dev/null; done
  return 0
}

# Stops the simulated PC in $1 as Windows shuts down: its programs are asked to end the session
# and given a bounded time to, then the rest is ended.
stop_pc() {
  WINEPREFIX=$1 timeout 20 wineboot --shutdown >/dev/null 2>&1
  kill_pc "$1"
  stop_pc_services "$1"
}

# What runs with the PC but outside it (its sound card, the Xvfb of a PC left running without
# the user's display): the prefix records them, so that stopping the PC stops them too.
keep_with_pc() {
  echo "$2" >>"$1/services.pids"
}

stop_pc_services() {
  [ -f "$1/services.pids" ] || return 0
  local pid
  for pid in $(cat "$1/services.pids"); do kill "$pid" 2>/dev/null || true; done
  rm -f "$1/services.pids"
}

# The simulated PC's sound card: a PulseAudio server with a null sink of its own, its socket and
# settings in folder $1, so that nothing depends on the host's sound system. Exports
# PULSE_SERVER for the programs and SOUND_PID for whoever stops it.
start_sound_card() {
  local folder=$1
  mkdir -p "$folder"
  rm -f "$folder/native"
  HOME=$folder XDG_RUNTIME_DIR=$folder env -u WINEPREFIX pulseaudio -n --daemonize=no \
    --exit-idle-time=-1 -L module-null-sink -L module-always-sink \
    -L "module-native-protocol-unix socket=$folder/native auth-anonymous=1" >"$folder/log" 2>&1 &
  SOUND_PID=$!
  wait_for_service "$SOUND_PID" -S "$folder/native" || { kill "$SOUND_PID" 2>/dev/null; echo "PulseAudio did not start (see $folder/log)" >&2; return 1; }
  export PULSE_SERVER=unix:$folder/native SOUND_PID
}

# The CPU time (user and system) of the process whose command line names $1, in clock ticks;
# 0 when there is none.
cpu_ticks() {
  local pid
  pid=$(pgrep -f "$1" | head -1)
  [ -n "$pid" ] || { echo 0; return; }
  awk '{ print $14 + $15 }' "/proc/$pid/stat"
}

# A fresh simulated PC for a benchmark: the packages and the Windows build checked, a display,
# a new prefix (WINEPREFIX, exported) with its wineserver kept running. The prefix with its
# processes, the display and the sound card, if one was started, go when the script ends.
start_bench_pc() {
  "$ROOT/scripts/setup"
  build_preset windows >/dev/null
  build_preset windows --target benches >/dev/null
  ensure_display
  BENCH_PREFIX=$(mktemp -d "${TMPDIR:-/tmp}/marovane-bench.XXXXXX")
  trap 'kill_pc "$BENCH_PREFIX"; kill ${SOUND_PID:-} ${XVFB_PID:-} 2>/dev/null; rm -rf "$BENCH_PREFIX"' EXIT
  make_prefix "$BENCH_PREFIX"
  export WINEPREFIX=$BENCH_PREFIX
  wineserver -p
}

# The CPU time per minute of the running program whose command line names $2, over $1 seconds,
# beside that of an idle program with a timer of $3 ms started here in the same simulated PC
# (WINEPREFIX), and their ratio; the program's line says $4.
cpu_beside_idle_timer() {
  local seconds=$1 pattern=$2 period=$3 label=$4 subject_start idle_start subject idle
  (cd "$ROOT/build/windows/bin" && wine IDLE_TIMER.EXE "$period" >/dev/null 2>&1 &)
  sleep 5  # both started and settled
  subject_start=$(cpu_ticks "$pattern")
  idle_start=$(cpu_ticks 'IDLE_TIMER.EXE')
  sleep "$seconds"
  subject=$(($(cpu_ticks "$pattern") - subject_start))
  idle=$(($(cpu_ticks 'IDLE_TIMER.EXE') - idle_start))
  awk -v p="$subject" -v i="$idle" -v hz="$(getconf CLK_TCK)" -v s="$seconds" -v t="$period" \
    -v label="$label" 'BEGIN {
    pm = p / hz * 60 / s * 1000; im = i / hz * 60 / s * 1000
    printf "CPU time per minute, over %d s:\n", s
    printf "  %-30s %7.0f ms\n", label, pm
    printf "  %-30s %7.0f ms\n", sprintf("idle program, %d ms timer", t), im
    if (im > 0) printf "  %-30s %7.2f\n", "ratio", pm / im
  }'
}
