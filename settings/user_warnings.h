#pragma once
#include <QString>
#include <functional>

// Warnings the settings and the macro library give the user (a refused
// import, a duplicate folder name). The program installs a handler that
// shows a warning box; without one the warning is only logged, which is what
// tools and tests without a user interface want.
namespace UserWarnings {

using Handler = std::function<void(const QString& title, const QString& text)>;

// Installs the handler; an empty one restores logging only.
void setHandler(Handler handler);
void show(const QString& title, const QString& text);

} // namespace UserWarnings
