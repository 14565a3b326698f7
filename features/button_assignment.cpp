// Button assignment: stores the scene's two button lists in the current
// profile and downloads the chosen one, with the fire matrices of the gun
// function when the list holds a gun entry.
#include "features/device_features.h"
#include "settings/config_store.h"
#include "settings/profile_store.h"
#include "device/hid_thread.h"
#include "features/key_conversion.h"
#include <QDebug>

namespace {

const QString ModeKey = QStringLiteral("mouse/mouseMode");
const QString Matrix1Prefix = QStringLiteral("mouseKeyMatrix/");
const QString Matrix2Prefix = QStringLiteral("mouseKeyMatrix2/");
const QString FwMatrixPrefix = QStringLiteral("mouseFwKeyMatrix/");
constexpr uchar FireMatrixFirst = 2;

QVariantList entryValues(const QVariantList& flat, int i)
{
    return flat.mid(4 * i, 4);
}

} // namespace

KeyMatrix DeviceFeatures::firmwareKeyTemplate() const
{
    QList<QVariantList> entries;
    for (int i = 0; i < KeyMatrixEntries; ++i)
        entries.append(m_profiles.list(FwMatrixPrefix + QString::number(i), false));
    return keyMatrixFromEntries(entries);
}

void DeviceFeatures::setKeyMatrix(const QVariant& mouseMode, const QVariantList& src64, const QVariantList& src64_2,
                                  bool isSendData, const QVariantList& otherParam)
{
    if (src64.size() < KeyMatrixUiValues || src64_2.size() < KeyMatrixUiValues) {
        qDebug() << "mouseSetKeyMatrix refused: a button list has" << qMin(src64.size(), src64_2.size())
                 << "values instead of" << KeyMatrixUiValues;
        return;
    }
    const bool is560Family = is560();
    const QVariantList& chosen = mouseMode.toUInt() == 0 ? src64 : src64_2;
    const KeyMatrix device = toDeviceKeyMatrix(chosen, is560Family);
    const bool gun = hasGunEntry(device);
    if (isSendData && gun && otherParam.size() < 3) {
        qDebug() << "mouseSetKeyMatrix refused: the gun entries need 3 periods, got" << otherParam.size();
        return;
    }

    m_profiles.setValue(ModeKey, mouseMode);
    for (int i = 0; i < KeyMatrixEntries; ++i) {
        m_profiles.setValue(Matrix1Prefix + QString::number(i), QVariant(entryValues(src64, i)));
        m_profiles.setValue(Matrix2Prefix + QString::number(i), QVariant(entryValues(src64_2, i)));
    }
    if (!isSendData || !m_hid)
        return;

    KeyMatrix d = device;
    if (!gun) {
        if (is560Family)
            m_hid->hid560_0DH_SetKeyMatrix(d.data(), 1);
        else
            m_hid->hid553_12H_SetKeyMatrix(d.data(), 1);
        return;
    }

    const std::array<uchar, 3> periods = {uchar(otherParam.at(0).toInt()), uchar(otherParam.at(1).toInt()),
                                          uchar(otherParam.at(2).toInt())};
    GunMatrices g = buildGunMatrices(device, firmwareKeyTemplate(), is560Family, periods);
    KeyMatrix* downloads[4] = {&g.device, &g.fire1, &g.fire2, &g.fire3};
    if (is560Family) {
        if (g.image0Byte2 >= 0)
            m_images[0][2] = uchar(g.image0Byte2);
        m_hid->hid560_0CH_setProfile(m_images[0].data(), 0);
        for (uchar n = 1; n <= 4; ++n)
            m_hid->hid560_0DH_SetKeyMatrix(downloads[n - 1]->data(), n);
        m_hid->hid560_02H_SetCurrentProfile(1);
    } else {
        for (uchar n = 1; n <= 4; ++n)
            m_hid->hid553_12H_SetKeyMatrix(downloads[n - 1]->data(), n);
        m_hid->hid553_02H_SetCurrentKeyMatrix(1);
    }
}

QVariantList DeviceFeatures::keyDefinition(const QVariant& mouseMode, const QVariant& index, bool isRecovery) const
{
    const QString& prefix = mouseMode.toInt() == 0 ? Matrix1Prefix : Matrix2Prefix;
    return m_profiles.list(prefix + index.toString(), isRecovery);
}

void DeviceFeatures::resetKeyMatrix()
{
    if (!m_hid)
        return;
    KeyMatrix fw = firmwareKeyTemplate();
    for (uchar n = FireMatrixFirst; n <= 4; ++n) {
        if (is560())
            m_hid->hid560_0DH_SetKeyMatrix(fw.data(), n);
        else
            m_hid->hid553_12H_SetKeyMatrix(fw.data(), n);
    }
}

void DeviceFeatures::switchKeyMatrix(int indexNo)
{
    if (!m_hid)
        return;
    if (is560())
        m_hid->hid560_02H_SetCurrentProfile(uchar(indexNo));
    else
        m_hid->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}
