#!/usr/bin/env bash
# Installs the packages, builds, starts a simulated unit on a pseudo-terminal and runs the
# main program against it (the identification demo when the main program is not built or no
# display is there). Options are passed to the simulator, e.g. --type tolVane100 --serial 4711.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
bash scripts/build.sh
bin=${BUILD_DIR:-build}/bin

coproc SIM { exec "$bin/tolvane-unitsim" --type plus "$@"; }
sim_pid=$SIM_PID
trap 'kill "$sim_pid" 2>/dev/null || true' EXIT
if ! read -r -t 10 port <&"${SIM[0]}" || [ -z "$port" ]; then
  echo "demo: the simulated unit did not start" >&2
  exit 1
fi
export TOLVANE_UNIT_PORT=$port
echo "demo: simulated unit on $port (TOLVANE_UNIT_PORT)"

if [ -x "$bin/tolVane-Vozudoz" ] && { [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; }; then
  "$bin/tolVane-Vozudoz"
elif [ -x "$bin/unit-identify" ]; then
  "$bin/unit-identify"
else
  echo "demo: neither $bin/tolVane-Vozudoz (with a display) nor $bin/unit-identify is built" >&2
  exit 1
fi
