#include "settings/ini_format.h"
#include "settings/data_links.h"
#include "settings/file_faults.h"
#include "settings/write_failures.h"
#include <QFileDevice>
#include <QDataStream>
#include <QIODevice>
#include <QMap>
#include <QStringDecoder>
#include <QStringList>
#include <algorithm>
#include <vector>

namespace {

const char hexDigits[] = "0123456789ABCDEF";

bool isHexDigit(char16_t c)
{
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return c - 'A' + 10;
}

// ---- values -------------------------------------------------------------

// Text form of one scalar value; lists are handled by the caller.
QString variantToString(const QVariant& v)
{
    switch (v.metaType().id()) {
    case QMetaType::UnknownType:
        return QStringLiteral("@Invalid()");
    case QMetaType::QByteArray:
        return QStringLiteral("@ByteArray(") + QString::fromLatin1(v.toByteArray()) + QLatin1Char(')');
    case QMetaType::QString:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::Bool:
    case QMetaType::Float:
    case QMetaType::Double: {
        QString result = v.toString();
        if (result.contains(QChar::Null))
            return QStringLiteral("@String(") + result + QLatin1Char(')');
        if (result.startsWith(QLatin1Char('@')))
            result.prepend(QLatin1Char('@'));
        return result;
    }
    default: {
        // Anything else in the binary form every reader of this convention
        // understands.
        QByteArray bytes;
        {
            QDataStream stream(&bytes, QIODevice::WriteOnly);
            stream.setVersion(QDataStream::Qt_4_0);
            stream << v;
        }
        return QStringLiteral("@Variant(") + QString::fromLatin1(bytes) + QLatin1Char(')');
    }
    }
}

QVariant stringToVariant(const QString& s)
{
    if (s.startsWith(QLatin1Char('@'))) {
        if (s.endsWith(QLatin1Char(')'))) {
            if (s.startsWith(QLatin1String("@ByteArray(")))
                return QVariant(QStringView(s).sliced(11).chopped(1).toLatin1());
            if (s.startsWith(QLatin1String("@String(")))
                return QVariant(QStringView(s).sliced(8).chopped(1).toString());
            if (s.startsWith(QLatin1String("@Variant("))) {
                QByteArray bytes = QStringView(s).sliced(9).chopped(1).toLatin1();
                QDataStream stream(&bytes, QIODevice::ReadOnly);
                stream.setVersion(QDataStream::Qt_4_0);
                QVariant result;
                stream >> result;
                return result;
            }
            if (s == QLatin1String("@Invalid()"))
                return QVariant();
        }
        if (s.startsWith(QLatin1String("@@")))
            return QVariant(s.mid(1));
    }
    return QVariant(s);
}

QVariant stringListToVariant(const QStringList& items)
{
    QStringList plain = items;
    for (QString& item : plain) {
        if (!item.startsWith(QLatin1Char('@')))
            continue;
        if (item.size() < 2 || item.at(1) != QLatin1Char('@')) {
            QVariantList variants;
            for (const QString& s : items)
                variants.append(stringToVariant(s));
            return variants;
        }
        item.remove(0, 1);
    }
    return plain;
}

void escapeString(const QString& str, QByteArray& out)
{
    const qsizetype start = out.size();
    bool needsQuotes = false;
    bool escapeNextIfHex = false;
    for (const QChar qc : str) {
        const char16_t ch = qc.unicode();
        if (ch == ';' || ch == ',' || ch == '=')
            needsQuotes = true;
        if (escapeNextIfHex && isHexDigit(ch)) {
            out += "\\x";
            out += QByteArray::number(uint(ch), 16);
            continue;
        }
        escapeNextIfHex = false;
        switch (ch) {
        case '\0':
            out += "\\0";
            escapeNextIfHex = true;
            break;
        case '\a': out += "\\a"; break;
        case '\b': out += "\\b"; break;
        case '\f': out += "\\f"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        case '\t': out += "\\t"; break;
        case '\v': out += "\\v"; break;
        case '"':
        case '\\':
            out += '\\';
            out += char(ch);
            break;
        default:
            if (ch <= 0x1F || ch >= 0x7F) {
                out += "\\x";
                out += QByteArray::number(uint(ch), 16);
                escapeNextIfHex = true;
            } else {
                out += char(ch);
            }
        }
    }
    if (needsQuotes || (start < out.size() && (out.at(start) == ' ' || out.back() == ' '))) {
        out.insert(start, '"');
        out += '"';
    }
}

// A run of bytes between escapes: UTF-8, or Latin-1 when it is not UTF-8.
QString decodeRun(QByteArrayView bytes)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        return QString::fromLatin1(bytes.data(), bytes.size());
    return text;
}

