#include "app/user_dialogs.h"
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QWidget>

namespace {
// A start folder that does not exist (no desktop folder in a bare session)
// would show up as a file name: the home folder stands in for it.
QString startDir(const QString& dir)
{
    if (QFileInfo(dir).isDir())
        return dir;
    // A suggested file name in a folder that exists.
    const QFileInfo file(dir);
    return QFileInfo(file.absolutePath()).isDir() && !file.fileName().isEmpty() ? dir : QDir::homePath();
}

// The keys go back to the widget that asked once the dialog has closed, so
// the scene hears Escape and typing again.
QString refocused(QWidget* parent, const QString& answer)
{
    if (parent) {
        parent->window()->activateWindow();
        parent->setFocus(Qt::OtherFocusReason);
    }
    return answer;
}

class QtUserDialogs : public UserDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        // `dir` may end in a suggested file name. The filter's extension is
        // the default suffix, so a dialog that honours it also asks before
        // replacing the file with the extension added.
        QFileDialog dialog(parent, caption, startDir(dir), filter);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setDefaultSuffix(filter.section(QStringLiteral("*."), 1).section(QLatin1Char(')'), 0, 0));
        if (!QFileInfo(dir).isDir() && QFileInfo(QFileInfo(dir).absolutePath()).isDir())
            dialog.selectFile(dir);
        const bool accepted = dialog.exec() == QDialog::Accepted && !dialog.selectedFiles().isEmpty();
        return refocused(parent, accepted ? dialog.selectedFiles().constFirst() : QString());
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        return refocused(parent, QFileDialog::getOpenFileName(parent, caption, startDir(dir), filter));
    }
    QString existingDirectory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        // The path as the user chose it: a link stays a link.
        return refocused(parent, QFileDialog::getExistingDirectory(
                                     parent, caption, startDir(dir),
                                     QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks));
    }
    void warning(QWidget* parent, const QString& title, const QString& text) override
    {
        QMessageBox::warning(parent, title, text);
    }
};

QtUserDialogs g_qtDialogs;
UserDialogs* g_current = &g_qtDialogs;
} // namespace

UserDialogs& UserDialogs::current()
{
    return *g_current;
}

void UserDialogs::install(UserDialogs* dialogs)
{
    g_current = dialogs ? dialogs : &g_qtDialogs;
}
