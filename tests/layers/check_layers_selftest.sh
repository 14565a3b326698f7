#!/usr/bin/env bash
# The layering check finds what it must: builds a small tree with one
# forbidden include of each spelling (quoted, angle brackets, relative path,
# indented directive, a header not yet written) beside allowed ones, and
# expects exactly the forbidden ones reported.
set -euo pipefail
checker=$(cd "$(dirname "$0")" && pwd)/check_layers.sh
tree=$(mktemp -d)
trap 'rm -rf "$tree"' EXIT
cd "$tree"
mkdir -p app device settings features macros
touch app/view.h device/port.h settings/ini.h macros/paths.h features/local.h

printf '#include "app/view.h"\n#include "macros/paths.h"\n' > settings/store.cpp
printf '#include <features/planned.h>\n#include "settings/ini.h"\n' > macros/library.h
printf '#include "../settings/ini.h"\n#include <QString>\n#include <sys/stat.h>\n' > device/thread.cpp
printf '  #  include "app/view.h"\n' > features/indented.cpp
printf '#include "device/port.h"\n#include "settings/ini.h"\n#include "local.h"\n#include <QtConcurrent/QtConcurrentRun>\n' > features/ok.cpp
printf '#include "device/port.h"\n#include "features/local.h"\n#include "macros/paths.h"\n' > app/main.cpp

expected="device/thread.cpp includes ../settings/ini.h
features/indented.cpp includes app/view.h
macros/library.h includes features/planned.h
settings/store.cpp includes app/view.h"

status=0
output=$("$checker" "$tree") || status=$?
found=$(echo "$output" | grep ' includes ' | sed 's/:.*//' | sort)
if [ "$status" != 1 ] || [ "$found" != "$expected" ]; then
  echo "the check missed or invented a forbidden include (exit $status):"
  echo "$output"
  exit 1
fi

# Without the forbidden files the same tree passes.
rm settings/store.cpp macros/library.h device/thread.cpp features/indented.cpp
"$checker" "$tree" >/dev/null || { echo "a clean tree was refused"; exit 1; }
echo "the layering check finds every forbidden include"
