#include "sim_user_commands.h"
#include "app/myqquickview.h"
#include "app/widget.h"
#include "settings/ini_format.h"
#include "sim_output.h"
#include "sim_session.h"
#include <QApplication>
#include <QImage>
#include <QJSValue>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPointer>
#include <QPointingDevice>
#include <QRegularExpression>
#include <QQuickItem>
#include <QWheelEvent>
#include <QtTest/qtestspontaneevent.h>
#include <algorithm>
#include <functional>

namespace {

// ---- keys ----

struct KeySpec {
    Qt::Key key = Qt::Key_unknown;
    unsigned evdev = 0;       // the Linux key code; the X keycode is evdev + 8
    QString text;             // what the key types, if anything
    bool shift = false;       // typed with Shift held
};

struct NamedKey {
    const char* name;
    Qt::Key key;
    unsigned evdev;
};

const NamedKey kNamedKeys[] = {
    {"Escape", Qt::Key_Escape, 1},       {"Backspace", Qt::Key_Backspace, 14},
    {"Tab", Qt::Key_Tab, 15},            {"Return", Qt::Key_Return, 28},
    {"Enter", Qt::Key_Return, 28},       {"Ctrl", Qt::Key_Control, 29},
    {"Shift", Qt::Key_Shift, 42},        {"Alt", Qt::Key_Alt, 56},
    {"Space", Qt::Key_Space, 57},        {"CapsLock", Qt::Key_CapsLock, 58},
    {"F1", Qt::Key_F1, 59},              {"F2", Qt::Key_F2, 60},
    {"F3", Qt::Key_F3, 61},              {"F4", Qt::Key_F4, 62},
    {"F5", Qt::Key_F5, 63},              {"F6", Qt::Key_F6, 64},
    {"F7", Qt::Key_F7, 65},              {"F8", Qt::Key_F8, 66},
    {"F9", Qt::Key_F9, 67},              {"F10", Qt::Key_F10, 68},
    {"F11", Qt::Key_F11, 87},            {"F12", Qt::Key_F12, 88},
    {"RightCtrl", Qt::Key_Control, 97},  {"RightAlt", Qt::Key_AltGr, 100},
    {"Home", Qt::Key_Home, 102},         {"Up", Qt::Key_Up, 103},
    {"PageUp", Qt::Key_PageUp, 104},     {"Left", Qt::Key_Left, 105},
    {"Right", Qt::Key_Right, 106},       {"End", Qt::Key_End, 107},
    {"Down", Qt::Key_Down, 108},         {"PageDown", Qt::Key_PageDown, 109},
    {"Insert", Qt::Key_Insert, 110},     {"Delete", Qt::Key_Delete, 111},
};

// The characters of a US keyboard: unshifted and shifted, with their keys.
struct CharKey {
    char plain;
    char shifted;
    unsigned evdev;
};

const CharKey kCharKeys[] = {
    {'1', '!', 2},  {'2', '@', 3},  {'3', '#', 4},  {'4', '$', 5},   {'5', '%', 6},
    {'6', '^', 7},  {'7', '&', 8},  {'8', '*', 9},  {'9', '(', 10},  {'0', ')', 11},
    {'-', '_', 12}, {'=', '+', 13}, {'q', 'Q', 16}, {'w', 'W', 17},  {'e', 'E', 18},
    {'r', 'R', 19}, {'t', 'T', 20}, {'y', 'Y', 21}, {'u', 'U', 22},  {'i', 'I', 23},
    {'o', 'O', 24}, {'p', 'P', 25}, {'[', '{', 26}, {']', '}', 27},  {'a', 'A', 30},
    {'s', 'S', 31}, {'d', 'D', 32}, {'f', 'F', 33}, {'g', 'G', 34},  {'h', 'H', 35},
    {'j', 'J', 36}, {'k', 'K', 37}, {'l', 'L', 38}, {';', ':', 39},  {'\'', '"', 40},
    {'`', '~', 41}, {'\\', '|', 43}, {'z', 'Z', 44}, {'x', 'X', 45}, {'c', 'C', 46},
    {'v', 'V', 47}, {'b', 'B', 48}, {'n', 'N', 49}, {'m', 'M', 50},  {',', '<', 51},
    {'.', '>', 52}, {'/', '?', 53}, {' ', ' ', 57},
};

// The key that types `c`; characters no key types arrive as text alone, as
// an input method would deliver them.
KeySpec keyForChar(QChar c)
{
    KeySpec spec;
    spec.text = QString(c);
    for (const CharKey& k : kCharKeys) {
        if (c == QLatin1Char(k.plain) || c == QLatin1Char(k.shifted)) {
            spec.evdev = k.evdev;
            spec.shift = c == QLatin1Char(k.shifted) && k.plain != k.shifted;
            const QChar base = QChar(k.plain).toUpper();
            spec.key = Qt::Key(base.unicode());
            return spec;
        }
    }
    spec.key = Qt::Key(c.toUpper().unicode());
    return spec;
}

bool keyForName(const QString& name, KeySpec& spec)
{
    for (const NamedKey& k : kNamedKeys) {
        if (name.compare(QLatin1String(k.name), Qt::CaseInsensitive) == 0) {
            spec.key = k.key;
            spec.evdev = k.evdev;
            spec.text.clear();
            if (k.key == Qt::Key_Space)
                spec.text = QStringLiteral(" ");
            else if (k.key == Qt::Key_Return)
                spec.text = QStringLiteral("\r");
            else if (k.key == Qt::Key_Escape)
                spec.text = QString(QChar(0x1B));
            return true;
        }
    }
    if (name.size() == 1) {
        spec = keyForChar(name.at(0).toLower());
        return true;
    }
    return false;
}

Qt::KeyboardModifier modifierOf(Qt::Key key)
{
    switch (key) {
    case Qt::Key_Control: return Qt::ControlModifier;
    case Qt::Key_Shift: return Qt::ShiftModifier;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return Qt::AltModifier;
    default: return Qt::NoModifier;
    }
}

// ---- the scene's items ----

QJsonValue toJson(const QVariant& v)
{
    QVariant plain = v.canConvert<QJSValue>() ? v.value<QJSValue>().toVariant() : v;
    if (plain.userType() == QMetaType::QColor)
        return plain.toString();
    if (plain.userType() == QMetaType::Double || plain.userType() == QMetaType::Float) {
        const double d = plain.toDouble();
        // Positions and values print without float noise.
        return qRound64(d * 1000.0) / 1000.0;
    }
    return QJsonValue::fromVariant(plain);
}

// Every item below `from` in scene order (parents before children, children
// in stacking order).
void collect(QQuickItem* from, QList<QQuickItem*>& into)
{
    for (QQuickItem* child : from->childItems()) {
        into.append(child);
        collect(child, into);
    }
}

// Every text of a language file, in all its groups.
QStringList languageTexts(const QString& language)
{
    const auto file = openIni(QStringLiteral("./modules/i18n/") + language + QStringLiteral(".ini"));
    QStringList texts;
    for (const QString& key : file->allKeys()) {
        if (!key.endsWith(QLatin1String("/total")))
            texts << file->value(key).toStringList().join(QStringLiteral(", "));
    }
    return texts;
}

bool hasTextProperty(const QQuickItem* item)
{
    return item->metaObject()->indexOfProperty("text") >= 0;
}

QString textOf(const QQuickItem* item)
{
    return hasTextProperty(item) ? item->property("text").toString() : QString();
}

// Whether a user sees the item: visible along its parents, not transparent,
// not empty, and its centre inside every clipping parent.
bool isShown(QQuickItem* item)
{
    if (!item->isVisible() || item->width() <= 0 || item->height() <= 0)
        return false;
    const QPointF centre = item->mapToScene(QPointF(item->width() / 2, item->height() / 2));
    for (QQuickItem* p = item; p; p = p->parentItem()) {
        if (p->opacity() <= 0.0)
            return false;
        if (p != item && p->clip() && !p->contains(p->mapFromScene(centre)))
            return false;
    }
    return true;
}

bool isAncestor(const QQuickItem* ancestor, const QQuickItem* item)
{
    for (const QQuickItem* p = item ? item->parentItem() : nullptr; p; p = p->parentItem()) {
        if (p == ancestor)
            return true;
    }
    return false;
}

// Positioners (Row, Column, Grid) place their children when the scene is
// next polished, which happens before a frame is drawn, on a wall-clock
// timer. What a user would see once the frame is up is laid out now, so
// that targets are found where they are drawn, the same way in every run.
void layOut(QQuickItem* item)
{
    for (QQuickItem* child : item->childItems())
        layOut(child);
    item->ensurePolished();
}

struct Target {
    QQuickItem* item = nullptr;
    QString label;   // how the trace names it
    QString error;
};

// Finds the target a command line names. `mustBeShown` asks for a target a
// user can point at; reading a control also finds hidden ones.
Target locate(QQuickItem* root, const QJsonObject& line, bool mustBeShown)
{
    Target t;
    const QString path = line.value(QStringLiteral("item")).toString();
    const bool byText = line.contains(QStringLiteral("text"));
    const QString text = line.value(QStringLiteral("text")).toString();
    t.label = path;
    if (byText)
        t.label += (path.isEmpty() ? QString() : QStringLiteral("/")) + QLatin1Char('"') + text + QLatin1Char('"');
    if (!root) {
        t.error = QStringLiteral("no scene");
        return t;
    }
    // Inner positioners first, then their parents; a second pass settles
    // sizes that changed on the way.
    layOut(root);
    layOut(root);
    // Each step of the path: the items of that name inside the previous
    // step's items; shown ones are preferred.
    QList<QQuickItem*> scopes{root};
    const QStringList steps = path.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (int s = 0; s < steps.size(); ++s) {
        QList<QQuickItem*> found;
        for (QQuickItem* scope : scopes) {
            QList<QQuickItem*> all;
            collect(scope, all);
            for (QQuickItem* i : all) {
                if (i->objectName() == steps.at(s) && !found.contains(i))
                    found.append(i);
            }
        }
        if (found.isEmpty()) {
            t.error = QStringLiteral("no item %1").arg(steps.at(s));
            return t;
        }
        scopes = found;
    }
    QList<QQuickItem*> candidates;
    if (byText) {
        for (QQuickItem* scope : scopes) {
            QList<QQuickItem*> all;
            collect(scope, all);
            for (QQuickItem* i : all) {
                if (hasTextProperty(i) && textOf(i) == text && isShown(i))
                    candidates.append(i);
            }
        }
        // A control showing a text and the Text inside it are one target.
        QList<QQuickItem*> outermost;
        for (QQuickItem* c : candidates) {
            bool inner = false;
            for (QQuickItem* other : candidates)
                inner = inner || isAncestor(other, c);
            if (!inner)
                outermost.append(c);
        }
        candidates = outermost;
        if (candidates.isEmpty()) {
            t.error = QStringLiteral("no visible text \"%1\"").arg(text);
            return t;
        }
    } else {
        candidates = scopes;
        QList<QQuickItem*> shown;
        for (QQuickItem* c : candidates) {
            if (isShown(c))
                shown.append(c);
        }
        if (mustBeShown && shown.isEmpty()) {
            t.error = QStringLiteral("%1 is not visible").arg(path);
            return t;
        }
        if (!shown.isEmpty())
            candidates = shown;
    }
    if (line.contains(QStringLiteral("index"))) {
        const int n = line.value(QStringLiteral("index")).toInt();
        if (n < 0 || n >= candidates.size()) {
            t.error = QStringLiteral("%1 has %2 matches, no index %3").arg(t.label).arg(candidates.size()).arg(n);
            return t;
        }
        t.label += QStringLiteral("[%1]").arg(n);
        t.item = candidates.at(n);
        return t;
    }
    if (candidates.size() > 1) {
        t.error = QStringLiteral("%1 has %2 matches; give an index").arg(t.label).arg(candidates.size());
        return t;
    }
    t.item = candidates.first();
    return t;
}

QPointF pointIn(const QJsonValue& at, QQuickItem* item)
{
    const QJsonArray a = at.toArray();
    if (a.size() == 2)
        return QPointF(a.at(0).toDouble(), a.at(1).toDouble());
    return QPointF(item->width() / 2, item->height() / 2);
}

// ---- delivery ----

// Sends input to the window as the platform would: to the widget under the
// pointer (or the one holding the pointer while a button is down, or the
// focus widget for keys), marked as coming from the system, through the
// application's event filters.
class UserInput {
public:
    explicit UserInput(SimSession& session) : m_session(session) {}

