#!/usr/bin/env bash
# Each module beside the game holds its own code only: no function of the game
# is defined in both, and every symbol the module leaves open is one the game
# exports. usage: check_modules.sh GAME_DIR
set -euo pipefail
game=$1/Tazumeki
exported=$(mktemp)
trap 'rm -f "$exported"' EXIT
nm -D --defined-only "$game" | awk '{print $NF}' | sort -u >"$exported"
status=0
for module in "$1"/tazumeki-*.so; do
  name=$(basename "$module")
  # Strong functions defined in both: a second copy of the game's code.
  copies=$(nm --defined-only "$module" | awk '$2 == "T" {print $3}' | sort -u | comm -12 - "$exported")
  if [[ -n "$copies" ]]; then
    echo "$name carries the game's own code:" >&2
    c++filt <<<"$copies" | sed 's/^/  /' >&2
    status=1
  fi
  # What the module's own libraries leave open must come from the game.
  missing=$(ldd -r "$module" 2>&1 | sed -n 's/^undefined symbol: \([^[:space:]]*\).*/\1/p' | sort -u | comm -23 - "$exported")
  if [[ -n "$missing" ]]; then
    echo "$name needs what the game does not export:" >&2
    c++filt <<<"$missing" | sed 's/^/  /' >&2
    status=1
  fi
  echo "$name: $(nm --defined-only "$module" | awk '$2 == "T"' | wc -l) functions of its own"
done
exit $status
