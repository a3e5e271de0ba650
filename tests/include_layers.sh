#!/usr/bin/env bash
# The rooms of the tree and what each may include: a room includes only rooms
# below it (or itself), so that there is no circle among them. Of pages/, the
# rooms above it include only pages/Pages.h, the one registration of the pages.
# include_layers.sh <source root>
set -u
root=${1:-$(dirname "$0")/..}
cd "$root" || exit 2

rooms=(base platform stores ui engines watchers pages app win32 suite installer)
declare -A rank
for i in "${!rooms[@]}"; do rank[${rooms[$i]}]=$i; done

faults=0
for room in "${rooms[@]}"; do
  while IFS=: read -r file included; do
    target=${included%%/*}
    [ "$target" != "$included" ] && [ -n "${rank[$target]+set}" ] || continue  # a header of its own room's folder, or of a library
    if [ "${rank[$target]}" -gt "${rank[$room]}" ]; then
      echo "FAIL $file includes $included, of a room above $room/"
      faults=$((faults + 1))
    elif [ "$target" = pages ] && [ "$room" != pages ] && [ "$included" != pages/Pages.h ]; then
      echo "FAIL $file includes $included: outside pages/, only pages/Pages.h"
      faults=$((faults + 1))
    fi
  done < <(git ls-files "$room/*.h" "$room/*.cpp" | xargs -r grep -Ho '^#include "[^"]*"' | sed 's/#include "\(.*\)"$/\1/')
done
[ "$faults" -eq 0 ] || exit 1
echo "ok   every room includes only the rooms below it: ${rooms[*]}"
