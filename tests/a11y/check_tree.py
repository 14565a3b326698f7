#!/usr/bin/python3
"""Reads halcyon-demo's window through AT-SPI, in English and in German.

check_tree.py APP_DIR [--dump]

APP_DIR holds halcyon-demo and its data tree (modules/). For each language
the demo starts with that language stored, and the check asks:
- on every main tab (chosen through AT-SPI), every shown interactive node
  (button, tab, list, check box, slider, spin box) has a non-empty name;
- the names of the table below are there, in that language;
- a DPI stage's slider reports its value and range in DPI;
- the dialogs and open lists of WALKS, opened and closed through AT-SPI
  actions, show the named nodes (and states, values) of their table;
- AT-SPI actions alone carry out three tasks that reach the files: stage
  2's "Increase", button 4 set to "Next" through its menu, "Save"; then a
  new profile made in the profile manager and switched to by its row.
--dump prints the tree instead.
"""
import configparser
import os
import re
import subprocess
import sys
import time

import pyatspi
from gi.repository import Atspi, GLib

# The program answers nothing while it sends to the mouse (a second or so
# with the pacing waits): calls wait that long rather than the default 0.8 s.
Atspi.set_timeout(10000, 15000)

app_dir = sys.argv[1]
dump = "--dump" in sys.argv[2:]
INTERACTIVE = {"push button", "page tab", "combo box", "check box", "slider", "spin button",
               "list", "list item", "radio button", "text", "tree", "table cell", "menu item"}

# (language, role, name) that must be shown.
EXPECTED = [
    ("English", "push button", "Minimise"),
    ("English", "push button", "Close"),
    ("English", "push button", "Save"),
    ("English", "page tab", "SETTINGS"),
    ("English", "combo box", "Language: ENGLISH"),
    ("English", "slider", "Stage 2"),
    ("English", "check box", "Enable Stage 2"),
    ("English", "push button", "Stage colour 1"),
    ("English", "combo box", "Button 4: Forward Key"),
    ("English", "push button", "Restore Button 4"),
    ("German", "push button", "Minimieren"),
    ("German", "push button", "Schließen"),
    ("German", "push button", "Speichern"),
    ("German", "combo box", "Sprache: Deutsch"),
    ("German", "check box", "Aktiv Stufe 2"),
    # The English run ends on the profile it made.
    ("German", "combo box", "Profil: profile_0"),
    ("German", "slider", "Stufe 2"),
    ("German", "push button", "Wiederherstellen Taste 4"),
]

# Dialogs and open lists reached through AT-SPI actions alone: a name, the
# nodes pressed to open it, the nodes that must then be shown, the nodes
# pressed to close it. A node is (role, English name, German name) and may
# carry a check: a state ("selected", "checked") or "value N".
WALKS = [
    # The gun editor, the key dialogs and open drop-down lists.
    ("gun editor", [("push button", "Gun Settings", "Waffen")],
     [("combo box", "Gun1: M416", "Waffe 1: M416"),
      ("list", "Presets", "Vorlagen"),
      ("list item", "M416", "M416", "selected"),
      ("list item", "Custom 3", "Eigene 3"),
      ("combo box", "Fire key: L-Click", "Feuertaste: L-Click"),
      ("spin button", "Rate", "Feuerrate", "value 9"),
      ("spin button", "Count", "Schüsse", "value 0"),
      ("spin button", "Horizontal", "Horizontal", "value 0"),
      ("spin button", "Vertical", "Vertikal", "value 5"),
      ("push button", "Reset", "Zurücksetzen")],
     []),
    ("open gun list", [("combo box", "Gun2: AKM", "Waffe 2: AKM")],
     [("list", "Gun2", "Waffe 2"),
      ("list item", "AKM", "AKM", "selected"),
      ("list item", "Thomson", "Thomson")],
     [("combo box", "Gun2: AKM", "Waffe 2: AKM"), ("push button", "Close", "Schließen")]),
    ("group dialog", [("combo box", "Button 5: Back Key", "Taste 5: Zurück"),
                      ("menu item", "Group Function", "Tastenkombination")],
     [("push button", "Keys", "Tasten"),
      ("push button", "Stop recording", "Aufnahme beenden"),
      ("push button", "OK", "OK")],
     [("push button", "Cancel", "Abbrechen")]),
    ("fire dialog", [("combo box", "Button 5: Back Key", "Taste 5: Zurück"),
                     ("menu item", "Fire Function", "Dauerfeuer"),
                     ("combo box", "Rate: 10ms", "Frequenz: 10ms")],
     [("push button", "Key", "Taste"),
      ("text", "Count", "Anzahl"),
      ("list", "Rate", "Frequenz"),
      ("list item", "10ms", "10ms", "selected"),
      ("list item", "250ms", "250ms")],
     [("combo box", "Rate: 10ms", "Frequenz: 10ms"), ("push button", "Cancel", "Abbrechen")]),
    ("macro-key dialog", [("combo box", "Button 5: Back Key", "Taste 5: Zurück"),
                          ("menu item", "Macro Function", "Makro")],
     [("list", "Macro library", "Makrobibliothek"),
      ("radio button", "Macro runs one-time after pressing the button", "Einmal pro Tastendruck", "checked"),
      ("radio button", "Macro runs endless loop until button is released",
       "Endlos, solange die Taste gedrückt bleibt")],
     [("push button", "Cancel", "Abbrechen")]),
]

