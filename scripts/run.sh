#!/usr/bin/env bash
# Builds VANTO, prepares a working folder and starts the program there.
#   scripts/run.sh                    demo plan on the simulated instrument
#   scripts/run.sh [program options]  e.g. --simulate --connect, --hardware
# The working folder is ./workdir unless VANTO_WORKDIR names another. The
# program's own files (pictures, sounds, colour scheme) are refreshed in it
# at every start; the demo plan with its photograph (testplans/) and the
# simulator's example files (sim/) are copied only when missing, so a plan
# the user has edited or saved results into stays. The user's settings and
# log are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
workdir=${VANTO_WORKDIR:-$PWD/workdir}
mkdir -p "$workdir"
for entry in build/resources/*; do
  name=$(basename "$entry")
  case "$name" in
    testplans | sim) mkdir -p "$workdir/$name" && cp -rn "$entry/." "$workdir/$name/" ;;
    *) cp -r "$entry" "$workdir/" ;;
  esac
done
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: start VANTO from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
# Without options the program runs on the simulated instrument, so the demo
# can be tried with no hardware; any option (e.g. --d2xx PATH, or --hardware
# for FTDI's own library) replaces that.
if [[ $# -eq 0 ]]; then
  set -- --simulate
elif [[ "$1" == "--hardware" ]]; then
  shift
fi
exec ./build/vanto --workdir "$workdir" "$@"
