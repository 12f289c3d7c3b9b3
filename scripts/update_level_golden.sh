#!/bin/sh
# Records the bot's clicks on every demo level (casual difficulty, seed 1) and the result of
# replaying them: tests/tools/level_golden/level_EE_LL.{clicks,json}. Run it after changing
# levels, descriptors or the simulation on purpose, and review the differences.
set -e
root=$(cd "$(dirname "$0")/.." && pwd)
kcontent=${KCONTENT:-$root/build/bin/kcontent}
out=$root/tests/tools/level_golden
mkdir -p "$out"
for level in "$root"/content-src/game/content/levels/level_01_*.xml; do
  name=$(basename "$level" .xml)
  "$kcontent" level play "$level" --bot --record "$out/$name.clicks" >/dev/null
  "$kcontent" level play "$level" --replay "$out/$name.clicks" | tail -n 1 >"$out/$name.json"
  echo "$name: $(cat "$out/$name.json")"
done
