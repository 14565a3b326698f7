// The scene is compiled in: the view can load it from the resources.
#include <QFile>
#include <QtTest>

class TestSceneResources : public QObject {
    Q_OBJECT
private slots:
    void mainSceneIsCompiledIn()
    {
        QVERIFY(QFile::exists(QStringLiteral(":/modules/qml/main.qml")));
    }
};

QTEST_GUILESS_MAIN(TestSceneResources)
#include "tst_scene_resources.moc"
