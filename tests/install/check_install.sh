#!/usr/bin/env bash
# Installs into a temporary prefix and checks the layout and the desktop
# metadata the way distributions and software centres check them.
set -u
build=$1
prefix=$(mktemp -d)
trap 'rm -rf "$prefix"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null || fail "cmake --install"
for f in bin/halcyon \
         share/halcyon/modules/setting/apConfig.bin \
         lib/udev/rules.d/70-halcyon.rules \
         share/applications/halcyon.desktop \
         share/metainfo/io.halcyon.Halcyon.metainfo.xml \
         share/icons/hicolor/scalable/apps/halcyon.svg \
         share/icons/hicolor/48x48/apps/halcyon.png \
         share/icons/hicolor/256x256/apps/halcyon.png \
         share/man/man1/halcyon.1.gz \
         bin/halcyonctl \
         share/man/man1/halcyonctl.1.gz \
         share/bash-completion/completions/halcyonctl; do
  [ -e "$prefix/$f" ] || fail "missing $f"
done
[ -x "$prefix/bin/halcyon" ] || fail "bin/halcyon is not executable"
[ -x "$prefix/bin/halcyonctl" ] || fail "bin/halcyonctl is not executable"
bash -n "$prefix/share/bash-completion/completions/halcyonctl" || fail "bash completion does not parse"
if command -v groff >/dev/null; then
  gzip -dc "$prefix/share/man/man1/halcyonctl.1.gz" | groff -man -Tutf8 -ww -z 2>&1 | grep . \
    && fail "manual page warnings"
fi
if find "$prefix/share/halcyon" -type f -perm /222 -perm /022 | grep -q .; then
  fail "shipped data is writable by group or others"
fi
grep -q 'MODE="0666"' "$prefix/lib/udev/rules.d/70-halcyon.rules" && fail "world-writable device rule"

skipped=""
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$prefix/share/applications/halcyon.desktop" || fail "desktop entry"
else
  skipped="$skipped desktop-file-validate"
fi
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$prefix/share/metainfo/io.halcyon.Halcyon.metainfo.xml" >/dev/null \
    || fail "metainfo"
else
  skipped="$skipped appstreamcli"
fi
[ -n "$skipped" ] && { echo "SKIP: not installed:$skipped"; exit 77; }
echo "install layout OK"
