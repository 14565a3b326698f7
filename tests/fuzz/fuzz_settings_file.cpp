// A settings file through the settings class: whatever a damaged file holds,
// changing one key and writing back keeps every other key as it was read.
#include "settings/ini_format.h"
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
QTemporaryDir* g_dir = nullptr;
void quiet(QtMsgType, const QMessageLogContext&, const QString&) {}
} // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv)
{
    qInstallMessageHandler(quiet);
    static QCoreApplication app(*argc, *argv);
    g_dir = new QTemporaryDir;
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // A new name each time: the settings class caches files by name and
    // modification time, which two inputs written within one tick share.
    static quint64 serial = 0;
    const QString path = g_dir->path() + QStringLiteral("/f%1.bin").arg(++serial);
    {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate))
            abort();
        f.write(reinterpret_cast<const char*>(data), qint64(size));
    }
    QMap<QString, QByteArray> before;
    {
        auto s = openIni(path);
        for (const QString& key : s->allKeys())
            before.insert(key, IniText::escapeValue(s->value(key)));
        s->setValue(QStringLiteral("fuzz/marker"), QStringLiteral("1,2"));
        s->sync();
    }
    auto s = openIni(path);
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
        if (it.key() == QLatin1String("fuzz/marker"))
            continue;
        if (IniText::escapeValue(s->value(it.key())) != it.value()) {
            fprintf(stderr, "key %s changed after an unrelated write\n", qPrintable(it.key()));
            abort();
        }
    }
    if (s->value(QStringLiteral("fuzz/marker")).toString() != QStringLiteral("1,2"))
        abort();
    s.reset();
    QFile::remove(path);
    return 0;
}