# The macro editor, a block of its own: (language, role, name) shown on its
# tab once the English run made "Macro 1" through the empty library's
# "New macro" and gave it a delay through its list's menu ("Menu: Actions",
# "Insert Delay"), all by AT-SPI actions. The German run finds the macro there.
# (The bridge gives a tree's items the role "table cell", as for Qt's own trees.)
MACRO_TAB = {"English": "SETTINGS", "German": "EINSTELLUNGEN"}
MACRO_MADE = ("push button", "New macro", "Macro 1", "Menu: Actions", "Insert Delay")
EXPECTED_MACRO = [
    ("English", "tree", "Macro List"),
    ("English", "table cell", "Macro 1"),
    ("English", "push button", "Menu: Macro List"),
    ("English", "list", "Actions"),
    ("English", "list item", "Delay 50 ms"),
    ("English", "push button", "Start Record"),
    ("English", "check box", "Delay"),
    ("English", "radio button", "Macro runs one-time after pressing the button"),
    ("German", "tree", "Makroliste"),
    ("German", "table cell", "Macro 1"),
    ("German", "push button", "Menü: Makroliste"),
    ("German", "list", "Aktionen"),
    ("German", "push button", "Aufnahme starten"),
    ("German", "check box", "Pause"),
    ("German", "radio button", "Einmal pro Tastendruck"),
]
failures = []


def fail(text):
    failures.append(text)
    print("FAIL:", text)


def set_language(language):
    path = os.path.join(app_dir, "modules", "setting", "apConfig.bin")
    text = open(path, encoding="utf-8").read()
    open(path, "w", encoding="utf-8").write(re.sub(r"(?m)^language=.*$", "language=" + language, text))


def walk(node):
    yield node
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is not None:
            yield from walk(child)


def showing(node):
    return node.getState().contains(pyatspi.STATE_SHOWING)


def shown_nodes(app):
    return [n for n in walk(app) if showing(n)]


def wait_for(what, condition, limit=60):
    end = time.monotonic() + limit
    while time.monotonic() < end:
        try:
            result = condition()
        except GLib.Error:
            # A node went away while the tree was read (a dialog closing).
            result = None
        if result:
            return result
        time.sleep(0.2)
    sys.exit("gave up waiting for " + what)


def find_app():
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.name == "halcyon-demo":
            return app
    return None


def named(app, role, name, last=False):
    # The first match, or the last: a dialog's nodes come after the frame's
    # (its "Close" after the title bar's).
    found = [n for n in shown_nodes(app) if n.getRoleName() == role and n.name == name]
    return (found[-1] if last else found[0]) if found else None


def do_action(node, action_name):
    actions = node.queryAction()
    for i in range(actions.nActions):
        if actions.getName(i) == action_name:
            return actions.doAction(i)
    fail("%s %r has no action %r (has %s)" % (node.getRoleName(), node.name, action_name,
         [actions.getName(i) for i in range(actions.nActions)]))
    return False


def check_named(app, where, roles):
    for n in shown_nodes(app):
        if n.getRoleName() in roles and not n.name.strip():
            fail("%s: a shown %s has no name" % (where, n.getRoleName()))


