#pragma once
#include "app/exchange_files.h"
#include "features/device_features.h"
#include "macros/macro_library.h"
#include "settings/config_store.h"
#include "settings/gun_store.h"
#include "settings/language_strings.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "settings/pointer_settings.h"
#include "settings/profile_store.h"
#include <QQuickWidget>
#include <QStringList>
#include <QVariant>

class Hid_Thread;

// The backend view: hosts the QML scene and offers it, through the context
// property "ui_View", the slots below. The view owns the services that do
// the work; each slot forwards to one of them (app/view_slots.cpp), and the
// host slots that talk to the scene itself live in app/view_host.cpp.
class myQQuickView : public QQuickWidget {
    Q_OBJECT
public:
    explicit myQQuickView(QWidget* parent = nullptr);
    ~myQQuickView() override;

    // The device object held by Widget; set right after construction.
    void setDevice(Hid_Thread* device) { m_features.setDevice(device); }
    Hid_Thread* device() const { return m_features.device(); }

    ConfigStore& config() { return m_config; }
    ProfileStore& profiles() { return m_profiles; }
    DeviceFeatures& features() { return m_features; }

    // The global input capture's forwarding: "detectKeyboard"(isDown,
    // usbCode) and "detectMouse"(isDown, jeffCode, x, y), both queued.
    void forwardKeyboard(int usbCode, bool isDown);
    void forwardMouse(int jeffCode, bool isDown, int x, int y);

public slots:
    // ---- host (app/view_host.cpp) ----
    void clearHidBusy();
    void initUI();
    void runUI();
    void setBusy(int busyTime);
    void setCurrentDPI(int dpiValue);
    void openUpdateExe();
    // Milliseconds of a monotonic clock, for the pauses between recorded keys.
    QVariant monotonicMs();

