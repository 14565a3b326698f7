#pragma once
#include <QHash>
#include <QJSEngine>
#include <QJSValue>
#include <QString>

// Loads the scene's JavaScript libraries (".pragma library" files with
// ".import" lines) into a QJSEngine, so that C++ and the tools run the very
// code the scene runs. A library becomes one namespace object whose
// properties are its top-level functions and variables; its imports are
// loaded first and passed in under their qualifiers.
class ScriptLibraries {
public:
    explicit ScriptLibraries(QJSEngine* engine) : m_engine(engine) {}

    // The namespace of the library at `path` (a resource path such as
    // ":/modules/qml/common/macrocodec.js"); loaded once per path. An
    // undefined value when the file cannot be read or run (see errorString).
    QJSValue load(const QString& path);
    QString errorString() const { return m_error; }

private:
    QJSEngine* m_engine;
    QHash<QString, QJSValue> m_loaded;
    QString m_error;
};

// Resource paths of the scene's shared libraries.
namespace SceneLibraries {
inline QString keyCodes() { return QStringLiteral(":/modules/qml/common/keycodes.js"); }
inline QString macroCodec() { return QStringLiteral(":/modules/qml/common/macrocodec.js"); }
}