# The profile manager's "Programs…" dialog and its "Add" panel, reached
# through actions alone (German): every shown control and list is named.
def check_program_rules(app):
    roles = INTERACTIVE | {"list", "list item", "text"}
    do_action(named(app, "push button", "Profile"), "Press")
    do_action(wait_for("the profile manager", lambda: named(app, "push button", "Programme…")), "Press")
    wait_for("the program rules", lambda: named(app, "check box", "Zum Profil des Programms im Vordergrund wechseln"))
    if named(app, "combo box", "Standardprofil: Standard") is None:
        fail("German: no default profile drop-down")
    check_named(app, "German, Programs", roles)
    do_action(named(app, "push button", "Hinzufügen"), "Press")
    wait_for("the add panel", lambda: named(app, "list", "Programme mit offenen Fenstern"))
    check_named(app, "German, Add a rule", roles)
    do_action(named(app, "push button", "Abbrechen"), "Press")
    wait_for("the rules again", lambda: named(app, "push button", "Entfernen"))
    # "Schließen" of this dialog, the last of the window's buttons of that name.
    closes = [n for n in shown_nodes(app) if n.getRoleName() == "push button" and n.name == "Schließen"]
    do_action(closes[-1], "Press")
    wait_for("the profile manager again", lambda: named(app, "push button", "Programme…").getState().contains(
        pyatspi.STATE_ENABLED))
    print("German: the program rules' dialog and its Add panel are named")


def node_check(node, check):
    if check.startswith("value "):
        return node.queryValue().currentValue == float(check.split()[1])
    return node.getState().contains(getattr(pyatspi, "STATE_" + check.upper()))


def walk_through(app, language):
    pick = 1 if language == "English" else 2
    for title, opens, shown, closes in WALKS:
        for node in opens:
            do_action(wait_for("%s: %r" % (title, node[pick]), lambda: named(app, node[0], node[pick], True)), "Press")
        wait_for(title, lambda: named(app, shown[0][0], shown[0][pick]))
        for node in shown:
            found = named(app, node[0], node[pick])
            if found is None:
                fail("%s, %s: no shown %s named %r" % (language, title, node[0], node[pick]))
            elif len(node) > 3 and not node_check(found, node[3]):
                fail("%s, %s: %s %r is not %s" % (language, title, node[0], node[pick], node[3]))
        for n in shown_nodes(app):
            if n.getRoleName() in INTERACTIVE and not n.name.strip():
                fail("%s, %s: a shown %s has no name" % (language, title, n.getRoleName()))
        for node in closes:
            do_action(wait_for("%s: %r" % (title, node[pick]), lambda: named(app, node[0], node[pick], True)), "Press")
        if closes:
            wait_for("%s to close" % title, lambda: named(app, shown[0][0], shown[0][pick]) is None)


def check_macro_editor(app, language, first_tab):
    tab = named(app, "page tab", MACRO_TAB[language])
    do_action(tab, "Press")
    wait_for("the macro editor", lambda: named(app, "tree", EXPECTED_MACRO[0 if language == "English" else 8][2]))
    if language == "English":
        role, new, made, menu, insert = MACRO_MADE
        do_action(named(app, role, new), "Press")
        item = wait_for("the new macro", lambda: named(app, "table cell", made))
        if not item.getState().contains(pyatspi.STATE_SELECTED):
            fail("the new macro is not selected")
        do_action(named(app, role, menu), "Press")
        do_action(wait_for("the action menu", lambda: named(app, "menu item", insert)), "Press")
        wait_for("the inserted delay", lambda: named(app, "list item", "Delay 50 ms"))
    for lang, role, name in EXPECTED_MACRO:
        if lang == language and named(app, role, name) is None:
            fail("%s, macro editor: no shown %s named %r" % (language, role, name))
    do_action(first_tab, "Press")
    wait_for("the first tab", lambda: first_tab.getState().contains(pyatspi.STATE_SELECTED))


