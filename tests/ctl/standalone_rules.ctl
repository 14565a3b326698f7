#! standalone 553
# Program rules with the tool on its own: the same slots, the reason in the
# language chosen in the window, and the help texts.
$ rule add supertuxkart 1
$ rule add Firefox 1 --class
$ auto on
$ rule list
replace modules/setting/apConfig.bin language=English language=German
$ auto
$ rule list --json
replace modules/setting/apConfig.bin language=German language=French
$ auto
$ rule add supertuxkart 3
$ rule remove firefox --class
grep ^(autoSwitch|count|program|match|profile[0-9]) modules/setting/apConfig.bin
$ rule --help
$ rule add --help
$ auto --help
