#!/usr/bin/env bash
# Runs a Win32 test program as an unprivileged user, with a Wine prefix of
# that user's own, against a copy of Tavelin.exe and the demo kit in a folder
# that user cannot write (Wine running as root writes anywhere).
#   run_locked.sh WINE_RUN TAVELIN_EXE KIT_DIR TEST.exe [ARGS...]
# Everything the user runs is copied to folders of its own, so the build tree
# need not be readable by that user. Exits 77 (skipped) when not run as root.
set -eu
wine_run=$1 exe=$2 kit=$3
shift 3
[ "$(id -u)" = 0 ] || { echo "run_locked: needs root to switch users; skipped"; exit 77; }

user=tavelin-test
home=/var/tmp/$user
prefix=$home/wineprefix  # kept between runs: making one takes a while
id "$user" >/dev/null 2>&1 || useradd --home-dir "$home" --create-home --shell /usr/sbin/nologin "$user"
mkdir -p "$home" "$prefix"
chown "$user" "$home" "$prefix"

program=$(mktemp -d /tmp/tavelin-locked-XXXXXX)
runner=$(mktemp -d /tmp/tavelin-runner-XXXXXX)
trap 'rm -rf "$program" "$runner"' EXIT
cp "$exe" "$program/Tavelin.exe"
cp "$kit"/* "$program/"
chmod 755 "$program"
chmod 644 "$program"/*

cp "$wine_run" "$1" "$runner/"
chmod 755 "$runner" "$runner"/*
test_copy="$runner/$(basename "$1")"
shift

runuser -u "$user" -- env HOME="$home" USER="$user" TAVELIN_WINEPREFIX="$prefix" \
  TAVELIN_LOCKED_PROGRAM="$program" "$runner/$(basename "$wine_run")" "$test_copy" "$@"
