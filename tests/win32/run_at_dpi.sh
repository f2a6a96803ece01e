#!/usr/bin/env bash
# Runs a Win32 test program in a Wine prefix of its own whose screen has the
# given DPI (HKCU\Control Panel\Desktop\LogPixels), as Windows at 150 % has 144.
#   run_at_dpi.sh WINE_RUN DPI PREFIX TEST.exe [ARGS...]
# The value is written before every run, so one prefix serves every DPI; the
# Wine server is stopped in between, since a running one keeps the old value.
set -eu
wine_run=$1 dpi=$2
export TAVELIN_WINEPREFIX=$3
shift 3
WINESERVER=$(command -v wineserver || echo /usr/lib/wine/wineserver)

"$wine_run" reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f >/dev/null
WINEPREFIX=$TAVELIN_WINEPREFIX "$WINESERVER" -k 2>/dev/null || true
exec "$wine_run" "$@"
