#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and checks it
# as Debian's tools do: its files and their modes, its control data and
# maintainer scripts, and lintian (errors fail, warnings are listed).
set -u
build=$1
source_dir=$2
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
command -v cpack >/dev/null || { echo "SKIP: cpack is missing"; exit 77; }
command -v dpkg-deb >/dev/null || { echo "SKIP: dpkg-deb is missing"; exit 77; }

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; fail "cpack"; }
deb=$(ls "$out"/halcyon_*_*.deb 2>/dev/null | head -1)
[ -n "$deb" ] || fail "no halcyon_<version>_<arch>.deb"
version=$(sed -n 's/^project(Halcyon VERSION \([0-9.]*\).*/\1/p' "$source_dir/CMakeLists.txt")
case "$(basename "$deb")" in
  halcyon_${version}_$(dpkg --print-architecture).deb) ;;
  *) fail "file name $(basename "$deb"), expected halcyon_${version}_$(dpkg --print-architecture).deb" ;;
esac

dpkg-deb -c "$deb" >"$out/contents" || fail "dpkg-deb -c"
for f in ./usr/bin/halcyon \
         ./usr/share/halcyon/modules/setting/apConfig.bin \
         ./usr/share/halcyon/modules/i18n/English.ini \
         ./usr/lib/udev/rules.d/70-halcyon.rules \
         ./usr/share/applications/halcyon.desktop \
         ./usr/share/metainfo/io.halcyon.Halcyon.metainfo.xml \
         ./usr/share/icons/hicolor/scalable/apps/halcyon.svg \
         ./usr/share/icons/hicolor/48x48/apps/halcyon.png \
         ./usr/share/doc/halcyon/copyright \
         ./usr/bin/halcyonctl \
         ./usr/share/man/man1/halcyonctl.1.gz \
         ./usr/share/bash-completion/completions/halcyonctl; do
  grep -q " $f\$" "$out/contents" || fail "missing $f"
done
grep -E '^-rwxr-xr-x .* \./usr/bin/halcyon$' "$out/contents" >/dev/null || fail "/usr/bin/halcyon is not 0755"
grep -E '^-[rwx-]{5}w' "$out/contents" && fail "files writable by group or others"
# Nothing of the build tree: tools, tests, the working copy of the data.
grep -E 'halcyon-sim|halcyonctl-virtual|tst_|/build/' "$out/contents" && fail "build-tree files in the package"

dpkg-deb -I "$deb" >"$out/info" || fail "dpkg-deb -I"
grep -q '^ Package: halcyon$' "$out/info" || fail "package name"
grep -q "^ Version: $version\$" "$out/info" || fail "version"
depends=$(sed -n 's/^ Depends: //p' "$out/info")
for d in libqt6quick6 libhidapi-hidraw0 libudev1 qml6-module-qtquick qt6-wayland; do
  case ", $depends," in *"$d"*) ;; *) fail "Depends lacks $d: $depends" ;; esac
done
dpkg-deb -e "$deb" "$out/control"
[ -x "$out/control/postinst" ] || fail "no postinst"
grep -q 'udevadm control --reload-rules' "$out/control/postinst" || fail "postinst does not reload udev rules"
grep -q 'udevadm trigger --subsystem-match=hidraw' "$out/control/postinst" || fail "postinst does not trigger hidraw"
sh -n "$out/control/postinst" || fail "postinst syntax"

# The data tree is the shipped one, whole.
dpkg-deb -x "$deb" "$out/root"
diff -r "$out/root/usr/share/halcyon/modules" "$source_dir/data/modules" >/dev/null \
  || fail "shipped apConfig.bin differs from the source tree"

if command -v lintian >/dev/null; then
  # Run as root in this environment; lintian only reads the file.
  lintian --allow-root --no-tag-display-limit "$deb" >"$out/lintian" 2>&1
  cat "$out/lintian"
  grep -q '^E: ' "$out/lintian" && fail "lintian errors"
else
  echo "lintian not installed: not checked"
fi
echo "package $(basename "$deb") OK"
