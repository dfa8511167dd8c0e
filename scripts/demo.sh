#!/usr/bin/env bash
# The demo: installs what the build needs, builds Tarvex, lays out a throwaway
# Wine prefix holding the demo Condor setup of demo/ (Condor 2 and 3, the
# landscape DemoProvence, flight plans, pilot settings, registry) with Tarvex
# installed in it, converts the Condor 3 demo plan for XCSoar from the command
# line, and shows the program's messages, its exit code and the files it wrote.
#
# The prefix stays in a temporary folder for you to look at; nothing outside
# it is touched (your own Wine prefix is not used).
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$(pwd)

scripts/deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$(nproc 2>/dev/null || echo 4)" --target tarvex tarvex_demo_prefix

# The prefix's Windows user is named after you when your name makes a plain folder name.
user=${USER:-pilot}
if [[ ! $user =~ ^[A-Za-z0-9._-]+$ ]]; then
  user=pilot
fi

work=$(mktemp -d "${TMPDIR:-/tmp}/tarvex-demo.XXXXXX")
build/tarvex_demo_prefix "$work/wine" "$source_dir/build/tarvex" "$user" > "$work/layout.txt"

# The layout tells where everything is (name=host path lines).
declare -A place
while IFS='=' read -r name value; do
  place[$name]=$value
done < "$work/layout.txt"

echo
echo "== Demo Wine prefix: ${place[prefix]}"
echo "   Tarvex installed in ${place[program_folder]} with its settings file Tarvex.ini"
echo "   Flight plan to convert: ${place[condor3_plan]}"
echo
echo "== Running: tarvex -nogui -line -xcs DemoRace3.fpl"
echo

marker="$work/started"
touch "$marker"
sleep 1  # files written by the run are newer than the marker
set +e
(
  cd "${place[program_folder]}"
  env -u USERPROFILE -u DISPLAY -u WAYLAND_DISPLAY \
    WINEPREFIX="${place[prefix]}" USER="${place[user]}" TARVEX_DIALOGS=console \
    ./tarvex -nogui -line -xcs "${place[condor3_plan]}" < /dev/null
) > "$work/console.txt" 2>&1
status=$?
set -e

case $status in
  0) meaning="success" ;;
  1) meaning="the conversion failed" ;;
  2) meaning="usage error on the command line" ;;
  3) meaning="configuration error (Condor installation or settings file)" ;;
  4) meaning="wait mode timed out" ;;
  5) meaning="post-run script missing or failed; the converted files stand" ;;
  *) meaning="unexpected end" ;;
esac

echo "== Tarvex's messages (its log ${place[program_folder]}/Tarvex.log):"
if [[ -f "${place[program_folder]}/Tarvex.log" ]]; then
  tr -d '\r' < "${place[program_folder]}/Tarvex.log" | iconv -c -f CP1252 -t UTF-8 2>/dev/null ||
    tr -d '\r' < "${place[program_folder]}/Tarvex.log"
else
  echo "(no log was written)"
fi
echo
echo "== Its last console lines (all of them in $work/console.txt):"
tail -n 15 "$work/console.txt"
echo
echo "== Tarvex ended with exit code $status: $meaning"
echo
echo "== Files written by the run:"
written=$(find "${place[prefix]}/drive_c" -type f -newer "$marker" | sort)
if [[ -n $written ]]; then
  echo "$written" | sed 's/^/   /'
else
  echo "   (none)"
fi
echo
echo "The XCSoar files are in ${place[xcsoar_root]} (tasks in its Tasks folder)."
echo "Delete $work when you are done with it."
exit "$status"
