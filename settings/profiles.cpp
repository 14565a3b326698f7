// Whole-file operations on profile slots: export, import, reset and copy.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "settings/file_replace.h"
#include "settings/import_limit.h"
#include <QStandardPaths>

namespace {
const QString kFactoryProfilePath = QStringLiteral("./modules/setting/pD.bin");

QString desktopDir()
{
    return QStandardPaths::writableLocation(QStandardPaths::DesktopLocation);
}

QString slotFilePath(int slot)
{
    return QStringLiteral("./modules/setting/p%1.bin").arg(slot + 1);
}

// The chosen file may be one of the program's own settings files: its
// pending writes belong to what is copied, as they would after the modal
// dialog's event loop.
void flushAllHandles(const myQQuickView& view)
{
    for (QSettings* s : {view.globalSettings(), view.defaultProfile()})
        if (s)
            flushSettings(*s);
    for (int k = 0; QSettings* s = view.profileSettings(k); ++k)
        flushSettings(*s);
}
} // namespace

void myQQuickView::setCurrentProfile(int profile)
{
    if (profileSettings(profile))
        m_currentProfile = profile;
}

void myQQuickView::saveProfile(int profile)
{
    QSettings* handle = profileSettings(profile);
    if (!handle)
        return;
    const QString target = UserDialogs::current().saveFileName(this, tr("Save File"), desktopDir(),
                                                               tr("Profile(*.pf)"));
    if (target.isEmpty())
        return;
    // The export is the slot's file as it is on disk, with every write made
    // so far. An existing file at the target is only replaced once the copy
    // is complete.
    flushSettings(*handle);
    QByteArray content;
    if (readWholeFile(slotFilePath(profile), content))
        writeFileAtomically(target, content);
}

bool myQQuickView::loadProfile(int profile)
{
    QSettings* handle = profileSettings(profile);
    if (!handle)
        return false;
    const QString source = UserDialogs::current().openFileName(this, tr("Open File"), desktopDir(),
                                                               tr("Profile(*.pf)"));
    if (source.isEmpty() || !ImportLimit::allowsOrWarn(source, this))
        return false;
    // Any file within the size limit is accepted; keys it lacks read as absent afterwards. A file
    // that cannot be read leaves the slot as it was and reports false.
    flushAllHandles(*this);
    QByteArray content;
    return readWholeFile(source, content) && replaceSettingsFile(*handle, content);
}

void myQQuickView::resetProfile(int profile)
{
    QSettings* handle = profileSettings(profile);
    QByteArray content;
    if (handle && readWholeFile(kFactoryProfilePath, content))
        replaceSettingsFile(*handle, content);
}

void myQQuickView::copyProfile(int destprofile, int srcprofile)
{
    QSettings* dest = profileSettings(destprofile);
    QSettings* src = profileSettings(srcprofile);
    if (!dest || !src || destprofile == srcprofile)
        return;
    // The source's pending writes are part of what is copied.
    flushSettings(*src);
    QByteArray content;
    if (readWholeFile(src->fileName(), content))
        replaceSettingsFile(*dest, content);
}
