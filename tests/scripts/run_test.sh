#!/usr/bin/env bash
# scripts/run as a user drives it: a detached run, an edit of machine.ini, a second run that
# must restart the running PC with the new configuration, a third run in a row, the
# uninstaller, and command lines it must refuse. Runs in a copy of the test template, without the caller's display.
set -u
. "$(dirname "${BASH_SOURCE[0]}")/../../scripts/lib.sh"

work=$(mktemp -d "${TMPDIR:-/tmp}/marovane-run-test.XXXXXX")
prefix=$work/pc
out=$work/out
trap 'stop_pc "$prefix"; rm -rf "$work"' EXIT
clone_prefix "${MAROVANE_WINE_TEMPLATE:?scripts/test sets it}" "$prefix"

failures=0
check() {
  if eval "$2"; then
    echo "ok: $1"
  else
    echo "FAILED: $1"
    failures=$((failures + 1))
  fi
}
run() {
  env -u DISPLAY -u WINEPREFIX "$ROOT/scripts/run" --prefix "$prefix" --out "$out" "$@" >"$work/said" 2>&1
  status=$?
  sed 's/^/  | /' "$work/said"
}
vistrel_runs() {
  local pid
  for pid in $(pc_processes "$prefix"); do
    grep -q "VISTREL.EXE" "/proc/$pid/cmdline" 2>/dev/null && return 0
  done
  return 1
}

run --detach
check "a detached run leaves Vistrel running" '[ "$status" -eq 0 ] && vistrel_runs'
check "it names the PC's sound card beside its prefix and display" \
  'grep -q "^  PULSE_SERVER=unix:$prefix/sound/native$" "$work/said"'

WINEPREFIX=$prefix wine "$ROOT/build/windows/bin/MACHINE.EXE" set Card ControlDevice 0 >/dev/null 2>&1
run
check "the next run restarts the running PC and says so" \
  '[ "$status" -eq 0 ] && grep -q "^run: restarting the simulated PC in $prefix" "$work/said"'
check "the restarted PC has the edited machine.ini: Vistrel warns of the missing device" \
  '[ -f "$out/Error-1.png" ]'
check "nothing of the PC is left running" '[ -z "$(pc_processes "$prefix")" ]'

run --monitor
check "a second run in a row works too, with the monitor's picture" \
  '[ "$status" -eq 0 ] && [ -f "$out/Error-1.png" ] && [ -f "$out/monitor.png" ]'
check "a PC that was stopped is not restarted" '! grep -q restarting "$work/said"'

run uninstall
check "scripts/run uninstall removes the suite and asks whether to restart" \
  '[ "$status" -eq 0 ] && [ ! -d "$prefix/drive_c/Program Files/Marovane" ] && [ -f "$out/Marovane-1.png" ]'

run --no-such-option
check "a bad option exits with status 2 and names it" \
  '[ "$status" -eq 2 ] && grep -q "unknown option --no-such-option" "$work/said"'
run solitaire
check "an unknown program exits with status 2 and names it" \
  '[ "$status" -eq 2 ] && grep -q "unknown program .solitaire." "$work/said"'
run --prefix
check "an option without its folder exits with status 2" '[ "$status" -eq 2 ]'

echo "$failures failed"
[ "$failures" -eq 0 ]