void chopTrailingSpaces(QString& s, qsizetype limit)
{
    qsizetype n = s.size();
    while (n > limit && (s.at(n - 1) == QLatin1Char(' ') || s.at(n - 1) == QLatin1Char('\t')))
        --n;
    s.truncate(n);
}

// Parses the text right of "=": returns true and fills list when the value
// is a list (an unquoted comma at top level), otherwise fills single.
bool unescapeStringList(QByteArrayView str, QString& single, QStringList& list)
{
    static const char escapeCodes[][2] = {{'a', '\a'}, {'b', '\b'}, {'f', '\f'}, {'n', '\n'},
                                          {'r', '\r'}, {'t', '\t'}, {'v', '\v'}, {'"', '"'},
                                          {'?', '?'},  {'\'', '\''}, {'\\', '\\'}};
    const qsizetype n = str.size();
    bool isList = false;
    bool inQuotes = false;
    bool currentQuoted = false;
    bool endedInEscape = false;
    qsizetype i = 0;
    qsizetype chopLimit = 0;
    auto skipSpaces = [&] {
        while (i < n && (str[i] == ' ' || str[i] == '\t'))
            ++i;
        chopLimit = single.size();
    };
    skipSpaces();
    while (i < n) {
        const char c = str[i];
        if (c == '\\') {
            ++i;
            if (i >= n) {
                endedInEscape = true;
                break;
            }
            const char e = str[i++];
            bool mapped = false;
            for (const auto& code : escapeCodes) {
                if (e == code[0]) {
                    single += QLatin1Char(code[1]);
                    mapped = true;
                    break;
                }
            }
            if (mapped) {
                chopLimit = single.size();
                continue;
            }
            if (e == 'x' || (e >= '0' && e <= '7')) {
                const bool hex = e == 'x';
                if (hex && (i >= n || !isHexDigit(uchar(str[i])))) {
                    if (i >= n) {
                        endedInEscape = true;
                        break;
                    }
                    chopLimit = single.size();
                    continue;
                }
                char16_t value = hex ? 0 : char16_t(e - '0');
                while (i < n && (hex ? isHexDigit(uchar(str[i])) : (str[i] >= '0' && str[i] <= '7'))) {
                    value = hex ? char16_t((value << 4) + hexValue(str[i]))
                                : char16_t((value << 3) + (str[i] - '0'));
                    ++i;
                }
                single += QChar(value);
                if (i >= n) {
                    endedInEscape = true;
                    break;
                }
                chopLimit = single.size();
                continue;
            }
            if ((e == '\n' || e == '\r') && i < n) {
                // An escaped line break continues the value on the next line.
                const char e2 = str[i];
                if ((e2 == '\n' || e2 == '\r') && e2 != e)
                    ++i;
            }
            chopLimit = single.size();
            continue;
        }
        if (c == '"') {
            ++i;
            currentQuoted = true;
            inQuotes = !inQuotes;
            if (!inQuotes)
                skipSpaces();
            continue;
        }
        if (c == ',' && !inQuotes) {
            if (!currentQuoted)
                chopTrailingSpaces(single, chopLimit);
            if (!isList) {
                isList = true;
                list.clear();
            }
            list.append(single);
            single.clear();
            currentQuoted = false;
            ++i;
            skipSpaces();
            continue;
        }
        qsizetype j = i + 1;
        while (j < n && str[j] != '\\' && str[j] != '"' && str[j] != ',')
            ++j;
        single += decodeRun(str.sliced(i, j - i));
        i = j;
    }
    if (!endedInEscape && !currentQuoted)
        chopTrailingSpaces(single, chopLimit);
    if (isList)
        list.append(single);
    return isList;
}

