// Button assignment: stores the scene's two button lists in the current
// profile and downloads the chosen one, with the fire matrices of the gun
// function when the list holds a gun entry.
#include "app/myqquickview.h"
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

KeyMatrix myQQuickView::firmwareKeyTemplate()
{
    QList<QVariantList> entries;
    for (int i = 0; i < KeyMatrixEntries; ++i)
        entries.append(getDataList(FwMatrixPrefix + QString::number(i), false));
    return keyMatrixFromEntries(entries);
}

void myQQuickView::mouseSetKeyMatrix(QVariant mouseMode, QVariantList src64, QVariantList src64_2,
                                     bool isSendData, QVariantList otherParam)
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

    setData(ModeKey, mouseMode);
    for (int i = 0; i < KeyMatrixEntries; ++i) {
        setDataList(Matrix1Prefix + QString::number(i), entryValues(src64, i));
        setDataList(Matrix2Prefix + QString::number(i), entryValues(src64_2, i));
    }
    if (!isSendData || !hid)
        return;

    KeyMatrix d = device;
    if (!gun) {
        if (is560Family)
            hid->hid560_0DH_SetKeyMatrix(d.data(), 1);
        else
            hid->hid553_12H_SetKeyMatrix(d.data(), 1);
        return;
    }

    const std::array<uchar, 3> periods = {uchar(otherParam.at(0).toInt()), uchar(otherParam.at(1).toInt()),
                                          uchar(otherParam.at(2).toInt())};
    GunMatrices g = buildGunMatrices(device, firmwareKeyTemplate(), is560Family, periods);
    KeyMatrix* downloads[4] = {&g.device, &g.fire1, &g.fire2, &g.fire3};
    if (is560Family) {
        if (g.image0Byte2 >= 0)
            profileImages[0][2] = uchar(g.image0Byte2);
        hid->hid560_0CH_setProfile(profileImages[0], 0);
        for (uchar n = 1; n <= 4; ++n)
            hid->hid560_0DH_SetKeyMatrix(downloads[n - 1]->data(), n);
        hid->hid560_02H_SetCurrentProfile(1);
    } else {
        for (uchar n = 1; n <= 4; ++n)
            hid->hid553_12H_SetKeyMatrix(downloads[n - 1]->data(), n);
        hid->hid553_02H_SetCurrentKeyMatrix(1);
    }
}

QVariantList myQQuickView::mouseGetKeydefine(QVariant mouseMode, QVariant index, bool isRecovery)
{
    const QString& prefix = mouseMode.toInt() == 0 ? Matrix1Prefix : Matrix2Prefix;
    return getDataList(prefix + index.toString(), isRecovery);
}

void myQQuickView::mouseResetKeyMatrix()
{
    if (!hid)
        return;
    KeyMatrix fw = firmwareKeyTemplate();
    for (uchar n = FireMatrixFirst; n <= 4; ++n) {
        if (is560())
            hid->hid560_0DH_SetKeyMatrix(fw.data(), n);
        else
            hid->hid553_12H_SetKeyMatrix(fw.data(), n);
    }
}

void myQQuickView::mouseSwitchKeyMatrix(int indexNo)
{
    if (!hid)
        return;
    if (is560())
        hid->hid560_02H_SetCurrentProfile(uchar(indexNo));
    else
        hid->hid553_02H_SetCurrentKeyMatrix(uchar(indexNo - 1));
}
