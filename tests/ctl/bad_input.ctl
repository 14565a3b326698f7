#! standalone 553
# Refused input: usage errors (2) and requests that cannot be carried out (1).
$
$ reboot
$ profile
$ profile delete 2
$ profile switch 11
$ profile switch 0
$ profile switch two
$ dpi stage 0
$ dpi stage 9
$ dpi stage 7
$ status --verbose
$ profile import missing.pf 3
write notes.txt hello\n
$ profile import notes.txt 3
write binary.pf [mouse]\ndpiCount=8\n\x00\x01
$ profile import binary.pf 3
write Evil\x1b.mc [config]\ntotal=0\n
$ macro import $'Evil\x1b.mc'
$ macro export "bad/../name" x.mc
# A profile name holding control characters is shown escaped.
write modules/setting/name.bin [profile]\nprofileName=Standard0, Ev\x1b[31mil1\n
$ profile list
$ profile list --json
$ status
trace
$ --help
$ profile --help
$ profile switch --help
