// The scene's API: every slot of the view that the services answer, each a
// forward to the service that owns it. File dialogs are asked here, so the
// services only ever see the paths the user chose.
#include "app/myqquickview.h"
#include "app/shell_texts.h"
#include "app/user_dialogs.h"
#include "device/hid_thread.h"

namespace {
const QString MacroExchangeFilter = QStringLiteral("Macro(*.mc)");
const QString MacroExtension = QStringLiteral(".mc");
const QString ProfileExtension = QStringLiteral(".pf");

// A name typed into the save dialog gets the exchange file's extension; a
// path that a command named is written exactly as given.
QString savedFileName(const QString& chosen, const QString& extension)
{
    return UserDialogs::current().answersExactPaths() ? chosen : ExchangeFiles::withExtension(chosen, extension);
}

NameIndex& names()
{
    return NameIndex::instance();
}
} // namespace

// ---- configuration store and profile values ----

void myQQuickView::resetApconfig() { m_config.resetToFactory(); }
QVariant myQQuickView::getGlobalData(QVariant key) { return m_config.value(key.toString()); }
void myQQuickView::setGlobalData(QVariant key, QVariant tmpdata) { m_config.setValue(key.toString(), tmpdata); }
QVariant myQQuickView::getData(QVariant key, bool isRecovery) { return m_profiles.value(key.toString(), isRecovery); }
QVariantList myQQuickView::getDataList(QVariant key, bool isRecovery)
{
    return m_profiles.list(key.toString(), isRecovery);
}
void myQQuickView::setData(QVariant key, QVariant data) { m_profiles.setValue(key.toString(), data); }
void myQQuickView::setDataList(QVariant key, QVariantList datalist)
{
    m_profiles.setValue(key.toString(), QVariant(datalist));
}
bool myQQuickView::writePendingSettings() { return m_profiles.writePending(); }

// ---- profile slots ----

bool myQQuickView::loadProfile(int profile)
{
    if (!m_profiles.slot(profile))
        return false;
    const QString source = UserDialogs::current().openFileName(this, tr("Open File"), m_exchange.startFolder(),
                                                               tr("Profile(*.pf)"));
    m_exchange.rememberFile(source);
    return !source.isEmpty() && m_profiles.importSlot(profile, source);
}

void myQQuickView::saveProfile(int profile, QString profileName)
{
    if (!m_profiles.slot(profile))
        return;
    const QString name = profileName.isEmpty() ? QStringLiteral("Profile %1").arg(profile + 1) : profileName;
    const QString target = savedFileName(
        UserDialogs::current().saveFileName(this, tr("Save File"), m_exchange.suggestedFile(name, ProfileExtension),
                                            tr("Profile(*.pf)")),
        ProfileExtension);
    m_exchange.rememberFile(target);
    if (!target.isEmpty())
        m_profiles.exportSlot(profile, target);
}

void myQQuickView::resetProfile(int profile)
{
    m_profiles.resetSlot(profile);
    // Resetting the profile in use rewrites the mouse whole: a user resets a
    // mouse that misbehaves, whatever this connection believes it holds.
    if (profile == m_profiles.currentSlot())
        if (Hid_Thread* hid = m_features.device())
            hid->forgetHeldBlocks();
}
void myQQuickView::copyProfile(int destprofile, int srcprofile) { m_profiles.copySlot(destprofile, srcprofile); }
void myQQuickView::setCurrentProfile(int profile) { m_profiles.setCurrentSlot(profile); }

// ---- language strings ----

QStringList myQQuickView::getLangStrings(QString typeStr, QString langCode)
{
    const LanguagePage page = m_languages.page(typeStr, langCode);
    if (typeStr == QLatin1String("other")) {
        adoptShellTexts(page);
        // The switcher's notice, in the language the scene reads its texts in.
        adoptProgramSwitchTexts(m_languages.page(QStringLiteral("programSwitch"), langCode));
    }
    return page.texts;
}

// ---- gun presets, XY sensitivity and gun selection ----

void myQQuickView::mouseSaveGundata(QVariant index, QVariantList src6) { m_guns.savePreset(index, src6); }
void myQQuickView::modifyGundata(QVariant modifyType, QVariantList src6) { m_guns.modifyPreset(modifyType, src6); }
QVariantList myQQuickView::getGunData(QVariant name) { return m_guns.preset(name); }
QStringList myQQuickView::getGunDataKey() { return m_guns.presetNames(); }
void myQQuickView::mouseSendGundata(int gunNo, QVariantList values) { m_features.sendGunPreset(gunNo, values); }
QVariant myQQuickView::getXYSensitive(QVariant index) { return m_guns.xySensitivity(index); }
void myQQuickView::setXYSensitive(QVariant index, QVariant xyData) { m_guns.setXYSensitivity(index, xyData); }
QVariant myQQuickView::getselectGun(QVariant index) { return m_guns.selectedGun(index); }
void myQQuickView::setSelectGun(QVariant index, QVariant xyData) { m_guns.setSelectedGun(index, xyData); }