// ---- lines --------------------------------------------------------------

bool isSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// Finds the next logical line from pos: a line break inside double quotes or
// after a backslash does not end it, and an unquoted ';' starts a comment.
bool nextLine(QByteArrayView data, qsizetype& pos, qsizetype& lineStart, qsizetype& lineLen,
              qsizetype& equalsPos)
{
    const qsizetype n = data.size();
    bool inQuotes = false;
    equalsPos = -1;
    lineStart = pos;
    while (lineStart < n && isSpace(data[lineStart]))
        ++lineStart;
    qsizetype i = lineStart;
    while (i < n) {
        const char ch = data[i++];
        if (ch == '=') {
            if (!inQuotes && equalsPos == -1)
                equalsPos = i - 1;
        } else if (ch == '\n' || ch == '\r') {
            if (i == lineStart + 1) {
                ++lineStart;
            } else if (!inQuotes) {
                --i;
                break;
            }
        } else if (ch == '\\') {
            if (i < n) {
                const char escaped = data[i++];
                if (i < n) {
                    const char next = data[i];
                    if ((escaped == '\n' && next == '\r') || (escaped == '\r' && next == '\n'))
                        ++i;
                }
            }
        } else if (ch == '"') {
            inQuotes = !inQuotes;
        } else if (ch == ';') {
            if (i == lineStart + 1) {
                while (i < n && data[i] != '\n' && data[i] != '\r')
                    ++i;
                while (i < n && isSpace(data[i]))
                    ++i;
                lineStart = i;
            } else if (!inQuotes) {
                --i;
                break;
            }
        }
    }
    pos = i;
    lineLen = i - lineStart;
    return lineLen > 0;
}

// Natural order: runs of digits compare by value, everything else by code.
bool naturalLess(const QString& a, const QString& b)
{
    qsizetype i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        if (a[i].isDigit() && b[j].isDigit()) {
            qsizetype ei = i, ej = j;
            while (ei < a.size() && a[ei].isDigit())
                ++ei;
            while (ej < b.size() && b[ej].isDigit())
                ++ej;
            QStringView da = QStringView(a).sliced(i, ei - i);
            QStringView db = QStringView(b).sliced(j, ej - j);
            while (da.size() > 1 && da.front() == QLatin1Char('0'))
                da = da.sliced(1);
            while (db.size() > 1 && db.front() == QLatin1Char('0'))
                db = db.sliced(1);
            if (da.size() != db.size())
                return da.size() < db.size();
            if (const int c = da.compare(db); c != 0)
                return c < 0;
            i = ei;
            j = ej;
            continue;
        }
        if (a[i] != b[j])
            return a[i] < b[j];
        ++i;
        ++j;
    }
    if ((a.size() - i) != (b.size() - j))
        return (a.size() - i) < (b.size() - j);
    return a < b; // equal by value ("01" vs "1"): keep a total order
}

// A key path as the settings class addresses it: no empty components, so no
// slash at either end and none doubled. A damaged file can spell others (an
// empty section name, "%2F" in a name); kept as they are they could not be
// looked up and would be written back as another key.
QString normalizedKey(const QString& key)
{
    QString out;
    out.reserve(key.size());
    for (const QChar c : key) {
        if (c == QLatin1Char('/') && (out.isEmpty() || out.endsWith(QLatin1Char('/'))))
            continue;
        out += c;
    }
    if (out.endsWith(QLatin1Char('/')))
        out.chop(1);
    return out;
}

bool readFunc(QIODevice& device, QSettings::SettingsMap& map)
{
    return IniText::read(device.readAll(), map);
}

