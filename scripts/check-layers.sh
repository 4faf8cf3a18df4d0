#!/usr/bin/env bash
# Fails when a source under src/ includes a header of a folder above it or beside it. The
# folders depend downward only:
#   app -> ui -> monitor, cues -> settings -> zeq
# monitor and cues are siblings and include neither each other. A portable source (one
# outside a win32/ folder) includes no win32/ header either. tests/ and tools/ may include
# anything.
set -euo pipefail
cd "$(dirname "$0")/.."

# The folders each folder may include, itself among them.
declare -A allowed=(
  [app]="app ui monitor cues settings zeq"
  [ui]="ui monitor cues settings zeq"
  [monitor]="monitor settings zeq"
  [cues]="cues settings zeq"
  [settings]="settings zeq"
  [zeq]="zeq"
)

bad=0
while IFS=: read -r file line text; do
  from=${file#src/}
  from=${from%%/*}
  target=$(sed -E 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"([^"]*)".*/\1/' <<<"$text")
  to=${target%%/*}
  [ "$to" = "$target" ] && continue  # a header beside the source, not a folder path
  if [ -z "${allowed[$from]+x}" ]; then
    echo "$file:$line: $from/ is not a known layer"
    bad=1
  elif [ -n "${allowed[$to]+x}" ] && [[ " ${allowed[$from]} " != *" $to "* ]]; then
    echo "$file:$line: $from/ may not include $target"
    bad=1
  elif [[ "$file" != */win32/* && "$target" == */win32/* ]]; then
    echo "$file:$line: portable code may not include $target"
    bad=1
  fi
done < <(find src -name '*.cpp' -o -name '*.h' | sort | xargs grep -HnE '^[[:space:]]*#[[:space:]]*include[[:space:]]*"')

if [ "$bad" -ne 0 ]; then
  echo "includes that run against the folders' order: see above"
  exit 1
fi
echo "layers: every include of src/ runs downward"
