#! standalone 553
# halcyonctl on its own with the virtual mouse: status, the profile list,
# export and import, a switch and the reports it sends, then the state the
# next run finds.
$ status
$ status --json
$ profile list
$ profile export 1 backup/p1.pf
$ profile export 1 p1.pf
same modules/setting/p1.bin p1.pf
$ profile import p1.pf 2
same modules/setting/p2.bin p1.pf
grep profileName modules/setting/name.bin
$ profile list --json
$ profile switch 7
$ profile switch 2
trace
grep profileNo modules/setting/apConfig.bin
$ status --json
# Choosing the current profile again sends nothing, as in the title bar.
$ profile switch 2
trace
$ profile switch 1
trace
# Importing into the current profile loads it and sends it, as a switch does.
$ profile import p1.pf 1
trace