    bool mouse(QEvent::Type type, const QPointF& scenePos, Qt::MouseButton button)
    {
        QWidget* window = m_session.widget();
        myQQuickView* view = m_session.view();
        const QPointF windowPos = QPointF(view->mapTo(window, QPoint(0, 0))) + scenePos;
        QWidget* target = m_grabber ? m_grabber.data() : window->childAt(windowPos.toPoint());
        if (!target)
            target = window;
        if (type == QEvent::MouseButtonPress || type == QEvent::MouseButtonDblClick)
            m_buttons |= button;
        else if (type == QEvent::MouseButtonRelease)
            m_buttons &= ~button;
        // Separate clicks are never taken for a double click.
        m_timestamp += type == QEvent::MouseButtonPress ? 1000 : 20;
        const QPointF local = QPointF(target->mapFrom(window, QPoint(0, 0))) + windowPos;
        const QPointF global = QPointF(window->mapToGlobal(QPoint(0, 0))) + windowPos;
        QMouseEvent event(type, local, windowPos, global, button, m_buttons, m_modifiers,
                          QPointingDevice::primaryPointingDevice());
        event.setTimestamp(m_timestamp);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
        m_grabber = m_buttons ? target : nullptr;
        return true;
    }

    void wheel(const QPointF& scenePos, int dy)
    {
        QWidget* window = m_session.widget();
        myQQuickView* view = m_session.view();
        const QPointF windowPos = QPointF(view->mapTo(window, QPoint(0, 0))) + scenePos;
        QWidget* target = window->childAt(windowPos.toPoint());
        if (!target)
            target = window;
        const QPointF local = QPointF(target->mapFrom(window, QPoint(0, 0))) + windowPos;
        const QPointF global = QPointF(window->mapToGlobal(QPoint(0, 0))) + windowPos;
        QWheelEvent event(local, global, QPoint(), QPoint(0, dy), m_buttons, m_modifiers,
                          Qt::NoScrollPhase, false);
        event.setTimestamp(m_timestamp += 20);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
    }

