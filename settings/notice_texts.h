#pragma once
#include <QString>

// The tray notice for a mouse that is present but cannot be opened (no udev
// rule), in the current language: string 8 of the language group "other".
QString& accessDeniedNotice();
