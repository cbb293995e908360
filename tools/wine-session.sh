#!/usr/bin/env bash
# Starts or stops the Wine session the Windows tests run in: a prefix in the build
# tree, set up once for headless use (the null graphics driver, so that the test
# host can create its window), and a wineserver with Wine's service processes kept
# running between the tests, so that no Wine helper process holds a test's output
# open (the test runner would wait for it).
# Usage: wine-session.sh start|stop   (with WINEPREFIX set)
set -euo pipefail
: "${WINEPREFIX:?WINEPREFIX must name the prefix folder}"
if ! command -v wine >/dev/null || ! command -v wineserver >/dev/null; then
  echo "wine-session: Wine is not installed; run tools/setup.sh" >&2
  exit 1
fi
case "${1:-}" in
  start)
    mkdir -p "$WINEPREFIX"
    if ! grep -qs '"Graphics"="null"' "$WINEPREFIX/user.reg"; then
      # The first run creates the prefix (about ten seconds). The graphics driver
      # is read when the server starts: stop it once after setting it.
      wineserver -p >/dev/null 2>&1 </dev/null
      wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1 </dev/null
      wineserver -k >/dev/null 2>&1 || true
      wineserver -w >/dev/null 2>&1 || true
    fi
    # A server left running by an earlier session (or started by hand) is kept:
    # `wineserver -p` then refuses to start a second one and exits with 2.
    wineserver -p >/dev/null 2>&1 </dev/null || true
    # Wine's own service processes start with the first program and outlive it;
    # started here, they hold no test's output open.
    wine wineboot >/dev/null 2>&1 </dev/null
    ;;
  stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
  *)
    echo "usage: wine-session.sh start|stop" >&2
    exit 2
    ;;
esac
