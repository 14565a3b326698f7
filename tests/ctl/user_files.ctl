#! demo 553
# Files named to the running program are the files the user meant: names
# are resolved by the tool as a shell command would resolve them, links at
# the target name are never written through, and devices, FIFOs and folders
# are refused at once for import and export.
write mine.txt the user's own file\n
write Rapid.mc [config]\nindex=0\ntotal=1\nrepeat=1\ndid=-1\n\n[macro]\n0="1,A"\n
$ macro import Rapid.mc
link trap.pf mine.txt
$ profile export 1 trap.pf
file mine.txt
link dangling.mc made.mc
$ macro export Rapid dangling.mc
exists made.mc
fifo pipe.pf
$ profile export 1 pipe.pf
$ profile import pipe.pf 2
$ macro import pipe.pf
write folder.pf/x x
$ profile export 1 folder.pf
$ profile import folder.pf 2
$ profile export 1 /dev/full
$ profile export 1 /dev/zero
$ profile import /dev/zero 2
$ macro import /dev/zero
$ macro export Rapid /dev/full
# A ".." after a link goes to the link target's parent, as in the shell;
# from a folder reached through a link, ".." is the real parent too.
write real/sub/.keep x
link inner real/sub
$ profile export 1 inner/../p1.pf
exists real/p1.pf
exists p1.pf
cd inner
$ profile export 1 ../p2.pf
exists real/p2.pf
$ profile export 1 /proc/self/cwd/p3.pf
exists real/sub/p3.pf
$ profile export 1 p4.pf
exists real/sub/p4.pf
cd .
# New files are the user's alone.
mode real/p1.pf
# "-" and /dev/stdout are the tool's standard output.
$ profile export 1 -
$ macro export Rapid /dev/stdout
