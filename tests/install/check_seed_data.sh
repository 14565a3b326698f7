#!/usr/bin/env bash
# The build folder's working data tree is seeded from the shipped one without
# losing what the user changed there: new files arrive, files the user left
# alone follow a newer shipped version, files the user edited stay.
set -eu
seed=$1
t=$(mktemp -d)
trap 'rm -rf "$t"' EXIT
mkdir -p "$t/src/setting" "$t/src/i18n"
echo shipped-1 > "$t/src/setting/p1.bin"
echo shipped-1 > "$t/src/i18n/English.ini"
run() { cmake -DSOURCE="$t/src" -DTARGET="$t/work" -DSHIPPED="$t/last" -P "$seed"; }
fail=0
expect() {  # file, expected content, what
  got=$(cat "$t/work/$1" 2>/dev/null || echo missing)
  if [ "$got" != "$2" ]; then echo "FAIL: $3: $1 holds '$got', expected '$2'"; fail=1; fi
}
run
expect setting/p1.bin shipped-1 "first seed copies"
echo user-edit > "$t/work/setting/p1.bin"
echo user-macro > "$t/work/setting/name.bin"
run
expect setting/p1.bin user-edit "a rebuild keeps the user's edit"
expect setting/name.bin user-macro "a rebuild keeps the user's own file"
echo shipped-2 > "$t/src/setting/p1.bin"
echo shipped-2 > "$t/src/i18n/English.ini"
echo new > "$t/src/i18n/German.ini"
run
expect setting/p1.bin user-edit "a newer shipped file does not replace an edited one"
expect i18n/English.ini shipped-2 "a newer shipped file replaces an untouched one"
expect i18n/German.ini new "a new shipped file arrives"
rm "$t/work/i18n/German.ini"
run
expect i18n/German.ini new "a deleted shipped file comes back"
[ $fail -eq 0 ] && echo "seeding: all cases pass"
exit $fail
