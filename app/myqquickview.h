#pragma once
#include <QQuickWidget>
#include <QSettings>
#include <QStringList>
#include <QVariant>
#include <array>
#include <memory>
#include <vector>

class Hid_Thread;

// The backend view: hosts the QML scene and carries the whole backend surface
// the scene calls through the context property "ui_View". Its slots are
// implemented across the subsystems, one file per concern (see each group).
class myQQuickView : public QQuickWidget {
    Q_OBJECT
public:
    explicit myQQuickView(QWidget* parent = nullptr);
    ~myQQuickView() override;

    // The device object held by Widget; set right after construction.
    Hid_Thread* hid = nullptr;

    // ---- settings state (settings/settings_state.cpp) ----
    QSettings* globalSettings() const { return m_global.get(); }
    QSettings* defaultProfile() const { return m_default.get(); }
    // The handle of profile slot k (0..9), or null outside that range.
    QSettings* profileSettings(int slot) const;
    // The handle of the current profile slot (null when the slot is invalid).
    QSettings* currentProfileSettings() const { return profileSettings(m_currentProfile); }
    int currentProfile() const { return m_currentProfile; }
    QString controllerFamily() const { return m_icType; }
    bool is560() const { return m_icType == QLatin1String("560"); }
    bool isGun() const { return m_isGun; }
    bool isColorful() const { return m_isColorful; }
    bool is55328() const { return m_is55328; }

    // ---- host (app/view_host.cpp): the global input capture's forwarding ----
    // "detectKeyboard"(isDown, usbCode) and "detectMouse"(isDown, jeffCode,
    // x, y), both queued.
    void forwardKeyboard(int usbCode, bool isDown);
    void forwardMouse(int jeffCode, bool isDown, int x, int y);

    // ---- on-device profile images of the 560 family (features/) ----
    static constexpr int DeviceProfileCount = 5;
    uchar profileImages[DeviceProfileCount][128] = {};

    // ---- device features helpers (features/) ----
    // Reads the on-device profile images at connection (560 family): images
    // 0 and 1, and 2 to 4 on gun-capable mice.
    void readDeviceProfileImages();

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

    // ---- configuration store (settings/config_store.cpp) ----
    void resetApconfig();
    QVariant getData(QVariant key, bool isRecovery);
    QVariant getGlobalData(QVariant key);
    QVariantList getDataList(QVariant key, bool isRecovery);
    void setData(QVariant key, QVariant data);
    void setGlobalData(QVariant key, QVariant tmpdata);
    void setDataList(QVariant key, QVariantList datalist);

    // ---- profiles (settings/profiles.cpp) ----
    bool loadProfile(int profile);
    void saveProfile(int profile);
    void resetProfile(int profile);
    void copyProfile(int destprofile, int srcprofile);
    void setCurrentProfile(int profile);

    // ---- language strings (settings/language_strings.cpp) ----
    QStringList getLangStrings(QString typeStr, QString langCode);

    // ---- gun data and XY sensitivity (settings/gun_data.cpp) ----
    void mouseSaveGundata(QVariant index, QVariantList src6);
    void mouseSendGundata(int gunNo, QVariantList values);
    void modifyGundata(QVariant modifyType, QVariantList src6);
    QVariantList getGunData(QVariant name);
    QStringList getGunDataKey();
    QVariant getXYSensitive(QVariant index);
    QVariant getselectGun(QVariant index);
    void setXYSensitive(QVariant index, QVariant xyData);
    void setSelectGun(QVariant index, QVariant xyData);

    // ---- system pointer settings (settings/pointer_settings.cpp) ----
    void mouseSetCursorSpeed(uint cursorSpeed);
    void mouseSetVerticalScrollLines(uint lines);
    void mouseSetDoubleClickSpeed(uint speed);
    // For pointer speed, double-click time and wheel lines: an empty text
    // when the desktop offers the setting, otherwise why it does not.
    QStringList mousePointerUnavailable();

