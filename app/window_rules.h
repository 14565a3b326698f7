#pragma once
#include <QPoint>
#include <QSize>
#include <QUrl>
#include <optional>

// Window size for a primary screen of this size: screens wider than 1280
// get two thirds of each side (truncated), smaller ones the full screen.
QSize windowSizeForScreen(const QSize& screen);

// Scroll steps of a wheel event: (delta / 8) / 15, each division truncated;
// nothing for a horizontal wheel or tilt.
std::optional<int> wheelSteps(const QPoint& angleDelta);

// The scene's address. The documented form "qrc:modules/qml/main.qml" has
// no leading slash, which Qt 6 does not resolve; this is the same resource.
QUrl sceneUrl(const QString& documented = QStringLiteral("qrc:modules/qml/main.qml"));
