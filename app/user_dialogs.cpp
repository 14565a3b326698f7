#include "app/user_dialogs.h"
#include <QFileDialog>
#include <QMessageBox>

namespace {
class QtUserDialogs : public UserDialogs {
public:
    QString saveFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        return QFileDialog::getSaveFileName(parent, caption, dir, filter);
    }
    QString openFileName(QWidget* parent, const QString& caption, const QString& dir,
                         const QString& filter) override
    {
        return QFileDialog::getOpenFileName(parent, caption, dir, filter);
    }
    QString existingDirectory(QWidget* parent, const QString& caption, const QString& dir) override
    {
        // The path as the user chose it: a link stays a link.
        return QFileDialog::getExistingDirectory(parent, caption, dir,
                                                 QFileDialog::ShowDirsOnly | QFileDialog::DontResolveSymlinks);
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