    // ---- name index (settings/name_index.cpp) ----
    QVariant getMacroList_Att(int att);
    QVariant getMacroSubList_Att(int att, QVariant name);
    QVariant updataNameList(QVariant type, QStringList nameList);
    QVariant updataMacroList(QVariant att, QVariant macroLevel, QVariant currentName, QStringList nameList, QStringList typeList, QStringList showImg, QStringList txtMargin, QStringList level, QStringList no0, QStringList no1, QStringList no2, QStringList no3, QStringList no4);
    void updataMacroList_delOld(QVariant macroLevel);
    QVariantList getNameList(QVariant type);

    // ---- button assignment (features/button_assignment.cpp) ----
    void mouseResetKeyMatrix();
    void mouseSetKeyMatrix(QVariant mouseMode, QVariantList src64, QVariantList src64_2, bool isSendData, QVariantList otherParam);
    void mouseSwitchKeyMatrix(int indexNo);
    QVariantList mouseGetKeydefine(QVariant mouseMode, QVariant index, bool isRecovery);

    // ---- DPI stages and lift-off (features/dpi_stages.cpp) ----
    void mouseSetCurrentDPI(uchar currentDPI);
    QVariant mouseGetCurrentDPI();
    void mouseSetDpi(int dpiCount, QString sensorType, QVariantList dpiValueArray, QVariantList dpiEnableArray);
    void mouseSetLodValue(uchar rate, uchar en);

    // ---- lighting (features/lighting.cpp) ----
    void mouseSetRGBEffect(uchar effect, uchar option1, uchar option2);
    void mouseSetRGBColor(uchar type, QVariantList src24);
    void mouseSetLedType(uchar effect, uchar brightness, uchar speed, uchar direction, QVariantList rgbArray);
    void ui_10H_SetLED8StageColor(uchar type, QVariantList src24);
    QVariantList ui_90H_GetLED8StageColor(uchar type);
    bool chkIsLogoLedWork();

    // ---- report rate, options, on-device profiles (features/device_profiles.cpp) ----
    void mouseSetKeyboardoption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    void mouseSetReportRate(uchar rate);
    void mouseSetProfile(uint profileNo);
    void mouseReadProfile(uint profileNo);
    QVariant mouseReadCurrentProfile();
    QVariantList GetKeyboardoption();

    // ---- macro selection state (settings/macro_selection.cpp) ----
    void setMacroSelectName(QVariant name1, QVariant name2, QVariant name3, QVariant name4, QVariant name5);
    void setMacroLevel(QVariant level);

    // ---- macro files (macros/macro_files.cpp) ----
    QVariant createMacroIni(QVariant name, QVariant macroIndex, QVariant macroLevel, QVariant macroType);
    QVariant saveMacroIni(QVariant macroLevel, QVariant name, QStringList macros, QVariant repeat);
    QStringList loadMacroIni(QVariant macroLevel, QVariant name);
    QVariant deleteMacroIni(QVariant macroLevel, QVariant macroType, QVariant name);
    // The library's name rule, for the editor to check names before use.
    bool isMacroNameAllowed(QVariant name);

    // ---- macro download (macros/macro_download.cpp) ----
    QVariant mouseSendMacroData(QVariantList macroData, QVariant macroIndex);

    // ---- macro import and export (macros/macro_exchange.cpp) ----
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

    // ---- macro rename and delete propagation (macros/macro_propagation.cpp) ----
    QVariant modifyMacroNameUpdateProfile(QVariant macroLevel, QVariant macroType, QVariant oldname, QVariant newname);
    void deleteMacroUpdateProfile(QVariant macroName);

protected:
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    // Opens the long-lived settings handles and caches the device traits.
    void openSettingsState();

    // ---- device features (features/) ----
    // The firmware key template "mouseFwKeyMatrix/0..15" of the current profile.
    std::array<uchar, 64> firmwareKeyTemplate();
    // Sends on-device profile image 1, and 2 to 4 when the mouse has the gun.
    void sendDeviceProfileImages();

    std::unique_ptr<QSettings> m_global;
    std::unique_ptr<QSettings> m_default;
    std::vector<std::unique_ptr<QSettings>> m_profiles;
    int m_currentProfile = 0;
    bool m_isColorful = false;
    bool m_isGun = false;
    bool m_is55328 = false;
    QString m_icType;
};
