// How the macro library scales: the real program (Widget, its scene's macro
// editor, the real backend) on libraries of 10 to 10,000 macros, in folders
// five levels deep (ten macros per folder). For each size it prints the time
// and the peak resident memory of each operation, and the growth of the time
// per tenfold size:
//   import   batch import of the whole library from a directory of .mc files
//   load     the editor reads the tree from the name index, parsed anew
//   open all every folder opened in the tree view
//   rename   one macro at level 5 renamed
//   delete   one macro at level 5 deleted
//
//   bench_library_scale [--max N]
//
// Targets at 10,000 macros in 1,000 folders: load < 0.5 s, import < 10 s,
// rename and delete < 0.2 s, open all < 0.5 s, peak private memory < 120 MiB.
#include "app/myqquickview.h"
#include "app/user_dialogs.h"
#include "app/widget.h"
#include "settings/name_index.h"
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QQmlContext>
#include <QQmlEngine>
#include <QQmlExpression>
#include <QQuickItem>
#include <QTemporaryDir>
#include <cstdio>
#include <sys/time.h>
#include <utime.h>

namespace {
class AnswerDirectory : public UserDialogs {
public:
    QString directory;
    QString saveFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString openFileName(QWidget*, const QString&, const QString&, const QString&) override { return {}; }
    QString existingDirectory(QWidget*, const QString&, const QString&) override { return directory; }
    void warning(QWidget*, const QString&, const QString& text) override
    {
        std::printf("warning: %s\n", qPrintable(text));
    }
};

long statusKb(const char* field)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

// Resets the peak resident size, so that the next reading is the operation's.
void resetPeak()
{
    QFile f(QStringLiteral("/proc/self/clear_refs"));
    if (f.open(QIODevice::WriteOnly))
        f.write("5");
}

const char* const kMacro = "[config]\nindex=0\ntotal=3\nrepeat=1\ndid=-1\n\n[macro]\n0=\"1,A\"\n1=\"0,50\"\n2=\"2,A\"\n";

// A directory "Pack" of .mc files: chains of four nested folders below it
// (levels 1 to 4 once imported; Pack itself is level 0), ten macros in each
// folder. Returns the number of macros and folders.
QPair<int, int> makeSource(const QString& base, int macros)
{
    const int perFolder = 10;
    const int folders = qMax(1, macros / perFolder);
    const int chains = qMax(1, (folders - 1) / 4);
    int madeMacros = 0, madeFolders = 1;
    QDir().mkpath(base + QStringLiteral("/Pack"));
    auto fill = [&](const QString& dir, const QString& tag) {
        for (int m = 0; m < perFolder && madeMacros < macros; ++m, ++madeMacros) {
            QFile f(dir + QStringLiteral("/%1m%2.mc").arg(tag).arg(m));
            if (f.open(QIODevice::WriteOnly))
                f.write(kMacro);
        }
    };
    fill(base + QStringLiteral("/Pack"), QStringLiteral("p"));
    for (int c = 0; c < chains && madeMacros < macros; ++c) {
        QString dir = base + QStringLiteral("/Pack");
        for (int d = 1; d <= 4; ++d) {
            dir += QStringLiteral("/c%1d%2").arg(c).arg(d);
            QDir().mkpath(dir);
            ++madeFolders;
            fill(dir, QStringLiteral("c%1d%2").arg(c).arg(d));
        }
    }
    return {madeMacros, madeFolders};
}

QVariant eval(QObject* editor, const QString& code)
{
    QQmlExpression expr(qmlContext(editor), editor, code);
    QVariant v = expr.evaluate();
    if (expr.hasError())
        std::printf("script error: %s\n", qPrintable(expr.error().toString()));
    return v;
}

struct Figure {
    double ms = 0;
    double peakMiB = 0;
};

template <typename F>
Figure measure(F&& operation)
{
    resetPeak();
    QElapsedTimer t;
    t.start();
    operation();
    Figure f;
    f.ms = t.nsecsElapsed() / 1e6;
    f.peakMiB = statusKb("VmHWM:") / 1024.0;
    return f;
}
} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.addOption({"max", "largest library measured", "N", "10000"});
    parser.process(app);
    const int maxSize = parser.value("max").toInt();

    const QString shipped = QCoreApplication::applicationDirPath() + QStringLiteral("/../modules");
    AnswerDirectory dialogs;
    UserDialogs::install(&dialogs);
    const QStringList ops{"import", "load", "open all", "rename", "delete"};
    QMap<QString, QList<Figure>> results;
    QList<int> sizes;

    for (int size = 10; size <= maxSize; size *= 10) {
        QTemporaryDir work;
        QProcess::execute(QStringLiteral("cp"), {QStringLiteral("-r"), shipped, work.path()});
        QDir::setCurrent(work.path());
        const auto made = makeSource(work.path() + QStringLiteral("/source"), size);
        dialogs.directory = work.path() + QStringLiteral("/source/Pack");

        auto* widget = new Widget;
        widget->stopSystemHotplug();
        widget->checkDevice();  // no mouse: the scene still initialises
        for (int i = 0; i < 4; ++i)
            QCoreApplication::processEvents();
        QObject* editor = widget->view()->rootObject()->findChild<QObject*>(QStringLiteral("macroEditor"));
        if (!editor)
            return 1;
        eval(editor, QStringLiteral("loadTree()"));

        QList<Figure> row;
        row << measure([&] { QMetaObject::invokeMethod(editor, "batchImport"); });
        // Parsed anew: the file looks changed.
        row << measure([&] {
            const QByteArray path = QFile::encodeName(NameIndex::path());
            struct timeval times[2];
            gettimeofday(&times[0], nullptr);
            times[1] = times[0];
            times[1].tv_sec += 1;
            utimes(path.constData(), times);
            QMetaObject::invokeMethod(editor, "loadTree");
        });
        row << measure([&] {
            eval(editor, QStringLiteral(
                "(function() { function openAll(f) { f.children.forEach(function(c) {"
                " if (c.type === 1) { c.open = true; openAll(c) } }) } openAll(tree); rebuildRows(); return rows.length })()"));
        });
        // The deepest folder's first macro.
        const QString deepest = QStringLiteral(
            "(function() { var n = tree; while (n.children.some(function(c) { return c.type === 1 }))"
            " n = n.children.filter(function(c) { return c.type === 1 }).pop();"
            " return n.children.filter(function(c) { return c.type === 0 })[0] })()");
        row << measure([&] { eval(editor, QStringLiteral("renameEntry(%1, \"renamed\")").arg(deepest)); });
        row << measure([&] { eval(editor, QStringLiteral("deleteEntry(%1)").arg(deepest)); });
        const int rows = eval(editor, QStringLiteral("rows.length")).toInt();
        std::printf("%6d macros in %5d folders (%d rows shown):", made.first, made.second, rows);
        for (int i = 0; i < ops.size(); ++i) {
            std::printf(" | %s %.0f ms", qPrintable(ops[i]), row[i].ms);
            results[ops[i]] << row[i];
        }
        std::printf(" | peak RSS %.1f MiB\n", statusKb("VmHWM:") / 1024.0);
        std::fflush(stdout);
        sizes << size;
        delete widget;
        QDir::setCurrent(QDir::tempPath());
    }

    std::printf("\n%-9s", "operation");
    for (int s : sizes)
        std::printf(" %12d", s);
    std::printf("   growth per tenfold\n");
    for (const QString& op : ops) {
        std::printf("%-9s", qPrintable(op));
        const QList<Figure>& f = results[op];
        for (const Figure& x : f)
            std::printf(" %9.1f ms", x.ms);
        std::printf("  ");
        for (int i = 1; i < f.size(); ++i)
            std::printf(" x%.1f", f[i - 1].ms > 0 ? f[i].ms / f[i - 1].ms : 0.0);
        std::printf("\n");
        std::printf("%-9s", "  peak");
        for (const Figure& x : f)
            std::printf(" %8.1f MiB", x.peakMiB);
        std::printf("\n");
    }
    UserDialogs::install(nullptr);
    return 0;
}
