#pragma once
#include "features/key_conversion.h"
#include <QVariant>
#include <array>

class ConfigStore;
class Hid_Thread;
class ProfileStore;

// What the program sets on the mouse: button functions, DPI stages and
// lift-off, lighting, report rate and option bytes, gun presets, macro
// blocks, and the 560 family's on-device profile images, which it keeps in
// memory between changes. Each request goes to the device object in the
// command form of the mouse's family; without a device object it does
// nothing (what the profile stores is still stored).
class DeviceFeatures {
public:
    static constexpr int ProfileImageCount = 5;
    static constexpr int ProfileImageSize = 128;
    using ProfileImage = std::array<uchar, ProfileImageSize>;

    DeviceFeatures(const ConfigStore& config, ProfileStore& profiles);

    void setDevice(Hid_Thread* device) { m_hid = device; }
    Hid_Thread* device() const { return m_hid; }

    // The host copy of on-device profile image n (0..4).
    ProfileImage& profileImage(int n) { return m_images.at(size_t(n)); }
    // Reads the images at connection (560 family): 0 and 1, and 2 to 4 on
    // gun-capable mice. A failed read keeps the host copy.
    void readProfileImages();

    // ---- buttons (button_assignment.cpp) ----
    void resetKeyMatrix();
    // Stores both button lists and the mode in the current profile and, when
    // asked, downloads the chosen list (with fire matrices for a gun entry).
    void setKeyMatrix(const QVariant& mode, const QVariantList& list1, const QVariantList& list2, bool send,
                      const QVariantList& gunPeriods);
    void switchKeyMatrix(int index);
    QVariantList keyDefinition(const QVariant& mode, const QVariant& index, bool fromFactory) const;

    // ---- DPI stages and lift-off (dpi_stages.cpp) ----
    void setCurrentDpi(uchar stage);
    QVariant currentDpi();
    void setDpi(int stageCount, const QString& sensor, const QVariantList& values, const QVariantList& enabled);
    void setLod(uchar rate, uchar enable);

    // ---- lighting (lighting.cpp) ----
    void setRgbEffect(uchar effect, uchar option1, uchar option2);
    void setRgbColor(uchar type, const QVariantList& colors24);
    void setLedType(uchar effect, uchar brightness, uchar speed, uchar direction, const QVariantList& rgb);
    // Stores the stage colour table `type` in the profile and sends it.
    void setStageColors(uchar type, const QVariantList& colors24);
    QVariantList stageColors(uchar type) const;
    bool logoLedWorks();

    // ---- report rate, options, on-device profiles (device_profiles.cpp) ----
    void setKeyboardOption(uchar byte1, uchar byte2, uchar byte3, uchar byte4);
    QVariantList keyboardOption();
    void setReportRate(uchar rate);
    void sendProfile(uint n);
    void readProfile(uint n);
    QVariant currentProfile();

    // ---- gun presets (gun_presets.cpp) and macros (macro_download.cpp) ----
    // Sends times, X and Y to gun slot gunNo (1..3) of a gun-capable mouse.
    void sendGunPreset(int gunNo, const QVariantList& values);
    // Downloads an encoded macro block into macro slot `index` (0..11).
    // False for a block larger than a slot.
    bool sendMacro(const QVariantList& block, const QVariant& index);

private:
    bool is560() const;
    // The firmware key template "mouseFwKeyMatrix/0..15" of the current profile.
    KeyMatrix firmwareKeyTemplate() const;
    // Sends image 1, and 2 to 4 when the mouse has the gun.
    void sendProfileImages();

    const ConfigStore& m_config;
    ProfileStore& m_profiles;
    Hid_Thread* m_hid = nullptr;
    std::array<ProfileImage, ProfileImageCount> m_images = {};
};
