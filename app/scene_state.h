#pragma once
#include <QList>
#include <QStringList>
#include <QVariantList>

class myQQuickView;

// Calls a function of the scene's root object at once and returns its result
// (the scene's objects and arrays as plain QVariant maps and lists); an
// invalid QVariant when there is no scene. At most two arguments.
QVariant callScene(myQQuickView* view, const char* name, const QVariantList& args = {});

// What the window shows of the profiles and DPI stages, as the scene's
// "ctlState" tells it.
struct SceneState {
    bool initialised = false;
    int profile = 0;  // slot 0..9
    QStringList names;  // the title bar's profiles, in its order
    QList<int> profileSlots;  // their slots
    int stageCount = 0;
    int currentStage = -1;  // 0-based, -1 when none
    QList<int> dpiValues;

    QString nameOf(int slot) const
    {
        const int i = profileSlots.indexOf(slot);
        return i >= 0 ? names.value(i) : QString();
    }
};
SceneState sceneState(myQQuickView* view);
