#include "app/kwin_window_script.h"
#include <QJsonArray>
#include <QJsonDocument>

namespace {
// The script, with %SERVICE%, %PATH% and %INTERFACE% as JavaScript string
// literals. It keeps to the ECMAScript 5 that both of KWin's script engines
// run.
const char* const Script = R"JS(// Tells Halcyon which window is in front; Halcyon loads it and unloads it again.
var service = %SERVICE%, path = %PATH%, iface = %INTERFACE%;

function text(value) {
    if (value === undefined || value === null)
        return "";
    if (typeof value === "string")
        return value;
    if (typeof ArrayBuffer !== "undefined" && value instanceof ArrayBuffer) {
        var bytes = new Uint8Array(value), out = "";
        for (var i = 0; i < bytes.length; ++i)
            out += String.fromCharCode(bytes[i]);
        return out;
    }
    return String(value);
}

function describe(window) {
    return {"class": text(window.resourceClass), "name": text(window.resourceName),
            "pid": window.pid > 0 ? window.pid : 0, "caption": text(window.caption),
            "desktopFile": text(window.desktopFileName)};
}

function reportActive(window) {
    if (window)
        callDBus(service, path, iface, "activated", JSON.stringify(describe(window)));
}

// All normal windows; `gone` is one being removed, which may still be listed.
function reportWindows(gone) {
    var list = workspace.windowList ? workspace.windowList() : workspace.clientList();
    var out = [];
    for (var i = 0; i < list.length; ++i) {
        if (list[i] === gone || list[i].normalWindow === false)
            continue;
        out.push(describe(list[i]));
    }
    callDBus(service, path, iface, "windows", JSON.stringify(out));
}

var activated = workspace.windowActivated || workspace.clientActivated;
var added = workspace.windowAdded || workspace.clientAdded;
var removed = workspace.windowRemoved || workspace.clientRemoved;
activated.connect(reportActive);
added.connect(function () { reportWindows(null); });
removed.connect(function (window) { reportWindows(window); });
reportWindows(null);
reportActive(workspace.activeWindow || workspace.activeClient);
)JS";

QByteArray literal(const QString& text)
{
    // A JSON string is a JavaScript string literal.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}
} // namespace

QByteArray kwinWindowScript(const QString& service, const QString& path, const QString& interface)
{
    QByteArray script(Script);
    script.replace("%SERVICE%", literal(service));
    script.replace("%PATH%", literal(path));
    script.replace("%INTERFACE%", literal(interface));
    return script;
}