// ---- system pointer settings ----

void myQQuickView::mouseSetCursorSpeed(uint cursorSpeed) { m_pointer.setSpeed(cursorSpeed); }
void myQQuickView::mouseSetVerticalScrollLines(uint lines) { m_pointer.setWheelLines(lines); }
void myQQuickView::mouseSetDoubleClickSpeed(uint speed) { m_pointer.setDoubleClickSpeed(speed); }
QVariantList myQQuickView::mousePointerCurrent()
{
    QVariantList values;
    for (int v : m_pointer.current())
        values << v;
    return values;
}
QStringList myQQuickView::mousePointerUnavailable(QString langCode)
{
    return m_pointer.unavailable(m_languages.page(QStringLiteral("pointerReasons"), langCode));
}

// ---- name index ----

QVariant myQQuickView::getMacroList_Att(int att) { return QVariant(names().macroList(att)); }
QVariant myQQuickView::getMacroSubList_Att(int att, QVariant name)
{
    return QVariant(names().macroSubList(m_macroSelection, att, name.toString()));
}
QVariant myQQuickView::updataNameList(QVariant type, QStringList nameList)
{
    return QVariant(names().storeNameList(type, nameList));
}
QVariantList myQQuickView::getNameList(QVariant type) { return names().nameList(type); }
QVariantMap myQQuickView::getMacroTree() { return names().macroTree(); }
void myQQuickView::updataMacroList_delOld(QVariant macroLevel) { names().removeMacroList(macroLevel.toString()); }

QVariant myQQuickView::updataMacroList(QVariant att, QVariant macroLevel, QVariant currentName, QStringList nameList,
                                       QStringList typeList, QStringList showImg, QStringList txtMargin,
                                       QStringList level, QStringList no0, QStringList no1, QStringList no2,
                                       QStringList no3, QStringList no4)
{
    const QStringList lists[10] = {nameList, typeList, showImg, txtMargin, level, no0, no1, no2, no3, no4};
    return QVariant(names().storeMacroList(m_macroSelection, att, macroLevel, currentName, lists));
}

QVariant myQQuickView::updataMacroLists(QVariantList writes)
{
    names().storeMacroLists(m_macroSelection, writes);
    return QVariant(names().lastWriteSucceeded());
}

// ---- button assignment ----

void myQQuickView::mouseResetKeyMatrix() { m_features.resetKeyMatrix(); }
void myQQuickView::mouseSwitchKeyMatrix(int indexNo) { m_features.switchKeyMatrix(indexNo); }

void myQQuickView::mouseSetKeyMatrix(QVariant mouseMode, QVariantList src64, QVariantList src64_2, bool isSendData,
                                     QVariantList otherParam)
{
    m_features.setKeyMatrix(mouseMode, src64, src64_2, isSendData, otherParam);
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant mouseMode, QVariant index, bool isRecovery)
{
    return m_features.keyDefinition(mouseMode, index, isRecovery);
}

// ---- DPI stages and lift-off ----

void myQQuickView::mouseSetCurrentDPI(uchar currentDPI) { m_features.setCurrentDpi(currentDPI); }
QVariant myQQuickView::mouseGetCurrentDPI() { return m_features.currentDpi(); }
void myQQuickView::mouseSetLodValue(uchar rate, uchar en) { m_features.setLod(rate, en); }

void myQQuickView::mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray,
                               QVariantList dpiEnableArray)
{
    m_features.setDpi(dpiCount, sensorType, dpiValueArray, dpiEnableArray);
}

// ---- lighting ----

void myQQuickView::mouseSetRGBEffect(uchar effect, uchar option1, uchar option2)
{
    m_features.setRgbEffect(effect, option1, option2);
}
void myQQuickView::mouseSetRGBColor(uchar type, QVariantList src24) { m_features.setRgbColor(type, src24); }
void myQQuickView::ui_10H_SetLED8StageColor(uchar type, QVariantList src24) { m_features.setStageColors(type, src24); }
QVariantList myQQuickView::ui_90H_GetLED8StageColor(uchar type) { return m_features.stageColors(type); }
bool myQQuickView::chkIsLogoLedWork() { return m_features.logoLedWorks(); }

void myQQuickView::mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction,
                                   QVariantList rgbArray)
{
    m_features.setLedType(effect, brightness, speed, direction, rgbArray);
}

// ---- report rate, options, on-device profiles ----

void myQQuickView::mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4)
{
    m_features.setKeyboardOption(byte1, byte2, byte3, byte4);
}

