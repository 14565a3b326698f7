#!/usr/bin/env bash
# Builds the Debian package as a packager does, with scripts/package into a
# build folder of its own that nothing was built in before, and checks it
# as Debian's tools do: its files and their modes, its control data and
# maintainer scripts, hardening, its Depends against the QML modules the
# running scene imports, and lintian (--info --pedantic: every tag it
# reports must be listed, with its reason, in lintian-accepted.txt).
# As root, it also installs two versions one after the other with apt-get
# (see check_upgrade.sh).
set -u
build=$1
source_dir=$2
here=$(cd "$(dirname "$0")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
fail() { echo "FAIL: $*"; exit 1; }
for tool in cmake cpack dpkg-deb dpkg-buildflags; do
  command -v $tool >/dev/null || { echo "SKIP: $tool is missing"; exit 77; }
done

HALCYON_PACKAGE_DIR="$out/build" HALCYON_SKIP_DEPS=1 bash "$source_dir/scripts/package" >"$out/package.log" 2>&1 \
  || { tail -30 "$out/package.log"; fail "scripts/package"; }
deb=$(ls "$out"/build/halcyon_*_*.deb 2>/dev/null | head -1)
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

dpkg-deb -x "$deb" "$out/root"
diff -r "$out/root/usr/share/halcyon/modules" "$source_dir/data/modules" >/dev/null \
  || fail "the shipped data tree differs from the source tree"
# Both programs are what this source builds, not left-overs: they answer.
"$out/root/usr/bin/halcyon" --version | grep -qx "halcyon $version" || fail "halcyon --version"
"$out/root/usr/bin/halcyonctl" --help >/dev/null || fail "halcyonctl --help"

# Debian's hardening: full RELRO with immediate binding, fortified calls,
# and no compiler comment section.
for exe in halcyon halcyonctl; do
  readelf -d "$out/root/usr/bin/$exe" | grep -q 'BIND_NOW\|FLAGS.*NOW' || fail "$exe is not linked with -z now"
  readelf -lW "$out/root/usr/bin/$exe" | grep -q GNU_RELRO || fail "$exe has no RELRO"
  readelf -sW --dyn-syms "$out/root/usr/bin/$exe" | grep -q '__[a-z]*_chk' || fail "$exe has no fortified calls"
  readelf -SW "$out/root/usr/bin/$exe" | grep -q '\.comment' && fail "$exe keeps a .comment section"
done

# The QML modules the package depends on are exactly those the running
# scene imports (each one's Debian package, found through its qmldir).
work=$(mktemp -d -p "$out")
cp "$out/root/usr/bin/halcyon" "$work/"
cp -r "$source_dir/data/modules" "$work/modules"
chmod -R u+w "$work/modules"
QT_QPA_PLATFORM=offscreen QML_IMPORT_TRACE=1 XDG_RUNTIME_DIR="$work" HOME="$work" "$work/halcyon" --verbose \
  >"$work/log" 2>&1 &
app=$!
for _ in $(seq 600); do grep -q 'Device DisConnect\|Device Connect' "$work/log" 2>/dev/null && break; sleep 0.1; done
kill "$app" 2>/dev/null; wait "$app" 2>/dev/null
grep -q 'Device DisConnect\|Device Connect' "$work/log" || { tail "$work/log"; fail "the scene did not start"; }
imported=$(sed -n 's/.*addLibraryImport: .* "\([A-Za-z.]*\)" version.*/\1/p' "$work/log" | sort -u)
[ -n "$imported" ] || fail "no QML import traced"
needed=$(for uri in $imported; do
  dpkg -S "/usr/lib/*/qt6/qml/${uri//.//}/qmldir" 2>/dev/null | cut -d: -f1
done | sort -u | paste -sd' ')
declared=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/ .*//' | grep '^qml6-module-' | sort -u | paste -sd' ')
[ "$needed" = "$declared" ] || fail "Depends lists QML modules [$declared], the scene imports [$needed] ($(echo $imported))"

if command -v lintian >/dev/null; then
  # Run as root in this environment; lintian only reads the file.
  lintian --allow-root --info --pedantic --tag-display-limit 0 "$deb" >"$out/lintian" 2>&1
  tags=$(sed -n 's/^[EWIPX]: halcyon[^:]*: \([a-z0-9-]*\).*/\1/p' "$out/lintian" | sort -u)
  unexplained=$(for t in $tags; do grep -q "^$t " "$here/lintian-accepted.txt" || echo "$t"; done)
  if [ -n "$unexplained" ]; then
    cat "$out/lintian"
    fail "lintian tags without a reason in lintian-accepted.txt: $(echo $unexplained)"
  fi
else
  echo "lintian not installed: not checked"
fi

# Two versions installed one after the other with apt-get (root only).
bash "$here/check_upgrade.sh" "$deb" "$source_dir"
rc=$?
[ $rc = 0 ] || [ $rc = 77 ] || fail "upgrade"
echo "package $(basename "$deb") OK"
