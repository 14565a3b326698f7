#! demo 553
# Program rules through the running demo: stored by the window's own slots,
# with every refusal. Only profile 1 is listed in the title bar at first.
$ auto
$ rule list
$ rule add supertuxkart 2
$ profile switch 2
$ rule add supertuxkart 2
$ rule add SuperTuxKart 1 --class
$ rule add supertuxkart 1
$ rule add "Blank Space" 2
$ auto on
$ rule list
$ rule list --json
grep ^(autoSwitch|defaultProfile|count|program|match|profile[0-9]) modules/setting/apConfig.bin
# Refused: a path, control characters, no name, over 255 bytes, a profile
# the title bar does not list; usage errors: profile 11, options, words.
$ rule add /usr/games/supertuxkart 2
$ rule add $'tab\there' 2
$ rule add $'esc\e[31m' 2
$ rule add "" 2
$ rule add $(printf 'x%.0s' {1..256}) 2
$ rule add $(printf '\xc3\xa9%.0s' {1..128}) 2
$ rule add supertuxkart 7
$ rule add supertuxkart 11
$ rule add supertuxkart 2 --json
$ rule add supertuxkart
$ rule delete supertuxkart
$ rule remove nothing
$ rule remove supertuxkart --class
$ rule remove "Blank Space"
$ rule remove $'tab\there'
$ auto maybe
$ auto off
$ auto
# At most 100 rules; an existing rule still takes another profile.
repeat 99 rule add game@ 1
$ rule add onemore 1
$ rule add game8 2
grep ^(count|program9|profile9|program100)= modules/setting/apConfig.bin
