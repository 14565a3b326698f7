// Draws the scene with the mock backend and saves a screenshot, for looking
// at the design: scene_preview [--size W H] [--lang NAME] [--tab N]
// [--dialog OBJECTNAME] [--dirty] [--logo] [--click OBJECTNAME] [--hover OBJECTNAME]
// [--i18n DIR (texts of the language from DIR/NAME.ini)] [--eval JS (run in the root's scope before the grab)]
// --out FILE.png
#include <QCommandLineParser>
#include <QGuiApplication>
#include <QJSValue>
#include <QQmlComponent>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QtQml/qqml.h>
#include <QSettings>
#include <QQuickItem>
#include <QQuickView>
#include <QTest>
#include <QTimer>

static void addChineseTexts(QObject* backend, QQmlEngine* engine)
{
    // A few texts of the frame, enough to judge the CJK font in place.
    QJSValue keyMatrix = engine->toScriptValue(QStringList{
        "配置", "确定", "保存", "重置", "办公模式", "游戏模式", "官方网站：", "重置",
        "此配置的所有设置将恢复为出厂值。是否继续？", "取消", "确定", "按键", "功能", "恢复",
        "枪械设置", "配置文件", "加载中", "鼠标宏", "背光", "设置"});
    QJSValue lang = engine->newObject();
    QJSValue file = engine->newObject();
    file.setProperty("keyMatrix", keyMatrix);
    lang.setProperty("ChineseSimplified", file);
    backend->setProperty("languages", lang.toVariant());
}

int main(int argc, char** argv)
{
    QGuiApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"size", "window size", "W"});
    parser.addOption({"lang", "language name", "NAME", "English"});
    parser.addOption({"tab", "tab to show", "N", "0"});
    parser.addOption({"dialog", "dialog to open", "OBJECTNAME"});
    parser.addOption({"hover", "item to hover", "OBJECTNAME"});
    parser.addOption({"click", "item to click first", "OBJECTNAME"});
    parser.addOption({"dirty", "mark the button page unsaved"});
    parser.addOption({"logo", "grab the start-up logo"});
    parser.addOption({"out", "PNG file", "FILE", "scene.png"});
    parser.addOption({"i18n", "folder of the language files", "DIR"});
    parser.addOption({"eval", "JavaScript run in the root's scope", "JS"});
    parser.process(app);
    QStringList size = parser.value("size").split('x');
    int w = size.value(0).toInt() > 0 ? size.value(0).toInt() : 1280;
    int h = size.value(1).toInt() > 0 ? size.value(1).toInt() : 720;

    QQuickView view;
    QQmlEngine* engine = view.engine();
    QQmlComponent mocks(engine, QUrl::fromLocalFile(QStringLiteral(SCENE_TEST_DIR "/mocks/MockBackend.qml")));
    QObject* backend = mocks.create();
    if (!backend)
        qFatal("%s", qPrintable(mocks.errorString()));
    QVariantMap globals = backend->property("globals").toMap();
    globals["common/language"] = parser.value("lang");
    backend->setProperty("globals", globals);
    addChineseTexts(backend, engine);
    view.rootContext()->setContextProperty("ui_View", backend->property("view").value<QObject*>());
    view.rootContext()->setContextProperty("hid", backend->property("hid").value<QObject*>());
    view.rootContext()->setContextProperty("ui_Ctl", backend->property("ctl").value<QObject*>());
    view.setColor(Qt::transparent);
    view.setSource(QUrl("qrc:/modules/qml/main.qml"));
    QQuickItem* root = view.rootObject();
    if (!root)
        return 1;
    // The macro editor is made on demand; its texts are wanted too.
    QMetaObject::invokeMethod(root, "macroEditorItem");
    // English texts: the components' own defaults, as the English file carries them.
    const char* groups[][3] = {
        {"keyMatrix", "keyMatrixPage", "keyMatrixLang"}, {"dpiSetting", "dpiPage", "dpiSettingLang"},
        {"lightControl", "lightPage", "lightControlLang"}, {"macroEditor", "macroEditor", "macroEditorLang"},
        {"systemSetting", "systemPage", "systemSettingLang"}, {"gunControl", "gunEditor", "gunControlLang"},
        {"profile", "profileManager", "profileLang"}, {"keyAssigment", "keyAssigmentDialog", "keyAssigmentLang"},
        {"warningAssigment", "warningDialog", "warningAssigmentLang"}, {"keyCode", "keyCodeString", "keyCodeLang"}};
    QVariantMap languages = backend->property("languages").toMap();
    QVariantMap english;
    for (auto& g : groups) {
        if (QObject* o = root->findChild<QObject*>(g[1]))
            english[g[0]] = o->property(g[2]);
    }
    languages["English"] = english;
    if (parser.isSet("i18n")) {
        // Every group of the language's file, as the program would read it.
        QSettings file(parser.value("i18n") + "/" + parser.value("lang") + ".ini", QSettings::IniFormat);
        QVariantMap texts;
        for (const QString& group : file.childGroups()) {
            QStringList list;
            for (int i = 0; i < file.value(group + "/total").toInt(); ++i)
                list << file.value(group + "/" + QString::number(i)).toString();
            texts[group] = list;
        }
        languages[parser.value("lang")] = texts;
    }
    backend->setProperty("languages", languages);
    QMetaObject::invokeMethod(root, "setScreenRect", Q_ARG(QVariant, w), Q_ARG(QVariant, h), Q_ARG(QVariant, false));
    view.resize(w, h);
    view.show();
    QMetaObject::invokeMethod(root, "initUI");
    if (!parser.isSet("logo")) {
        QTest::qWaitFor([&] { return root->property("isUiShown").toBool(); }, 3000);
        QMetaObject::invokeMethod(root, "selectTab", Q_ARG(QVariant, parser.value("tab").toInt()));
        if (parser.isSet("dirty"))
            root->findChild<QObject*>("keyMatrixPage")->setProperty("isSave", true);
        if (parser.isSet("dialog"))
            QMetaObject::invokeMethod(root, "showDialog", Q_ARG(QVariant, QVariant::fromValue(root->findChild<QObject*>(parser.value("dialog")))));
        if (parser.isSet("click")) {
            auto* item = root->findChild<QQuickItem*>(parser.value("click"));
            if (item)
                QTest::mouseClick(&view, Qt::LeftButton, {}, item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
            QTest::qWait(100);
        }
        if (parser.isSet("eval")) {
            QQmlExpression expression(qmlContext(root), root, parser.value("eval"));
            expression.evaluate();
            if (expression.hasError())
                qWarning("%s", qPrintable(expression.error().toString()));
            QTest::qWait(100);
        }
        if (parser.isSet("hover")) {
            auto* item = root->findChild<QQuickItem*>(parser.value("hover"));
            if (item)
                QTest::mouseMove(&view, item->mapToScene(QPointF(item->width() / 2, item->height() / 2)).toPoint());
        }
    }
    QTest::qWait(300);
    QImage shot = view.grabWindow();
    return shot.save(parser.value("out")) ? 0 : 2;
}