QVariantList myQQuickView::GetKeyboardoption() { return m_features.keyboardOption(); }
void myQQuickView::mouseSetReportRate(uchar rate) { m_features.setReportRate(rate); }
void myQQuickView::mouseSetProfile(uint profileNo) { m_features.sendProfile(profileNo); }
void myQQuickView::mouseReadProfile(uint profileNo) { m_features.readProfile(profileNo); }
QVariant myQQuickView::mouseReadCurrentProfile() { return m_features.currentProfile(); }

// ---- macro selection ----

void myQQuickView::setMacroSelectName(QVariant name1, QVariant name2, QVariant name3, QVariant name4, QVariant name5)
{
    m_macroSelection.setNames(
        {name1.toString(), name2.toString(), name3.toString(), name4.toString(), name5.toString()});
}

void myQQuickView::setMacroLevel(QVariant level) { m_macroSelection.setLevel(level.toString()); }

// ---- macro files ----

bool myQQuickView::isMacroNameAllowed(QVariant name) { return MacroPaths::isNewEntryName(name.toString()); }
QStringList myQQuickView::loadMacroIni(QVariant macroLevel, QVariant name)
{
    return m_macros.loadMacro(macroLevel, name);
}

QVariant myQQuickView::createMacroIni(QVariant name, QVariant macroIndex, QVariant macroLevel, QVariant macroType)
{
    return QVariant(m_macros.createEntry(name, macroIndex, macroLevel, macroType));
}

QVariant myQQuickView::saveMacroIni(QVariant macroLevel, QVariant name, QStringList macros, QVariant repeat)
{
    return QVariant(m_macros.saveMacro(macroLevel, name, macros, repeat));
}

QVariant myQQuickView::deleteMacroIni(QVariant macroLevel, QVariant macroType, QVariant name)
{
    return QVariant(m_macros.deleteEntry(macroLevel, macroType, name));
}

// ---- macro download ----

QVariant myQQuickView::mouseSendMacroData(QVariantList macroData, QVariant macroIndex)
{
    return QVariant(m_features.sendMacro(macroData, macroIndex));
}

// ---- macro import and export ----

QString myQQuickView::loadMacroFile(QVariant macroLevel, QVariant selectType)
{
    const QString chosen = UserDialogs::current().openFileName(this, QStringLiteral("Open File"),
                                                               m_exchange.startFolder(), MacroExchangeFilter);
    m_exchange.rememberFile(chosen);
    return m_macros.importFile(chosen, macroLevel, selectType);
}

void myQQuickView::saveMacroFile(QVariant macroLevel, QVariant macroName)
{
    const QString chosen = savedFileName(
        UserDialogs::current().saveFileName(this, QStringLiteral("Save File"),
                                            m_exchange.suggestedFile(macroName.toString(), MacroExtension),
                                            MacroExchangeFilter),
        MacroExtension);
    m_exchange.rememberFile(chosen);
    m_macros.exportFile(chosen, macroLevel, macroName);
}

QString myQQuickView::loadMacroFile_batch()
{
    const QString chosen =
        UserDialogs::current().existingDirectory(this, QStringLiteral("Open Directory"), m_exchange.startFolder());
    m_exchange.rememberFolder(chosen);
    return m_macros.beginBatchImport(chosen);
}

void myQQuickView::getbatchPath()
{
    const QString chosen =
        UserDialogs::current().existingDirectory(this, QStringLiteral("Save File"), m_exchange.startFolder());
    m_exchange.rememberFolder(chosen);
    m_macros.setExportRoot(chosen);
}

void myQQuickView::loadMacroFile_sub_batch() { m_macros.runBatchImport(); }
QStringList myQQuickView::getRefusedImportNames() { return m_macros.refusedImportNames(); }
QString myQQuickView::getUnreadableImportFolder() { return m_macros.unreadableImportFolder(); }

QStringList myQQuickView::getMacroFileName_batch(QVariant macroLevel, QVariant macroType)
{
    return m_macros.batchNames(macroLevel, macroType);
}

void myQQuickView::saveMacroFile_batch(QVariant macroLevel, QVariantList macroFileName, QVariantList macroFileType)
{
    m_macros.exportEntries(macroLevel, macroFileName, macroFileType);
}

void myQQuickView::searchMacroFile_sub_batch(QVariant currentName, QVariant currentLevel, QVariant deleteLevel)
{
    m_macros.scanFolder(currentName, currentLevel, deleteLevel);
}

// ---- macro rename and delete ----

QVariant myQQuickView::modifyMacroNameUpdateProfile(QVariant macroLevel, QVariant macroType, QVariant oldname,
                                                    QVariant newname)
{
    return QVariant(m_macros.renameEntry(macroLevel, macroType, oldname, newname));
}

void myQQuickView::deleteMacroUpdateProfile(QVariant macroName) { m_macros.unbindFromProfiles(macroName); }
