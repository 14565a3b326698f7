#! standalone 553
# A full disk: a profile switch whose choice cannot be stored is reported
# with the reason and exit status 1, and the file keeps the old choice; with
# space again the same switch is done. Profiles 3 and 4 are not listed yet:
# listing one writes the name index, whose failure is the answer when it
# comes first.
$ --file-fail lock profile switch 2
grep profileNo modules/setting/apConfig.bin
$ --file-fail write profile switch 2
grep profileNo modules/setting/apConfig.bin
$ profile switch 2
grep profileNo modules/setting/apConfig.bin
$ --file-fail lock profile switch 3
$ --file-fail write profile switch 4
grep profileNo modules/setting/apConfig.bin
grep profileName modules/setting/name.bin