bool writeFunc(QIODevice& device, const QSettings::SettingsMap& map)
{
    using FileFaults::Step;
    const QByteArray text = IniText::write(map);
    auto* file = qobject_cast<QFileDevice*>(&device);
    const QString path = file ? file->fileName() : QString();
    QString reason;
    // As when the settings object cannot create its lock file: it gives up
    // before any writer runs and says nothing; only its status and the file
    // on disk show it.
    if (FileFaults::failsNow(Step::Lock, reason))
        return false;
    reason = DataLinks::escapeReason(path);
    bool ok = reason.isEmpty() && !FileFaults::failsNow(Step::Write, reason) && device.write(text) == text.size();
    // Flushed and checked here: the commit that follows can report success
    // for data still sitting in the write buffer of a full disk.
    if (ok)
        ok = !FileFaults::failsNow(Step::Flush, reason) && (!file || file->flush());
    if (ok)
        ok = !FileFaults::failsNow(Step::Commit, reason) && !FileFaults::failsNow(Step::Rename, reason);
    if (!ok && !path.isEmpty()) {
        // Also reached by the deferred write-back of long-lived handles,
        // which no caller checks: the failure is reported from here.
        reason = reason.isEmpty() ? device.errorString() : reason;
        WriteFailures::noteWriterError(path, reason);
        WriteFailures::record(path, reason);
    }
    return ok;
}

} // namespace

namespace IniText {

QByteArray escapeKey(const QString& key)
{
    QByteArray out;
    for (qsizetype i = 0; i < key.size(); ++i) {
        uint ch = key.at(i).unicode();
        // A slash is written as a backslash, except at the end: there the
        // backslash would escape the "=" that follows and the line would
        // read back as another key.
        if (ch == '/' && i + 1 < key.size()) {
            out += '\\';
        } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')
                   || ch == '_' || ch == '-' || ch == '.') {
            out += char(ch);
        } else if (ch <= 0xFF) {
            out += '%';
            out += hexDigits[ch / 16];
            out += hexDigits[ch % 16];
        } else {
            out += "%U";
            char code[4];
            for (int k = 3; k >= 0; --k) {
                code[k] = hexDigits[ch % 16];
                ch >>= 4;
            }
            out.append(code, 4);
        }
    }
    return out;
}

QString unescapeKey(const QByteArray& key)
{
    const QString decoded = decodeRun(key);
    QString result;
    const qsizetype size = decoded.size();
    qsizetype i = 0;
    while (i < size) {
        const QChar ch = decoded.at(i);
        if (ch == QLatin1Char('\\')) {
            result += QLatin1Char('/');
            ++i;
            continue;
        }
        if (ch != QLatin1Char('%') || i == size - 1) {
            result += ch;
            ++i;
            continue;
        }
        qsizetype first = i + 1;
        int digits = 2;
        if (decoded.at(first) == QLatin1Char('U')) {
            ++first;
            digits = 4;
        }
        bool ok = false;
        const ushort code = first + digits <= size
            ? QStringView(decoded).sliced(first, digits).toUShort(&ok, 16)
            : 0;
        if (!ok) {
            result += QLatin1Char('%');
            ++i;
            continue;
        }
        result += QChar(code);
        i = first + digits;
    }
    return result;
}

QByteArray escapeValue(const QVariant& value)
{
    QByteArray out;
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList
        || (type == QMetaType::QVariantList && value.toList().size() != 1)) {
        const QVariantList items = value.toList();
        if (items.isEmpty())
            return QByteArrayLiteral("@Invalid()");
        for (qsizetype k = 0; k < items.size(); ++k) {
            if (k)
                out += ", ";
            escapeString(variantToString(items.at(k)), out);
        }
        return out;
    }
    escapeString(variantToString(value), out);
    return out;
}

QVariant unescapeValue(const QByteArray& text)
{
    QString single;
    QStringList list;
    if (unescapeStringList(text, single, list))
        return stringListToVariant(list);
    return stringToVariant(single);
}

