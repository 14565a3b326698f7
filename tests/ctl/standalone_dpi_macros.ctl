#! standalone 560
# DPI stages and the macro library on a 560 family mouse.
$ dpi show
$ dpi stage 3
trace
$ dpi stage 7
$ macro list
write Rapid.mc [config]\nindex=0\ntotal=3\nrepeat=2\ndid=-1\n\n[macro]\n0="1,A"\n1="0,50"\n2="2,A"\n
$ macro import Rapid.mc
same Rapid.mc modules/macro/Rapid.bin
grep macro modules/setting/name.bin
$ macro list
$ macro import Rapid.mc
$ macro export Rapid out/Rapid.mc
$ macro export Rapid Rapid2.mc
same modules/macro/Rapid.bin Rapid2.mc
$ macro export Rapid Rapid2.mc
$ macro export Nowhere/Rapid x.mc
# A macro inside a folder is named by its folder path.
write modules/macro/Games/Combo.bin [config]\nindex=0\ntotal=1\nrepeat=1\ndid=-1\n\n[macro]\n0="1,B"\n
write modules/setting/name.bin [Games]\nlevel=1, emptyslotkey\nmacroName=Combo, emptyslotkey\nmacroType=0, emptyslotkey\n\n[macro]\nlevel=0, 0\nmacroName=Games, Rapid\nmacroType=1, 0\n
$ macro list
$ macro export Games/Combo combo.mc
same modules/macro/Games/Combo.bin combo.mc
$ macro export Games x.mc
trace
