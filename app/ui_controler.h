#pragma once
#include <QObject>
#include <QPointer>
#include <QUrl>
#include <QWidget>

class myQQuickView;

// Turns the main window into the frameless, translucent host of the QML
// view and carries the window operations the scene calls as "ui_Ctl".
class Ui_Controler : public QObject {
    Q_OBJECT
public:
    explicit Ui_Controler(QObject* parent = nullptr);

    // Builds the window and the view, loads the scene, exposes the objects.
    // `device` is published to the scene as "hid".
    void setupUi(QWidget* window, QObject* device);

    myQQuickView* view() const { return m_view; }

    // Loads this scene instead of the compiled-in one (halcyon-sim pins a
    // scene of its own for traces); an empty URL restores the default.
    static void setSceneOverride(const QUrl& url);
    bool isMaximized() const { return m_isMaximized; }

public slots:
    void onMinimize();
    void onMaxRestore();
    void onHide();
    void onClose();
    void onXChanged(int x);
    void onYChanged(int y);
    void setBusy(int busyTime);
    void setBusy();
    void test(int x, int y);

private:
    // The primary screen's size.
    static QSize screenSize();

    // Window dragging: the compositor moves the window where it can (the
    // only way under Wayland); elsewhere the offsets move it.
    void dragBy(int dx, int dy);
    bool eventFilter(QObject* watched, QEvent* event) override;

    QPointer<QWidget> m_window;
    bool m_systemMove = false;  // the compositor moves the window until the next press or release
    myQQuickView* m_view = nullptr;
    bool m_isMaximized = false;
};
