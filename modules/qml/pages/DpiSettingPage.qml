import QtQuick
import "../common"
import "../common/Values.js" as Values
import "DpiValues.js" as Dpi

// DPI page (tab 0, right half): eight stages with their values, enable
// flags and colours, the number of stages in use and the active stage.
PageBase {
    id: page
    // Texts of the group "dpiSetting".
    property var dpiSettingLang: ["DPI Settings", "Stages", "Stage", "Enable", "Stage colour", "Active stage"]
    // Highlighted stage (0-based); -1 marks none.
    property int currentStage: -1
    // Stages the model has (mouse/dpiCount) and stages in use.
    property int dpiCount: 8
    property int stageCount: 6
    property var dpiValues: [400, 800, 1200, 1600, 2400, 3200, 6400, 12000]
    property var dpiEnables: [1, 1, 1, 1, 1, 1, 0, 0]
    property var dpiColors: ["#ff0000", "#00ff00", "#0000ff", "#ffff00", "#00ffff", "#ff00ff"]
    property int minDPI: 100
    property int maxDPI: 12000
    property int dpiBase: 100
    property string sensorType: "3360"

    function selectStage(index) { currentStage = index }

    function listOf(v, length, fallback) {
        var list = Values.toList(v)
        var out = []
        for (var i = 0; i < length; ++i)
            out.push(i < list.length ? list[i] : fallback[i])
        return out
    }

    function init(isSendData, isRecovery) {
        var recovery = isRecovery === true
        minDPI = Values.toInt(ui_View.getGlobalData("mouse/minDPI"), 100)
        maxDPI = Math.max(minDPI, Values.toInt(ui_View.getGlobalData("mouse/maxDPI"), 12000))
        dpiBase = Math.max(1, Values.toInt(ui_View.getGlobalData("mouse/dpiBase"), 100))
        var sensor = ui_View.getGlobalData("mouse/sensorType")
        sensorType = sensor === undefined || sensor === null ? "" : String(sensor)
        dpiCount = Math.max(1, Math.min(8, Values.toInt(ui_View.getData("mouse/dpiCount", recovery), 8)))
        var values = listOf(ui_View.getDataList("mouse/dpiValueArray", recovery), 8, dpiValues)
        dpiValues = values.map(function(v) { return Math.max(minDPI, Math.min(maxDPI, Values.toInt(v, minDPI))) })
        dpiEnables = listOf(ui_View.getDataList("mouse/dpiEnableArray", recovery), 8, dpiEnables)
                     .map(function(v) { return Values.toBool(v) ? 1 : 0 })
        dpiColors = listOf(ui_View.getDataList("mouse/dpiColorArray", recovery), 6, dpiColors)
                    .map(function(c) { return String(c) })
        var count = Values.toInt(ui_View.getData("mouse/currentDpiCount", recovery), 0)
        if (count < 1)
            count = dpiEnables.filter(function(e) { return e === 1 }).length
        stageCount = Math.max(1, Math.min(dpiCount, count))
        if (isSendData === true)
            send()
        pageInitialised(isSendData === true, recovery)
    }

    function send() {
        ui_View.setDataList("mouse/dpiValueArray", dpiValues)
        ui_View.setData("mouse/currentDpiCount", stageCount)
        ui_View.setDataList("mouse/dpiEnableArray", dpiEnables)
        ui_View.mouseSetDpi(stageCount, sensorType, dpiValues, dpiEnables)
        ui_View.setDataList("mouse/dpiColorArray", dpiColors)
        ui_View.mouseSetRGBColor(1, Dpi.colorBytes(dpiColors))
    }

    function saveData() {
        send()
        pageSaved()
    }

    function setValue(stage, value) {
        if (stage < 0 || stage > 7 || value === dpiValues[stage])
            return
        var list = dpiValues.slice()
        list[stage] = value
        dpiValues = list
        isSave = true
    }

    // Slider position p (track pixels) of a stage.
    function moveSlider(stage, p) {
        setValue(stage, Dpi.valueAt(p, minDPI, maxDPI, dpiBase))
    }

    function stepValue(stage, direction) {
        setValue(stage, Dpi.step(dpiValues[stage], direction, minDPI, maxDPI, dpiBase))
    }

    function setEnabledStage(stage, on) {
        var list = dpiEnables.slice()
        list[stage] = on ? 1 : 0
        dpiEnables = list
        isSave = true
    }

    // The number of stages in use; the stages beyond it are switched off.
    function setStageCount(count) {
        var n = Math.max(1, Math.min(dpiCount, count))
        stageCount = n
        dpiEnables = dpiEnables.map(function(e, i) { return i < n ? 1 : 0 })
        isSave = true
    }

    function setStageColor(stage, color) {
        if (stage < 0 || stage > 5)
            return
        var list = dpiColors.slice()
        list[stage] = String(color)
        dpiColors = list
        isSave = true
    }

    PagePanel {
        anchors.fill: parent
        caption: Values.at(page.dpiSettingLang, 0)
    }

    Row {
        anchors.right: parent.right
        anchors.rightMargin: 14
        y: 10
        spacing: 10
        z: 10
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: Values.at(page.dpiSettingLang, 1)
            color: mainIten.colorGray3
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        DropDown {
            objectName: "stageCountDropDown"
            width: 80
            rowHeight: 24
            model: {
                var items = []
                for (var i = 1; i <= page.dpiCount; ++i)
                    items.push(String(i))
                return items
            }
            currentIndex: page.stageCount - 1
            onActivated: function(index) { page.setStageCount(index + 1) }
        }
    }

    Column {
        x: 14
        y: 58
        width: parent.width - 28
        spacing: 6
        Repeater {
            model: 8
            delegate: Rectangle {
                id: stageRow
                required property int index
                readonly property bool active: index === page.currentStage
                readonly property bool inUse: index < page.stageCount
                objectName: "stageRow" + index
                width: parent.width
                height: 52
                radius: 4
                color: active ? "#2a2219" : "#15161a"
                border.color: active ? mainIten.colorPrimary : "transparent"
                opacity: inUse ? 1.0 : 0.45

                Rectangle {
                    objectName: "swatch"
                    x: 10
                    anchors.verticalCenter: parent.verticalCenter
                    width: 28
                    height: 28
                    radius: 14
                    color: index < 6 ? page.dpiColors[index] : "#ffffff"
                    border.color: swatchArea.containsMouse ? mainIten.colorPrimary : "#0d0e10"
                    border.width: 2
                    Text {
                        readonly property color fill: Qt.color(parent.color)
                        anchors.centerIn: parent
                        text: String(index + 1)
                        // Dark on light colours, white on dark ones.
                        color: 0.299 * fill.r + 0.587 * fill.g + 0.114 * fill.b > 0.5 ? "#1a1a1a" : "#ffffff"
                        font.family: mainIten.fontFamily
                        font.pixelSize: 14
                        font.bold: true
                    }
                    MouseArea {
                        id: swatchArea
                        anchors.fill: parent
                        enabled: index < 6
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: mainIten.dpiColorDialogItem().open(index, page.dpiColors[index])
                    }
                }
                ValueSlider {
                    objectName: "slider"
                    x: 52
                    anchors.verticalCenter: parent.verticalCenter
                    trackWidth: Dpi.track
                    visualWidth: 290
                    position: Dpi.positionOf(page.dpiValues[index], page.minDPI, page.maxDPI)
                    fillColor: index < 6 ? page.dpiColors[index] : "#ffffff"
                    onMoved: function(p) { page.moveSlider(index, p) }
                }
                Rectangle {
                    objectName: "minus"
                    x: 358
                    anchors.verticalCenter: parent.verticalCenter
                    width: 22
                    height: 22
                    radius: 3
                    color: "#1f2024"
                    border.color: minusArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
                    Text { anchors.centerIn: parent; text: "\u2212"; color: mainIten.fontColor; font.pixelSize: 16 }
                    MouseArea {
                        id: minusArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: page.stepValue(index, -1)
                    }
                }
                Text {
                    objectName: "valueText"
                    x: 384
                    width: 56
                    anchors.verticalCenter: parent.verticalCenter
                    horizontalAlignment: Text.AlignHCenter
                    text: String(page.dpiValues[index])
                    color: stageRow.active ? mainIten.colorPrimary : mainIten.fontColor
                    font.family: mainIten.fontFamily
                    font.pixelSize: mainIten.fontMaxSize
                }
                Rectangle {
                    objectName: "plus"
                    x: 444
                    anchors.verticalCenter: parent.verticalCenter
                    width: 22
                    height: 22
                    radius: 3
                    color: "#1f2024"
                    border.color: plusArea.containsMouse ? mainIten.colorPrimary : mainIten.colorGray1
                    Text { anchors.centerIn: parent; text: "+"; color: mainIten.fontColor; font.pixelSize: 16 }
                    MouseArea {
                        id: plusArea
                        anchors.fill: parent
                        hoverEnabled: true
                        cursorShape: Qt.PointingHandCursor
                        onClicked: page.stepValue(index, 1)
                    }
                }
                CheckBox {
                    objectName: "enableBox"
                    x: 482
                    anchors.verticalCenter: parent.verticalCenter
                    checked: page.dpiEnables[index] === 1
                    onToggled: function(on) { page.setEnabledStage(index, on) }
                }
                Text {
                    visible: stageRow.active
                    anchors.right: parent.right
                    anchors.rightMargin: 8
                    anchors.top: parent.top
                    anchors.topMargin: 2
                    text: Values.at(page.dpiSettingLang, 5)
                    color: mainIten.colorPrimary
                    font.family: mainIten.fontFamily
                    font.pixelSize: 10
                }
            }
        }
    }
}