QByteArray write(const QSettings::SettingsMap& map)
{
    struct Entry {
        QString key;
        QVariant value;
    };
    QMap<QString, std::vector<Entry>> sections;
    for (auto it = map.cbegin(); it != map.cend(); ++it) {
        const qsizetype slash = it.key().indexOf(QLatin1Char('/'));
        const QString section = slash < 0 ? QString() : it.key().left(slash);
        const QString key = slash < 0 ? it.key() : it.key().mid(slash + 1);
        sections[section].push_back({key, it.value()});
    }
    QStringList order = sections.keys();
    std::sort(order.begin(), order.end(), [](const QString& a, const QString& b) {
        if (a.isEmpty() || b.isEmpty())
            return a.isEmpty() && !b.isEmpty();
        return naturalLess(a, b);
    });

    QByteArray out;
    bool first = true;
    for (const QString& section : order) {
        if (!first)
            out += '\n';
        first = false;
        if (section.isEmpty())
            out += "[General]";
        else if (section.compare(QLatin1String("general"), Qt::CaseInsensitive) == 0)
            out += "[%" + section.toLatin1() + ']';
        else
            out += '[' + escapeKey(section) + ']';
        out += '\n';
        std::vector<Entry>& entries = sections[section];
        std::sort(entries.begin(), entries.end(),
                  [](const Entry& a, const Entry& b) { return naturalLess(a.key, b.key); });
        for (const Entry& e : entries) {
            out += escapeKey(e.key);
            out += '=';
            out += escapeValue(e.value);
            out += '\n';
        }
    }
    return out;
}

bool read(const QByteArray& text, QSettings::SettingsMap& map)
{
    QByteArrayView data(text);
    qsizetype pos = 0;
    if (data.startsWith("\xef\xbb\xbf"))
        pos = 3;
    QString section;
    qsizetype lineStart = 0, lineLen = 0, equalsPos = -1;
    while (nextLine(data, pos, lineStart, lineLen, equalsPos)) {
        const QByteArrayView line = data.sliced(lineStart, lineLen);
        if (line.startsWith('[')) {
            qsizetype close = line.indexOf(']');
            if (close < 0)
                close = line.size();
            const QByteArray name = line.first(close).sliced(1).trimmed().toByteArray();
            if (name.compare("general", Qt::CaseInsensitive) == 0)
                section.clear();
            else if (name.compare("%general", Qt::CaseInsensitive) == 0)
                section = QString::fromLatin1(name.mid(1)) + QLatin1Char('/');
            else
                section = unescapeKey(name) + QLatin1Char('/');
            continue;
        }
        if (equalsPos < 0)
            continue; // neither a key nor a section: skipped
        const QByteArray key = line.first(equalsPos - lineStart).trimmed().toByteArray();
        const QByteArray value = line.sliced(equalsPos - lineStart + 1).toByteArray();
        map.insert(normalizedKey(section + unescapeKey(key)), unescapeValue(value));
    }
    return true;
}

} // namespace IniText

QSettings::Format halcyonIniFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("ini"), readFunc, writeFunc, Qt::CaseSensitive);
    return format;
}

std::unique_ptr<QSettings> openIni(const QString& path)
{
    return std::make_unique<QSettings>(path, halcyonIniFormat());
}

QVariantList iniList(const QVariant& value)
{
    const int type = value.metaType().id();
    if (type == QMetaType::QStringList) {
        // A one-item string list is written as a plain value and reads back
        // as one: the same empty list whether or not it reached the disk yet.
        if (value.toStringList().size() == 1)
            return QVariantList();
        QVariantList items;
        for (const QString& s : value.toStringList())
            items.append(s);
        return items;
    }
    if (type != QMetaType::QVariantList)
        return QVariantList();
    // Items still held in memory (not yet read back from the file) come back
    // as strings too, as they will after the next start.
    QVariantList items = value.toList();
    for (QVariant& item : items) {
        const int t = item.metaType().id();
        if (t != QMetaType::QVariantList && t != QMetaType::QStringList && t != QMetaType::QVariantMap
            && item.canConvert<QString>())
            item = item.toString();
    }
    return items;
}