    void key(const KeySpec& spec, bool isDown)
    {
        const Qt::KeyboardModifier mod = modifierOf(spec.key);
        if (isDown)
            m_modifiers |= mod;
        // Without a focus widget the window itself gets the keys, as Qt's
        // widget window hands them on.
        QWidget* target = QApplication::focusWidget();
        if (!target)
            target = m_session.widget();
        const QString text = m_modifiers & Qt::ControlModifier ? QString() : spec.text;
        QKeyEvent event(isDown ? QEvent::KeyPress : QEvent::KeyRelease, spec.key, m_modifiers,
                        spec.evdev ? spec.evdev + 8 : 0, 0, 0, text);
        QSpontaneKeyEvent::setSpontaneous(&event);
        qApp->notify(target, &event);
        if (!isDown)
            m_modifiers &= ~mod;
    }

    // A new program starts with no button or key held.
    void reset()
    {
        m_buttons = Qt::NoButton;
        m_modifiers = Qt::NoModifier;
        m_grabber = nullptr;
    }

private:
    SimSession& m_session;
    Qt::MouseButtons m_buttons;
    Qt::KeyboardModifiers m_modifiers;
    QPointer<QWidget> m_grabber;
    ulong m_timestamp = 0;
};

QJsonObject readControl(QQuickItem* item, const QJsonArray& props)
{
    QJsonObject shown;
    QStringList names;
    if (props.isEmpty()) {
        names = {QStringLiteral("text"), QStringLiteral("value"), QStringLiteral("checked"),
                 QStringLiteral("currentIndex"), QStringLiteral("currentText")};
    } else {
        for (const QJsonValue& p : props)
            names << p.toString();
    }
    for (const QString& name : names) {
        if (item->metaObject()->indexOfProperty(name.toLatin1().constData()) >= 0 || !props.isEmpty())
            shown.insert(name, toJson(item->property(name.toLatin1().constData())));
    }
    shown.insert(QStringLiteral("visible"), isShown(item));
    shown.insert(QStringLiteral("enabled"), item->isEnabled());
    return shown;
}

QString compact(const QJsonObject& o)
{
    return QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact));
}

} // namespace

