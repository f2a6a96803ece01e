#!/usr/bin/env bash
# Runs a Win32 test program as an unprivileged user, with a Wine prefix of
# that user's own, against a copy of Tavelin.exe and the demo kit in a folder
# that user cannot write (Wine running as root writes anywhere).
#   run_locked.sh WINE_RUN PREFIX_DIR TAVELIN_EXE KIT_DIR TEST.exe [ARGS...]
# Exits 77 (skipped) when not run as root.
set -eu
wine_run=$1 prefix=$2 exe=$3 kit=$4
shift 4
[ "$(id -u)" = 0 ] || { echo "run_locked: needs root to switch users; skipped"; exit 77; }

user=tavelin-test
home=/var/tmp/$user
id "$user" >/dev/null 2>&1 || useradd --home-dir "$home" --create-home --shell /usr/sbin/nologin "$user"
mkdir -p "$home" "$prefix"
chown "$user" "$home" "$prefix"

program=$(mktemp -d /tmp/tavelin-locked-XXXXXX)
trap 'rm -rf "$program"' EXIT
cp "$exe" "$program/Tavelin.exe"
cp "$kit"/* "$program/"
chmod 755 "$program"
chmod 644 "$program"/*

# The test program and its folder must be readable by the user.
test_copy="$program/$(basename "$1")"
cp "$1" "$test_copy"
chmod 755 "$test_copy"
shift

runuser -u "$user" -- env HOME="$home" USER="$user" TAVELIN_WINEPREFIX="$prefix" \
  TAVELIN_LOCKED_PROGRAM="$program" "$wine_run" "$test_copy" "$@"