    // ---- configuration store and profile values ----
    void resetApconfig();
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);
    // Writes what the slots above changed now and tells whether it reached
    // the disk (a failure is warned); the page stays unsaved otherwise.
    bool writePendingSettings();

    // ---- profile slots ----
    bool loadProfile(int profile);
    // Exports slot `profile`; the dialog suggests `profileName` as the file name.
    void saveProfile(int profile, QString profileName = QString());
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    void setCurrentProfile(int profile);

    // ---- program rules: the profile follows the program in front
    //      (app/program_rule_slots.cpp) ----
    // {"autoSwitch":bool, "notice":bool, "defaultProfile":N,
    //  "rules":[{"program":P, "match":"executable"|"class", "profile":N}],
    //  "unavailableReason":"..." (empty while the desktop tells)}
    QVariantMap programRules();
    // Adds a rule, or gives an existing rule for the same program and match
    // another profile. Returns "" when stored, otherwise why not:
    // "empty", "slash", "control", "long" (the program name), "count" (100
    // rules already), "profile" (not 1..10), "write" (the file could not be
    // written; warned). Whether the profile exists is the caller's check.
    QString addProgramRule(QString program, QString match, int profile);
    // False when there was no such rule (or the write failed).
    bool removeProgramRule(QString program, QString match);
    // Removes every rule that applies `profile`, and makes profile 1 the
    // default where `profile` was (the profile manager deletes it).
    // Returns how many rules went.
    int removeProgramRulesOf(int profile);
    bool setAutoProfile(bool on);
    bool setAutoProfileNotice(bool on);
    bool setDefaultProfile(int profile);
    // The programs with windows now: [{"executable", "class", "instance",
    // "title", "icon"}], each once.
    QVariantList programsWithWindows();
    // Why the window in front cannot be followed, in the language chosen in
    // the title bar (the language group "windowReasons"); empty while it can.
    QString windowReason() const;

    // ---- language strings ----
    QStringList getLangStrings(QString typeStr, QString langCode);

    // ---- gun presets, XY sensitivity and gun selection ----
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(int gunNo, QVariantList values);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);

    // ---- system pointer settings ----
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    // For pointer speed, double-click time and wheel lines: an empty text
    // when the desktop offers the setting, otherwise why it does not, in
    // language `langCode`.
    QStringList mousePointerUnavailable(QString langCode = QString());
    // The desktop's pointer-speed and double-click slider indexes and wheel
    // lines as it has them now; -1 where it cannot tell.
    QVariantList mousePointerCurrent();

    // ---- name index ----
    QVariant getMacroList_Att(int att);
    QVariant getMacroSubList_Att(int att, QVariant name);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariant updataMacroList(QVariant att, QVariant macroLevel, QVariant currentName, QStringList nameList,
                             QStringList typeList, QStringList showImg, QStringList txtMargin, QStringList level,
                             QStringList no0, QStringList no1, QStringList no2, QStringList no3, QStringList no4);
    void updataMacroList_delOld(QVariant macroLevel);
    QVariantList getNameList(QVariant type);
    // The whole macro tree in one call: for the top-level list (key "macro")
    // and for the children of every folder (key: its macro tree path), the
    // pair [names, types] as stored, sentinels included.
    QVariantMap getMacroTree();
    // Several level lists in one write, in order: each item is a map with
    // "chain" (the selected folder names), "att", "macroLevel", "currentName"
    // and "lists" (the ten lists), stored as updataMacroList stores one, or
    // a map with "remove" (a macro tree path), removed as
    // updataMacroList_delOld removes it.
    QVariant updataMacroLists(QVariantList writes);

    // ---- button assignment ----
    void mouseResetKeyMatrix();
    void mouseSetKeyMatrix(QVariant mouseMode, QVariantList src64, QVariantList src64_2, bool isSendData,
                           QVariantList otherParam);
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList mouseGetKeydefine(QVariant mouseMode, QVariant index, bool isRecovery);

    // ---- DPI stages and lift-off ----
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray, QVariantList dpiEnableArray);
    void mouseSetLodValue(uchar rate, uchar en);

    // ---- lighting ----
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction, QVariantList rgbArray);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    bool chkIsLogoLedWork();

    // ---- report rate, options, on-device profiles ----
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    QVariantList GetKeyboardoption();

    // ---- macro selection ----
    void setMacroSelectName(QVariant name1, QVariant name2, QVariant name3, QVariant name4, QVariant name5);
    void setMacroLevel(QVariant level);

    // ---- macro files ----
    QVariant createMacroIni(QVariant name, QVariant macroIndex, QVariant macroLevel, QVariant macroType);
    QVariant saveMacroIni(QVariant macroLevel, QVariant name, QStringList macros, QVariant repeat);
    QStringList loadMacroIni(QVariant macroLevel, QVariant name);
    QVariant deleteMacroIni(QVariant macroLevel, QVariant macroType, QVariant name);
    // The rule for names the editor gives new or renamed entries.
    bool isMacroNameAllowed(QVariant name);

    // ---- macro download ----
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);

    // ---- macro import and export ----
    QString loadMacroFile(QVariant macroLevel, QVariant selectType);
    void saveMacroFile(QVariant macroLevel, QVariant macroName);
    QString loadMacroFile_batch();
    void loadMacroFile_sub_batch();
    QStringList getMacroFileName_batch(QVariant macroLevel, QVariant macroType);
    void getbatchPath();
    void saveMacroFile_batch(QVariant macroLevel, QVariantList macroFileName, QVariantList macroFileType);
    void searchMacroFile_sub_batch(QVariant currentName, QVariant currentLevel, QVariant deleteLevel);
    // Files and folders the last import passed over because the name rule
    // refuses their names (file or folder names as found).
    QStringList getRefusedImportNames();
    // The folder the last batch import could not read; empty when it could.
    QString getUnreadableImportFolder();

    // ---- macro rename and delete ----
    QVariant modifyMacroNameUpdateProfile(QVariant macroLevel, QVariant macroType, QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);

signals:
    // The program rules changed (the dialog, halcyonctl, a deleted profile).
    void programRulesChanged();

protected:
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // Declared in the order they depend on each other; they close in reverse.
    ConfigStore m_config;
    ProfileStore m_profiles{m_config};
    ExchangeFiles m_exchange;
    GunStore m_guns{m_profiles};
    LanguageStrings m_languages;
    PointerSettings m_pointer;
    // The folders and level the scene selected for macro operations.
    MacroSelection m_macroSelection;
    MacroLibrary m_macros{m_profiles, NameIndex::instance(), m_macroSelection};
    DeviceFeatures m_features{m_config, m_profiles};
};
