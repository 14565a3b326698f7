#! demo 553
# The real halcyonctl against a running halcyon-demo: the demo carries the
# requests out in its window, which the status then reports.
$ status --json
$ profile switch 2
$ status --json
$ profile list
grep profileNo modules/setting/apConfig.bin
grep profileName modules/setting/name.bin
$ dpi stage 4
$ status --json
$ dpi show
$ dpi stage 7
$ profile switch 9
$ profile export 2 p2.pf
same p2.pf modules/setting/p2.bin
$ profile import p2.pf 3
$ profile list --json
write Rapid.mc [config]\nindex=0\ntotal=1\nrepeat=1\ndid=-1\n\n[macro]\n0="1,A"\n
$ macro import Rapid.mc
$ macro list
$ macro export Rapid back.mc
same back.mc modules/macro/Rapid.bin
$ profile import notes.txt 3
