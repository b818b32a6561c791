#!/usr/bin/env bash
# Runs a Windows program under Wine with a private prefix, as the test emulator.
# usage: wine-run.sh PREFIX_DIR PROGRAM.exe [ARGS...]
set -euo pipefail
prefix=$(realpath -m "$1")
shift

export WINEPREFIX=$prefix
export WINEARCH=win64
export WINEDEBUG=-all
# zh_CN.UTF-8 gives Wine the ANSI code page 936, which every text of the program is in.
export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
# No Mono or Gecko installer dialogs on the first start of a new prefix.
export WINEDLLOVERRIDES="mscoree,mshtml=${WINEDLLOVERRIDES:+;$WINEDLLOVERRIDES}"

mkdir -p "$prefix"
(
  flock 9
  if [ ! -f "$prefix/.ready" ]; then
    wineboot -i >/dev/null 2>&1 || true
    wineserver -w || true
    touch "$prefix/.ready"
  fi
) 9>"$prefix.lock"

exec wine "$@"
