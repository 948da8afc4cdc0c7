#!/bin/sh
# Runs one test (the arguments) in a home folder made for this run alone, so that nothing a run
# leaves behind (settings, databases, lock files, sockets) reaches the next one.
#
# The test replaces this shell, so that CTest sees its exit code, its crash and its time-out as
# its own. The home is removed once the test's process is gone, by a remover outside the test's
# process tree: CTest kills that tree at the time limit, and the remover still runs then.
set -eu
home=$(mktemp -d "${TMPDIR:-/tmp}/tolvane-test.XXXXXX")
mkdir -m 700 "$home/run"
mkdir "$home/tmp"
setsid -f sh -c 'tail --pid="$1" -f /dev/null; rm -rf "$2"' remover $$ "$home" </dev/null >/dev/null 2>&1
export HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" XDG_CACHE_HOME="$home/cache" \
  XDG_STATE_HOME="$home/state" XDG_RUNTIME_DIR="$home/run" TMPDIR="$home/tmp"
exec "$@"
