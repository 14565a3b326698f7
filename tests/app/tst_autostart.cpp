// The tray's "Start with the desktop" entry writes and removes the user's
// autostart desktop entry.
#include "app/autostart.h"
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

class TestAutostart : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(m_config.isValid());
        qputenv("XDG_CONFIG_HOME", m_config.path().toUtf8());
    }

    void enablingWritesAnEntryAndDisablingRemovesIt()
    {
        QCOMPARE(Autostart::entryPath(), m_config.path() + "/autostart/halcyon.desktop");
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(Autostart::setEnabled(true, "/opt/my apps/halcyon"));
        QVERIFY(Autostart::isEnabled());
        QFile entry(Autostart::entryPath());
        QVERIFY(entry.open(QIODevice::ReadOnly));
        const QByteArray text = entry.readAll();
        QVERIFY(text.startsWith("[Desktop Entry]\n"));
        // The login start goes to the tray; the entry is skipped once the
        // program is gone.
        QVERIFY(text.contains("\nExec=\"/opt/my apps/halcyon\" --tray\n"));
        QVERIFY(text.contains("\nTryExec=/opt/my apps/halcyon\n"));
        QVERIFY(text.contains("\nType=Application\n"));
        entry.close();
        if (!QStandardPaths::findExecutable("desktop-file-validate").isEmpty()) {
            QProcess validate;
            validate.setProcessChannelMode(QProcess::MergedChannels);
            validate.start("desktop-file-validate", {Autostart::entryPath()});
            QVERIFY(validate.waitForFinished(60000));
            QVERIFY2(validate.exitCode() == 0 && validate.readAll().trimmed().isEmpty(), "desktop-file-validate");
        }

        QVERIFY(Autostart::setEnabled(false, QString()));
        QVERIFY(!Autostart::isEnabled());
        QVERIFY(Autostart::setEnabled(false, QString()));  // already off: still fine
    }

private:
    QTemporaryDir m_config;
};

QTEST_GUILESS_MAIN(TestAutostart)
#include "tst_autostart.moc"