def check_language(language, save_stage_two):
    set_language(language)
    log = open(os.path.join(app_dir, "demo-%s.log" % language), "w")
    demo = subprocess.Popen([os.path.join(app_dir, "halcyon-demo")], stdout=log, stderr=subprocess.STDOUT)
    try:
        app = wait_for("the window on the accessibility bus", find_app)
        save = dict(EXPECTED_SAVE)[language]
        wait_for("the frame's controls", lambda: named(app, "push button", save))
        if dump:
            for n in walk(app):
                print(n.getRoleName(), "|", n.name, "|", "showing" if showing(n) else "")
            return
        # Each main tab in turn, chosen through its AT-SPI action, then back to the first.
        tabs = [n for n in shown_nodes(app) if n.getRoleName() == "page tab"]
        for tab in tabs[1:] + tabs[:1]:
            do_action(tab, "Press")
            wait_for("tab %r to be selected" % tab.name,
                     lambda: tab.getState().contains(pyatspi.STATE_SELECTED))
            for n in shown_nodes(app):
                if n.getRoleName() in INTERACTIVE and not n.name.strip():
                    fail("%s, tab %r: a shown %s has no name" % (language, tab.name, n.getRoleName()))
        for lang, role, name in EXPECTED:
            if lang == language and named(app, role, name) is None:
                fail("%s: no shown %s named %r" % (language, role, name))
        if language == "German":
            check_program_rules(app)
        walk_through(app, language)
        check_macro_editor(app, language, tabs[0])
        stage = named(app, "slider", "Stage 2" if language == "English" else "Stufe 2")
        if stage is None:
            return
        value = stage.queryValue()
        print("%s: stage 2 slider %g in %g..%g" % (language, value.currentValue, value.minimumValue, value.maximumValue))
        if not (value.minimumValue <= value.currentValue <= value.maximumValue and value.maximumValue >= 1000):
            fail("%s: stage 2 reports no DPI value and range" % language)
        if save_stage_two:
            before = value.currentValue
            do_action(stage, "Increase")
            after = wait_for("the stepped value", lambda: stage.queryValue().currentValue != before and
                             stage.queryValue().currentValue)
            print("%s: Increase made stage 2 %g" % (language, after))
            # Button 4 gets "Next" from the media sub-menu, through actions only.
            do_action(named(app, "combo box", "Button 4: Forward Key"), "Press")
            do_action(wait_for("the menu", lambda: named(app, "menu item", "Media Function")), "Press")
            do_action(wait_for("the sub-menu", lambda: named(app, "menu item", "Next")), "Press")
            wait_for("button 4's new function", lambda: named(app, "combo box", "Button 4: Next"))
            do_action(named(app, "push button", save), "Press")
            # A new profile in the profile manager, chosen by its row.
            do_action(named(app, "push button", "Config"), "Press")
            do_action(wait_for("the profile manager", lambda: named(app, "push button", "New")), "Press")
            do_action(wait_for("the new profile", lambda: named(app, "list item", "profile_0")), "Press")
            wait_for("the switch", lambda: named(app, "combo box", "Profile: profile_0"))
            demo.terminate()
            demo.wait()
            # Profile 1 is in use; its DPI values are one comma-separated list.
            stored = subprocess.run(["grep", "-h", "^dpiValue", os.path.join(app_dir, "modules", "setting", "p1.bin")],
                                    capture_output=True, text=True).stdout
            values = stored.split("=", 1)[-1].split(",")
            if len(values) < 2 or values[1].strip() != "%d" % after:
                fail("%s: the stepped value %d is not in the profile files:\n%s" % (language, after, stored))
            setting = os.path.join(app_dir, "modules", "setting")
            files = {
                "p1.bin": ("mouseKeyMatrix", "4", "0, 0, 243, 0"),
                "apConfig.bin": ("mouse", "profileNo", "1"),
            }
            for name, (group, key, want) in files.items():
                ini = configparser.ConfigParser(interpolation=None)
                ini.read(os.path.join(setting, name), encoding="utf-8")
                got = ini.get(group, key, fallback=None)
                if got != want:
                    fail("%s: %s %s/%s is %r, not %r" % (language, name, group, key, got, want))
            # The delay inserted through the macro editor's menu is in the macro's file.
            macro = configparser.ConfigParser(interpolation=None)
            macro.read(os.path.join(app_dir, "modules", "macro", "Macro 1.bin"), encoding="utf-8")
            if macro.get("macro", "0", fallback=None) != '"0,50"':
                fail("%s: Macro 1.bin does not hold the inserted delay" % language)
    finally:
        if demo.poll() is None:
            demo.terminate()
            demo.wait()


EXPECTED_SAVE = [("English", "Save"), ("German", "Speichern")]
check_language("English", save_stage_two=True)
check_language("German", save_stage_two=False)
if failures:
    sys.exit("%d failures" % len(failures))
print("ok")
