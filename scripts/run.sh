#!/usr/bin/env bash
# Builds VANTO, prepares a working folder and starts the program there.
#   scripts/run.sh [program options]
# The working folder is ./workdir unless VANTO_WORKDIR names another. The
# program's own files (pictures, sounds, colour scheme) are refreshed in it
# at every start; the user's settings, log and plans are never touched.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
workdir=${VANTO_WORKDIR:-$PWD/workdir}
mkdir -p "$workdir"
cp -r build/resources/. "$workdir/"
if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
  echo "No display found: start VANTO from a desktop session (or under xvfb-run)." >&2
  exit 1
fi
exec ./build/vanto --workdir "$workdir" "$@"
