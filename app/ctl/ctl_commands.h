#pragma once
#include "app/ctl/ctl_protocol.h"
#include <QStringList>

class Widget;

// Carries one halcyonctl request out on the program's own objects: the
// scene's functions and the view's slots, exactly as the window's controls
// call them, so that the files written and the bytes sent are the same and
// the window shows the result at once. Runs on the GUI thread; the running
// program and the tool on its own both use it.
namespace CtlCommands {
CtlReply run(Widget& widget, const QStringList& args);

// A name as it may be printed on a terminal: control characters become \xHH.
QString printable(const QString& text);
} // namespace CtlCommands
