#! demo 553 --family 560
# halcyon-demo shows the family asked for on the command line, whatever the
# configuration names, and leaves the configuration file as it was.
$ status --json
grep icType modules/setting/apConfig.bin
$ profile switch 2
$ dpi show
demo --help
demo --family 554
