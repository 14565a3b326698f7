#include "macros/script_library.h"
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStringList>

QJSValue ScriptLibraries::load(const QString& path)
{
    const QString key = QFileInfo(path).absoluteFilePath();
    const auto found = m_loaded.constFind(key);
    if (found != m_loaded.constEnd())
        return *found;

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        m_error = QStringLiteral("cannot read %1").arg(path);
        return QJSValue();
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));

    // Directives become blank lines, so that line numbers in errors match.
    static const QRegularExpression importLine(
        QStringLiteral("^\\s*\\.import\\s+\"([^\"]+)\"\\s+as\\s+([A-Za-z_$][\\w$]*)\\s*;?\\s*$"));
    static const QRegularExpression declaration(
        QStringLiteral("^(?:var|let|const|function)\\s+([A-Za-z_$][\\w$]*)"));
    QStringList qualifiers;
    QJSValueList imports;
    QStringList names;
    for (QString& line : lines) {
        if (line.trimmed().startsWith(QLatin1String(".pragma"))) {
            line.clear();
            continue;
        }
        const QRegularExpressionMatch imp = importLine.match(line);
        if (imp.hasMatch()) {
            const QString target = QFileInfo(path).path() + QLatin1Char('/') + imp.captured(1);
            const QJSValue ns = load(target);
            if (ns.isUndefined())
                return QJSValue();
            qualifiers << imp.captured(2);
            imports << ns;
            line.clear();
            continue;
        }
        const QRegularExpressionMatch decl = declaration.match(line);
        if (decl.hasMatch() && !names.contains(decl.captured(1)))
            names << decl.captured(1);
    }

    // Every top-level name is reached through a getter, so that the
    // namespace always shows the library's current values.
    QString exports = QStringLiteral("\nvar __ns = {};\n");
    for (const QString& n : names)
        exports += QStringLiteral("Object.defineProperty(__ns, \"%1\", { get: function () { return %1; }, enumerable: true });\n").arg(n);
    exports += QStringLiteral("return __ns;\n");
    const QString source = QStringLiteral("(function (%1) {").arg(qualifiers.join(QStringLiteral(", ")))
        + lines.join(QLatin1Char('\n')) + exports + QStringLiteral("})");

    QJSValue factory = m_engine->evaluate(source, path, 1);
    if (factory.isError()) {
        m_error = factory.toString();
        return QJSValue();
    }
    const QJSValue ns = factory.call(imports);
    if (ns.isError()) {
        m_error = ns.toString();
        return QJSValue();
    }
    m_loaded.insert(key, ns);
    return ns;
}
