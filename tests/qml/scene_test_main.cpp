// Runs the scene's Qt Quick tests (tst_*.qml in this folder) with a
// recording stand-in for the host's three objects.
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QtQuickTest>

class SceneTestSetup : public QObject {
    Q_OBJECT
public slots:
    void qmlEngineAvailable(QQmlEngine* engine)
    {
        QQmlComponent component(engine, QUrl::fromLocalFile(QStringLiteral(QUICK_TEST_SOURCE_DIR "/mocks/MockBackend.qml")));
        QObject* backend = component.create();
        if (!backend)
            qFatal("mock backend: %s", qPrintable(component.errorString()));
        backend->setParent(engine);
        QQmlContext* root = engine->rootContext();
        root->setContextProperty(QStringLiteral("mockBackend"), backend);
        root->setContextProperty(QStringLiteral("ui_View"), backend->property("view").value<QObject*>());
        root->setContextProperty(QStringLiteral("hid"), backend->property("hid").value<QObject*>());
        root->setContextProperty(QStringLiteral("ui_Ctl"), backend->property("ctl").value<QObject*>());
    }
};

QUICK_TEST_MAIN_WITH_SETUP(scene, SceneTestSetup)
#include "scene_test_main.moc"
