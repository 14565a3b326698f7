#!/usr/bin/env bash
# An upgrade as a user meets it: the package (DEB) is installed with apt-get,
# the program starts once for a user (seeding ~/.local/share/halcyon), the
# user edits one shipped file, and a second version of the package (made
# from the first with a corrected translation and corrected gun data) is
# installed over it with apt-get. At the next start the file the user never
# changed is the new version's, the one the user edited is kept, and the
# log says so. Needs root and apt-get; skipped (77) where halcyon is
# already installed on this machine (it is not replaced).
set -u
deb_a=$1
skip() { echo "SKIP: $*"; exit 77; }
fail() { echo "FAIL: $*"; [ -f "$work/log" ] && tail -20 "$work/log"; exit 1; }
[ "$(id -u)" = 0 ] || skip "installing packages needs root"
command -v apt-get >/dev/null || skip "apt-get is missing"
dpkg-query -W -f='${Status}' halcyon 2>/dev/null | grep -q 'install ok installed' \
  && skip "halcyon is installed on this machine"

work=$(mktemp -d)
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null && wait "$app" 2>/dev/null
  apt-get -o DPkg::Lock::Timeout=900 purge -y -qq halcyon >/dev/null 2>&1
  rm -rf "$work"
}
trap cleanup EXIT
apt_install() {
  DEBIAN_FRONTEND=noninteractive apt-get -o DPkg::Lock::Timeout=900 install -y -qq --no-install-recommends "$1" \
    >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; fail "apt-get install $1"; }
}

# Version B: version A with two shipped files corrected.
dpkg-deb -R "$deb_a" "$work/b"
version=$(sed -n 's/^Version: //p' "$work/b/DEBIAN/control")
sed -i "s/^Version: .*/Version: $version+fix1/" "$work/b/DEBIAN/control"
shipped=$work/b/usr/share/halcyon/modules
printf '\n; corrected in %s+fix1\n' "$version" >>"$shipped/i18n/English.ini"
printf '\n; corrected in %s+fix1\n' "$version" >>"$shipped/i18n/German.ini"
(cd "$work/b" && find usr -type f -exec md5sum {} + >DEBIAN/md5sums)
dpkg-deb --root-owner-group -b "$work/b" "$work/halcyon_b.deb" >/dev/null || fail "cannot build version B"

# The installed program, started as a user until its data folder is in use.
export HOME="$work/home" XDG_DATA_HOME="$work/home/data" XDG_RUNTIME_DIR="$work/runtime" QT_QPA_PLATFORM=offscreen
unset DBUS_SESSION_BUS_ADDRESS DISPLAY WAYLAND_DISPLAY
mkdir -p "$HOME" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
start_once() {
  (cd / && exec /usr/bin/halcyon --verbose >"$work/log" 2>&1) &
  app=$!
  for _ in $(seq 600); do grep -q 'Device DisConnect\|Device Connect' "$work/log" 2>/dev/null && break; sleep 0.1; done
  grep -q 'Device DisConnect\|Device Connect' "$work/log" || fail "the installed program did not start"
  kill "$app"; wait "$app"; app=
}
user=$XDG_DATA_HOME/halcyon/modules

apt_install "$deb_a"
start_once
cmp -s "$user/i18n/English.ini" /usr/share/halcyon/modules/i18n/English.ini || fail "no user copy of English.ini"
echo "; my own wording" >>"$user/i18n/German.ini"
cp "$user/i18n/German.ini" "$work/german.mine"

apt_install "$work/halcyon_b.deb"
dpkg-query -W -f='${Version}' halcyon | grep -qx "$version+fix1" || fail "version B is not installed"
start_once
cmp -s "$user/i18n/English.ini" /usr/share/halcyon/modules/i18n/English.ini \
  || fail "the unchanged English.ini was not refreshed"
cmp -s "$user/i18n/German.ini" "$work/german.mine" || fail "the user's German.ini was not kept"
grep -q "Kept your changed .*German.ini" "$work/log" || fail "the kept file is not logged"
grep -q "Kept your changed .*English.ini" "$work/log" && fail "English.ini reported as kept"
echo "upgrade OK"
