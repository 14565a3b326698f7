#pragma once
#include <QStringList>

// The eight tray texts for a DPI stage change made on the mouse, shared by
// the whole process. "DPI Switch to" until a language replaces them.
QStringList& dpiSwitchTexts();
