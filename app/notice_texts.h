#pragma once
#include <QString>

// The tray notice for a mouse that is present but cannot be opened (no udev
// rule), in the current language: string 8 of the language group "other".
QString& accessDeniedNotice();

// The tray menu's entry that shows the window, in the current language:
// string 9 of the language group "other".
QString& showWindowMenuText();