void registerUserCommands(SimSession& session)
{
    auto input = std::make_shared<UserInput>(session);
    session.onRestart([input] { input->reset(); });
    auto root = [&session]() -> QQuickItem* {
        return session.view() ? session.view()->rootObject() : nullptr;
    };
    // A pointer command: finds its target, prints what the user did, acts.
    auto pointer = [&session, root](const QString& verb,
                                    std::function<void(QQuickItem*, const QPointF&, const QJsonObject&)> act) {
        session.addSimCommand(verb, [verb, root, act](const QJsonObject& line) {
            const Target t = locate(root(), line, true);
            SimOutput::line(QStringLiteral("%1 %2").arg(verb, t.label));
            if (!t.item) {
                SimOutput::line(QStringLiteral("error ") + t.error);
                return false;
            }
            const QPointF local = pointIn(line.value(QStringLiteral("at")), t.item);
            act(t.item, t.item->mapToScene(local), line);
            return true;
        });
    };
    pointer(QStringLiteral("click"), [input](QQuickItem*, const QPointF& p, const QJsonObject&) {
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
        input->mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
        input->mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton);
    });
    pointer(QStringLiteral("rightclick"), [input](QQuickItem*, const QPointF& p, const QJsonObject&) {
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
        input->mouse(QEvent::MouseButtonPress, p, Qt::RightButton);
        input->mouse(QEvent::MouseButtonRelease, p, Qt::RightButton);
    });
    // A widget window passes the second press of a double click on as the
    // double-click event alone.
    pointer(QStringLiteral("doubleclick"), [input](QQuickItem*, const QPointF& p, const QJsonObject&) {
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
        input->mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
        input->mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton);
        input->mouse(QEvent::MouseButtonDblClick, p, Qt::LeftButton);
        input->mouse(QEvent::MouseButtonRelease, p, Qt::LeftButton);
    });
    pointer(QStringLiteral("hover"), [input](QQuickItem*, const QPointF& p, const QJsonObject&) {
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
    });
    pointer(QStringLiteral("drag"), [input](QQuickItem* item, const QPointF& p, const QJsonObject& line) {
        const QPointF to = item->mapToScene(pointIn(line.value(QStringLiteral("to")), item));
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
        input->mouse(QEvent::MouseButtonPress, p, Qt::LeftButton);
        // In steps, as a hand moves, so that drag thresholds are passed.
        const int steps = 8;
        for (int i = 1; i <= steps; ++i)
            input->mouse(QEvent::MouseMove, p + (to - p) * i / steps, Qt::NoButton);
        input->mouse(QEvent::MouseButtonRelease, to, Qt::LeftButton);
    });
    pointer(QStringLiteral("wheel"), [input](QQuickItem*, const QPointF& p, const QJsonObject& line) {
        input->mouse(QEvent::MouseMove, p, Qt::NoButton);
        input->wheel(p, line.value(QStringLiteral("dy")).toInt(-120));
    });

    session.addSimCommand(QStringLiteral("type"), [input](const QJsonObject& line) {
        const QString text = line.value(QStringLiteral("text")).toString();
        SimOutput::line(QStringLiteral("type ") + text);
        KeySpec shift;
        keyForName(QStringLiteral("Shift"), shift);
        for (const QChar c : text) {
            const KeySpec spec = keyForChar(c);
            if (spec.shift)
                input->key(shift, true);
            input->key(spec, true);
            input->key(spec, false);
            if (spec.shift)
                input->key(shift, false);
        }
        return true;
    });
    session.addSimCommand(QStringLiteral("key"), [input](const QJsonObject& line) {
        const QString chord = line.value(QStringLiteral("key")).toString();
        const QString action = line.value(QStringLiteral("action")).toString();
        SimOutput::line(QStringLiteral("key %1%2").arg(chord, action.isEmpty() ? QString() : QLatin1Char(' ') + action));
        QList<KeySpec> keys;
        for (const QString& name : chord.split(QLatin1Char('+'), Qt::SkipEmptyParts)) {
            KeySpec spec;
            if (!keyForName(name, spec)) {
                SimOutput::line(QStringLiteral("error no key ") + name);
                return false;
            }
            keys << spec;
        }
        if (action != QLatin1String("up")) {
            for (const KeySpec& k : keys)
                input->key(k, true);
        }
        if (action != QLatin1String("down")) {
            for (auto it = keys.crbegin(); it != keys.crend(); ++it)
                input->key(*it, false);
        }
        return true;
    });
    session.addSimCommand(QStringLiteral("read"), [root](const QJsonObject& line) {
        const Target t = locate(root(), line, false);
        if (!t.item) {
            SimOutput::line(QStringLiteral("read %1").arg(t.label));
            SimOutput::line(QStringLiteral("error ") + t.error);
            return false;
        }
        SimOutput::line(QStringLiteral("read %1 %2").arg(t.label, compact(readControl(t.item, line.value(QStringLiteral("props")).toArray()))));
        return true;
    });
    // {"sim":"watch","item":...,"props":[...]}: prints what the control shows
    // now and again at every pacing sleep where it changed, so a trace shows
    // what the window shows while a transfer runs. Several controls may be
    // watched at once; without "item" the watching stops.
    struct Watch {
        QJsonObject line;
        QString last;
    };
    auto watches = std::make_shared<std::vector<Watch>>();
    auto printWatched = [root](Watch& w, bool always) {
        const Target t = locate(root(), w.line, false);
        const QString shown = t.item ? compact(readControl(t.item, w.line.value(QStringLiteral("props")).toArray()))
                                     : QStringLiteral("gone");
        if (always || shown != w.last)
            SimOutput::line(QStringLiteral("watch %1 %2").arg(t.label, shown));
        w.last = shown;
    };
    session.onSleep([watches, printWatched] {
        for (Watch& w : *watches)
            printWatched(w, false);
    });
    session.onRestart([watches] { watches->clear(); });
    session.addSimCommand(QStringLiteral("watch"), [watches, printWatched](const QJsonObject& line) {
        if (!line.contains(QStringLiteral("item")) && !line.contains(QStringLiteral("text"))) {
            watches->clear();
            SimOutput::line(QStringLiteral("watch end"));
            return true;
        }
        watches->push_back(Watch{line, QString()});
        printWatched(watches->back(), true);
        return true;
    });
    session.addSimCommand(QStringLiteral("texts"), [root](const QJsonObject& line) {
        const Target t = line.contains(QStringLiteral("item")) || line.contains(QStringLiteral("text"))
            ? locate(root(), line, true) : Target{root(), QString(), QString()};
        if (!t.item) {
            SimOutput::line(QStringLiteral("texts %1").arg(t.label));
            SimOutput::line(QStringLiteral("error ") + t.error);
            return false;
        }
        QList<QQuickItem*> all;
        collect(t.item, all);
        QJsonArray shown;
        for (QQuickItem* i : all) {
            // Texts the user reads: Text and text fields, not the controls
            // that hold a text property for them.
            const QByteArray cls = i->metaObject()->className();
            const bool isText = cls.startsWith("QQuickText") || i->inherits("QQuickText")
                || i->inherits("QQuickTextInput") || i->inherits("QQuickTextEdit");
            if (isText && isShown(i) && !textOf(i).isEmpty())
                shown.append(textOf(i));
        }
        // With "untranslated": only the texts with words that no entry of
        // the current language's file gives (an entry with numbers or signs
        // around it counts as given).
        if (line.value(QStringLiteral("untranslated")).toBool()) {
            const QStringList known = languageTexts(root()->property("language").toString());
            static const QRegularExpression letter(QStringLiteral("\\p{L}"));
            QJsonArray missing;
            for (const QJsonValue& v : shown) {
                const QString text = v.toString();
                const bool given = !text.contains(letter)
                    || std::any_of(known.cbegin(), known.cend(), [&text](const QString& k) {
                           return !k.isEmpty() && text.contains(k)
                               && !QString(text).remove(k).contains(letter);
                       });
                if (!given)
                    missing.append(text);
            }
            shown = missing;
        }
        SimOutput::line(QStringLiteral("texts %1 %2").arg(t.label, QString::fromUtf8(QJsonDocument(shown).toJson(QJsonDocument::Compact))));
        return true;
    });
    session.addSimCommand(QStringLiteral("grab"), [&session](const QJsonObject& line) {
        const QString path = line.value(QStringLiteral("path")).toString();
        // "during":"transfer" waits for a pacing sleep "afterMs" of virtual
        // time later, inside whatever the next lines start.
        if (line.value(QStringLiteral("during")).toString() == QLatin1String("transfer")) {
            session.armGrab(path, line.value(QStringLiteral("afterMs")).toInt());
            SimOutput::line(QStringLiteral("grab %1 armed").arg(path));
            return true;
        }
        myQQuickView* view = session.view();
        QImage image = view ? view->grabFramebuffer() : QImage();
        if (image.isNull() && session.widget())
            image = session.widget()->grab().toImage();
        const bool saved = !image.isNull() && image.save(path, "PNG");
        SimOutput::line(QStringLiteral("grab %1%2").arg(path, saved ? QString() : QStringLiteral(" failed")));
        return saved;
    });
}
