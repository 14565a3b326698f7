#pragma once
// What every fuzz target shares: the application object (offscreen, or a
// core one for targets without a widget), a working directory holding a copy
// of the shipped data tree, the backend view on a virtual mouse in virtual
// time or the macro library without a view, and a reader that turns the
// fuzzer's bytes into numbers, texts and lists.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "device/clock.h"
#include "device/hid_thread.h"
#include "device/virtual_mouse.h"
#include "macros/macro_library.h"
#include "settings/config_store.h"
#include "settings/macro_selection.h"
#include "settings/name_index.h"
#include "settings/profile_store.h"
#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>

namespace FuzzEnv {

// Answers every file dialog with the path set last; warnings are dropped.
class Dialogs : public UserDialogs {
public:
    QString answer;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return answer; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return answer; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return answer; }
    void warning(QWidget*, const QString&, const QString&) override {}
};

inline Dialogs& dialogs()
{
    static Dialogs d;
    return d;
}

inline QTemporaryDir& workDir()
{
    static QTemporaryDir dir;
    return dir;
}

inline void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}

inline void copyShippedData()
{
    const QString shipped = QStringLiteral(HALCYON_SOURCE_DIR "/data/modules");
    QDirIterator it(shipped, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString from = it.next();
        const QString to = workDir().path() + QStringLiteral("/modules/") + QDir(shipped).relativeFilePath(from);
        QDir().mkpath(QFileInfo(to).path());
        QFile::remove(to);
        QFile::copy(from, to);
        QFile::setPermissions(to, QFile::ReadOwner | QFile::WriteOwner);
    }
}

// Whether a target drives widgets (the view) or only services.
enum class Application { Widgets, Core };

// Once per process, from LLVMFuzzerInitialize.
inline void init(int* argc, char*** argv, Application kind = Application::Widgets)
{
    qInstallMessageHandler(quiet);
    if (kind == Application::Widgets) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        static QApplication app(*argc, *argv);
    } else {
        static QCoreApplication app(*argc, *argv);
    }
    copyShippedData();
    QDir::setCurrent(workDir().path());
    UserDialogs::install(&dialogs());
}

inline void writeFile(const QString& relative, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(relative).path());
    QFile f(relative);
    if (f.open(QIODevice::WriteOnly | QIODevice::Truncate))
        f.write(bytes);
}

// The backend as the scene sees it, plugged into a virtual mouse of the
// family the global configuration names at construction.
struct Backend {
    VirtualClock clock;
    VirtualMouse mouse;
    Hid_Thread hid;
    myQQuickView view;
    explicit Backend(VirtualFirmware::Family family) : mouse(family)
    {
        hid.setClock(&clock);
        mouse.attach(hid);
        view.setDevice(&hid);
    }
};

// The macro library as the program builds it, on the stores of the working
// directory, without a view.
struct Library {
    ConfigStore config;
    ProfileStore profiles{config};
    MacroSelection selection;
    MacroLibrary macros{profiles, NameIndex::instance(), selection};
};

} // namespace FuzzEnv

// Consumes the fuzzer's bytes front to back; past the end everything is 0.
class FuzzReader {
public:
    FuzzReader(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}

    bool atEnd() const { return m_pos >= m_size; }
    int byte() { return m_pos < m_size ? m_data[m_pos++] : 0; }
    // 0..max
    int number(int max) { return max <= 0 ? 0 : int(word() % uint32_t(max + 1)); }
    int signedNumber() { return int(word()); }
    uint32_t word()
    {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i)
            v = (v << 8) | uint32_t(byte());
        return v;
    }
    QByteArray bytes(int maxLength)
    {
        const int n = qMin(number(maxLength), int(m_size - qMin(m_pos, m_size)));
        QByteArray out(reinterpret_cast<const char*>(m_data + m_pos), n);
        m_pos += size_t(n);
        return out;
    }
    QString text(int maxLength) { return QString::fromUtf8(bytes(maxLength)); }
    QByteArray rest()
    {
        QByteArray out(reinterpret_cast<const char*>(m_data + qMin(m_pos, m_size)), int(m_size - qMin(m_pos, m_size)));
        m_pos = m_size;
        return out;
    }
    // A value of the kinds the scene passes: numbers, texts, booleans,
    // nested lists now and then.
    QVariant value(int depth = 0)
    {
        switch (byte() % 6) {
        case 0: return signedNumber();
        case 1: return number(255);
        case 2: return text(16);
        case 3: return bool(byte() & 1);
        case 4: return depth < 2 ? QVariant(list(8, depth + 1)) : QVariant();
        default: return QVariant();
        }
    }
    QVariantList list(int maxItems, int depth = 0)
    {
        QVariantList out;
        const int n = number(maxItems);
        for (int i = 0; i < n && !atEnd(); ++i)
            out << value(depth);
        return out;
    }
    QStringList strings(int maxItems, int maxLength)
    {
        QStringList out;
        const int n = number(maxItems);
        for (int i = 0; i < n && !atEnd(); ++i)
            out << text(maxLength);
        return out;
    }

private:
    const uint8_t* m_data;
    size_t m_size;
    size_t m_pos = 0;
};

// Every target starts the same way: the application object and the working
// directory with the shipped data tree, once per process.
#define HALCYON_FUZZ_INITIALIZE                                        \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)       \
    {                                                                  \
        FuzzEnv::init(argc, argv);                                     \
        return 0;                                                      \
    }
// The same for targets that call services only: no widgets, no display.
#define HALCYON_FUZZ_INITIALIZE_SERVICES                               \
    extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)       \
    {                                                                  \
        FuzzEnv::init(argc, argv, FuzzEnv::Application::Core);         \
        return 0;                                                      \
    }
