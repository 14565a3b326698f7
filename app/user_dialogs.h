#pragma once
#include <QString>

class QWidget;

// Every file dialog and warning box the program shows goes through this
// interface, so that tests and halcyon-sim can answer them without a modal
// loop. The installed implementation is process-wide; the default one shows
// Qt's dialogs.
class UserDialogs {
public:
    virtual ~UserDialogs() = default;

    // Each returns the chosen path, or an empty string when cancelled.
    virtual QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                                 const QString& filter) = 0;
    virtual QString existingDirectory(QWidget* parent, const QString& caption, const QString& dir) = 0;
    // True where the answers are paths a command named exactly, not names a
    // user typed: those never get an exchange file's extension added.
    virtual bool answersExactPaths() const { return false; }
    // A modal warning box with an OK button.
    virtual void warning(QWidget* parent, const QString& title, const QString& text) = 0;

    static UserDialogs& current();
    // Installs another implementation (not owned); null restores the default.
    static void install(UserDialogs* dialogs);
};
