#! standalone 553 unplugged
# No mouse: what needs one is refused, the files can still be handled.
$ status --json
$ profile switch 2
$ dpi stage 2
$ dpi show
$ profile export 1 p1.pf
same modules/setting/p1.bin p1.pf
$ profile import p1.pf 2
same modules/setting/p2.bin p1.pf
grep profile modules/setting/name.bin
trace
