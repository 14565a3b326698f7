#!/usr/bin/env bash
# Checks which subsystem folders the code of each folder includes headers
# from, so that dependencies keep running downward:
#   device/               nothing else of ours
#   settings/, macros/    each other
#   features/             device/ and settings/
#   app/                  everything (not checked)
# Usage: check_layers.sh [--graph] SOURCE_ROOT
#   Prints every include that breaks the rule and exits 1 when there is one.
#   With --graph, prints the folder dependency graph instead ("from -> to
#   (includes)") and exits 0.
set -euo pipefail

graph=0
if [ "${1:-}" = --graph ]; then
  graph=1
  shift
fi
root=${1:?usage: check_layers.sh [--graph] SOURCE_ROOT}
cd "$root"

folders="app device settings features macros"

allowed() {
  case $1 in
    device) echo "device" ;;
    settings) echo "settings macros" ;;
    macros) echo "macros settings" ;;
    features) echo "features device settings" ;;
    app) echo "$folders" ;;
  esac
}

# The folder of the project an include refers to, or nothing for a header
# from outside the project (Qt, the system). $1 is the including file.
resolve() {
  local file=$1 target=$2 dir candidate
  dir=$(dirname "$file")
  for candidate in "$dir/$target" "$target"; do
    if [ -e "$candidate" ]; then
      candidate=$(realpath -m --relative-to=. "$candidate")
      case $candidate in
        ../*) return ;;   # outside the source tree
      esac
      echo "${candidate%%/*}"
      return
    fi
  done
  # A header that does not exist (yet) in a folder of ours still counts.
  case $target in
    */*) [ -d "${target%%/*}" ] && echo "${target%%/*}" ;;
  esac
  return 0
}

violations=0
declare -A edges=()
for folder in $folders; do
  [ -d "$folder" ] || continue
  ok=" $(allowed "$folder") "
  while IFS= read -r file; do
    while IFS= read -r target; do
      to=$(resolve "$file" "$target")
      [ -n "$to" ] || continue
      case " $folders " in *" $to "*) ;; *) to="$to(outside the subsystems)" ;; esac
      [ "$to" = "$folder" ] || edges["$folder -> $to"]=$(( ${edges["$folder -> $to"]:-0} + 1 ))
      if [ $graph = 0 ] && [[ $ok != *" $to "* ]]; then
        echo "$file includes $target: $folder/ may include only from$(allowed "$folder" | sed 's/\([a-z]*\)/ \1\//g')"
        violations=$((violations + 1))
      fi
    done < <(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*["<]\([^">]*\)[">].*/\1/p' "$file")
  done < <(find "$folder" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)
done

if [ $graph = 1 ]; then
  for edge in "${!edges[@]}"; do
    echo "$edge (${edges[$edge]})"
  done | sort
  exit 0
fi
if [ $violations -gt 0 ]; then
  echo "$violations include(s) break the folder layering"
  exit 1
fi
echo "folder layering holds"
