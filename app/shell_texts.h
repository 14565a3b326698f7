#pragma once

struct LanguagePage;

// Takes the program's own texts from a language's "other" page: the eight
// DPI stage notices, the notice for a mouse the program may not open, and
// the tray menu's entry that shows the window. Entries the page lacks keep
// their previous text.
void adoptShellTexts(const LanguagePage& otherPage);

// Takes the tray notice of an automatic profile switch from a language's
// "programSwitch" page ("Profile %1 for %2"); a page without it keeps the
// previous text.
void adoptProgramSwitchTexts(const LanguagePage& programSwitchPage);
