import QtQuick
import "../common"
import "../common/Values.js" as Values
import "PointerSettings.js" as Pointer

// System settings page (tab 2, upper part): pointer speed, double-click
// speed and scroll lines of the system, and the mouse's lift-off distance.
PageBase {
    id: page
    // Texts of the group "systemSetting".
    property var systemSettingLang: ["System Settings", "Pointer speed", "Double-click speed",
        "Scroll lines", "Scroll one Screen", "Lift-off distance", "Enable", "Slow", "Fast", "lines per notch",
        "Report rate"]
    // Slider positions in pixels, as stored.
    property int mouseRate: 138
    property int doubleRate: 138
    // Lines per notch; 1000 is one screen.
    property int scrollRate: 3
    // Lines shown in the field while "Scroll one Screen" is chosen.
    property int typedLines: 3
    property int lod: 3
    property bool lodEnabled: true
    // Report-rate choice 0 to 3 (125 to 1000 Hz).
    property int reportRate: 3
    // Controls changed since the last save: 1 pointer, 2 double click, 3 scroll.
    property var changedSteps: []
    // Why the desktop does not offer pointer speed, double-click time or
    // wheel lines (empty: offered). Such a control is disabled and says why.
    property var unavailable: ["", "", ""]

    function readAvailability() {
        var reasons = ui_View.mousePointerUnavailable
                ? Values.toList(ui_View.mousePointerUnavailable(mainIten.language)) : []
        unavailable = reasons.length === 3 ? reasons : ["", "", ""]
    }

    // The desktop's values now: pointer-speed and double-click slider
    // indexes, wheel lines; -1 where it cannot tell.
    function desktopValues() {
        var v = ui_View.mousePointerCurrent ? Values.toList(ui_View.mousePointerCurrent()) : []
        return v.length === 3 ? v.map(function(x) { return Values.toInt(x, -1) }) : [-1, -1, -1]
    }

    function isStored(value) {
        return value !== undefined && value !== null && String(value) !== ""
    }

    function init(isSendData, isRecovery) {
        var recovery = isRecovery === true
        var stored = [ui_View.getData("mouse/mouseRate", recovery), ui_View.getData("mouse/doubleRate", recovery),
                      ui_View.getData("mouse/scrollRate", recovery)]
        var desktop = desktopValues()
        // Where the profile stores no value the page shows the desktop's.
        mouseRate = isStored(stored[0]) ? Values.toInt(stored[0], 138)
                : desktop[0] >= 0 ? Pointer.positionOfIndex(desktop[0]) : 138
        doubleRate = isStored(stored[1]) ? Values.toInt(stored[1], 138)
                : desktop[1] >= 0 ? Pointer.positionOfIndex(desktop[1]) : 138
        scrollRate = Math.max(1, isStored(stored[2]) ? Values.toInt(stored[2], 3) : desktop[2] > 0 ? desktop[2] : 3)
        if (!Pointer.isOneScreen(scrollRate))
            typedLines = scrollRate
        lod = Pointer.snapLod(Values.toInt(ui_View.getData("mouse/lod", recovery), 3))
        lodEnabled = Values.toInt(ui_View.getData("mouse/lodEn", recovery), 1) === 1
        reportRate = Pointer.reportRateChoice(ui_View.getData("mouse/reportRate", recovery))
        changedSteps = []
        readAvailability()
        // A profile sets only the desktop values it stores, and only those
        // the desktop does not have already.
        if (isSendData === true) {
            var shown = [Pointer.speedIndex(mouseRate), Pointer.speedIndex(doubleRate), scrollRate]
            send([1, 2, 3].filter(function(step) {
                return isStored(stored[step - 1]) && shown[step - 1] !== desktop[step - 1]
            }))
        }
        pageInitialised(isSendData === true, recovery)
    }

    // Store and send the system values of `steps` (1 pointer speed, 2
    // double click, 3 scroll lines); lift-off and report rate, which the
    // mouse keeps per profile, every time.
    function send(steps) {
        if (steps.indexOf(1) >= 0) {
            ui_View.setData("mouse/mouseRate", mouseRate)
            ui_View.mouseSetCursorSpeed(Pointer.speedIndex(mouseRate))
        }
        if (steps.indexOf(2) >= 0) {
            ui_View.setData("mouse/doubleRate", doubleRate)
            ui_View.mouseSetDoubleClickSpeed(Pointer.speedIndex(doubleRate))
        }
        if (steps.indexOf(3) >= 0) {
            ui_View.setData("mouse/scrollRate", scrollRate)
            ui_View.mouseSetVerticalScrollLines(scrollRate)
        }
        ui_View.setData("mouse/lod", lod)
        ui_View.setData("mouse/lodEn", lodEnabled ? 1 : 0)
        ui_View.mouseSetLodValue(Pointer.lodValue(lod), lodEnabled ? 1 : 0)
        ui_View.setData("mouse/reportRate", reportRate)
        ui_View.mouseSetReportRate(Pointer.reportRateValue(reportRate))
    }

    // Without a step, the system values the user changed; step 0 is all
    // three, 1 to 3 one of them.
    function saveData(step) {
        var s = step !== undefined ? Values.toInt(step, 0) : -1
        send(s < 0 ? changedSteps : s === 0 ? [1, 2, 3] : [s])
        changedSteps = []
        pageSaved()
    }

    function markChanged(step) {
        if (step > 0 && changedSteps.indexOf(step) < 0)
            changedSteps = changedSteps.concat([step])
        isSave = true
    }

    function setMouseRate(p) {
        var v = Math.max(0, Math.min(Pointer.speedTrack, Math.round(p)))
        if (v === mouseRate)
            return
        mouseRate = v
        markChanged(1)
    }

    function setDoubleRate(p) {
        var v = Math.max(0, Math.min(Pointer.speedTrack, Math.round(p)))
        if (v === doubleRate)
            return
        doubleRate = v
        markChanged(2)
    }

    function setScrollLines(lines) {
        var n = Math.max(1, Math.min(Pointer.maxLines, Values.toInt(lines, 1)))
        typedLines = n
        if (n === scrollRate)
            return
        scrollRate = n
        markChanged(3)
    }

    function setOneScreen(on) {
        var v = on ? Pointer.oneScreen : typedLines
        if (v === scrollRate)
            return
        scrollRate = v
        markChanged(3)
    }

    function setLod(p) {
        var v = Pointer.snapLod(p)
        if (v === lod)
            return
        lod = v
        markChanged(0)
    }

    function setReportRate(choice) {
        var v = Pointer.reportRateChoice(choice)
        if (v === reportRate)
            return
        reportRate = v
        markChanged(0)
    }

    function setLodEnabled(on) {
        lodEnabled = on
        markChanged(0)
    }

    PagePanel {
        anchors.fill: parent
        caption: Values.at(page.systemSettingLang, 0)
    }

    component Caption: Text {
        color: mainIten.colorGray3
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontNormalSize
    }
    // Beside a caption: why the desktop does not offer this setting. It
    // keeps to the width left beside the caption and wraps there (some
    // languages need more than one line in the narrow scroll-lines column).
    component UnavailableNote: Text {
        property string reason: ""
        anchors.leftMargin: 12
        width: Math.max(40, parent.width - x)
        visible: reason !== ""
        text: reason
        wrapMode: Text.WordWrap
        maximumLineCount: 3
        elide: Text.ElideRight
        color: mainIten.colorAccent
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize
        y: 3
    }
    component Hint: Text {
        color: mainIten.colorGray6
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize
    }

    // Left: the two speed sliders.
    Column {
        x: 24
        y: 52
        spacing: 14
        Repeater {
            model: 2
            delegate: Item {
                required property int index
                width: 470
                height: 48
                Caption { id: speedCaption; text: Values.at(page.systemSettingLang, 1 + index) }
                UnavailableNote {
                    objectName: index === 0 ? "pointerUnavailable" : "doubleClickUnavailable"
                    anchors.left: speedCaption.right
                    reason: page.unavailable[index]
                }
                // Right-aligned before the track, so longer words never run under it.
                Hint { x: 40 - width; y: 34; text: Values.at(page.systemSettingLang, 7) }
                ValueSlider {
                    objectName: index === 0 ? "pointerSlider" : "doubleClickSlider"
                    x: 46
                    y: 24
                    trackWidth: Pointer.speedTrack
                    visualWidth: 340
                    ticks: Pointer.speedThresholds
                    enabled: page.unavailable[index] === ""
                    opacity: enabled ? 1 : 0.35
                    position: index === 0 ? page.mouseRate : page.doubleRate
                    onMoved: function(p) {
                        if (index === 0)
                            page.setMouseRate(p)
                        else
                            page.setDoubleRate(p)
                    }
                }
                Hint { x: 400; y: 34; text: Values.at(page.systemSettingLang, 8) }
            }
        }
    }

    // Middle: scroll lines.
    Item {
        x: 560
        y: 52
        width: 260
        height: 110
        Caption { id: linesCaption; text: Values.at(page.systemSettingLang, 3) }
        UnavailableNote {
            id: wheelLinesNote
            objectName: "wheelLinesUnavailable"
            anchors.left: linesCaption.right
            reason: page.unavailable[2]
        }
        // Room for a reason on more than one line.
        readonly property real noteExtra: wheelLinesNote.visible ? Math.max(0, wheelLinesNote.y + wheelLinesNote.height - 26) : 0
        Row {
            y: 30 + parent.noteExtra
            enabled: page.unavailable[2] === ""
            opacity: enabled ? 1 : 0.35
            spacing: 10
            Rectangle {
                width: 64
                height: 28
                radius: 3
                color: "#1f2024"
                opacity: Pointer.isOneScreen(page.scrollRate) ? 0.45 : 1
                border.color: linesInput.activeFocus ? mainIten.colorPrimary : mainIten.colorGray1
                TextInput {
                    id: linesInput
                    objectName: "linesInput"
                    anchors.fill: parent
                    anchors.leftMargin: 10
                    verticalAlignment: TextInput.AlignVCenter
                    text: String(page.typedLines)
                    validator: IntValidator { bottom: 1; top: 100 }
                    maximumLength: 3
                    color: mainIten.fontColor
                    selectionColor: mainIten.colorPrimary
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontNormalSize
                    // A number above the field's range is taken as its top
                    // and shown so at once; the field never shows a value
                    // other than the one stored and sent.
                    onTextEdited: {
                        var n = parseInt(text, 10)
                        if (acceptableInput || n > Pointer.maxLines)
                            page.setScrollLines(n)
                        if (n > Pointer.maxLines)
                            text = Qt.binding(function() { return String(page.typedLines) })
                    }
                }
            }
            Hint {
                anchors.verticalCenter: parent.verticalCenter
                text: Values.at(page.systemSettingLang, 9)
            }
        }
        CheckBox {
            objectName: "oneScreenBox"
            y: 72 + parent.noteExtra
            enabled: page.unavailable[2] === ""
            opacity: enabled ? 1 : 0.35
            text: Values.at(page.systemSettingLang, 4)
            checked: Pointer.isOneScreen(page.scrollRate)
            onToggled: function(on) { page.setOneScreen(on) }
        }
    }

    // Right: lift-off distance, and the report rate below it.
    Item {
        x: 850
        y: 52
        width: 280
        height: 120
        z: 10
        Caption { text: Values.at(page.systemSettingLang, 5) }
        CheckBox {
            objectName: "lodEnableBox"
            anchors.right: parent.right
            anchors.rightMargin: 10
            text: Values.at(page.systemSettingLang, 6)
            checked: page.lodEnabled
            onToggled: function(on) { page.setLodEnabled(on) }
        }
        ValueSlider {
            id: lodSlider
            objectName: "lodSlider"
            x: 10
            y: 36
            trackWidth: 333
            visualWidth: 230
            enabled: page.lodEnabled
            ticks: Pointer.lodPositions
            position: page.lod
            onMoved: function(p) { page.setLod(p) }
        }
        Repeater {
            model: 3
            delegate: Text {
                required property int index
                x: lodSlider.x + Pointer.lodPositions[index] * lodSlider.ratio - width / 2
                y: 66
                text: Pointer.lodLabels[index]
                color: page.lod === Pointer.lodPositions[index] ? mainIten.colorPrimary : mainIten.colorGray2
                font.family: mainIten.fontFamily
                font.pixelSize: mainIten.fontNormalSize
                font.bold: true
            }
        }
        Caption {
            y: 88
            height: 24
            verticalAlignment: Text.AlignVCenter
            text: Values.at(page.systemSettingLang, 10)
        }
        DropDown {
            objectName: "reportRateDropDown"
            anchors.right: parent.right
            anchors.rightMargin: 10
            y: 88
            width: 120
            height: 24
            rowHeight: 24
            model: Pointer.reportRates
            currentIndex: page.reportRate
            onActivated: function(index) { page.setReportRate(index) }
        }
    }
}
