import QtQuick
import "../common"
import "../common/Values.js" as Values

// Lighting page (tab 1): its tab is hidden, but it is initialised and saved
// with the others. Four named presets, each an effect with its speed,
// brightness and direction steps and fifteen colour blocks.
PageBase {
    id: page
    property var lightControlLang: [
        "Lighting", "Static", "Breath", "Neon", "Circulating Water",
        "Symmetrical Flow", "OFF", "Effect", "Colour", "Brightness", "Speed",
        "Direction", "clockwise", "anti clockwise", "up", "down", "Presets"
    ]

    // Effect numbers of the six effects, in menu order (4 is not offered).
    readonly property var effectNumbers: [0, 1, 2, 3, 5, 6]
    readonly property int presetCount: 4
    readonly property int colorBlocks: 15
    readonly property int maxSpeedStep: 4
    readonly property int maxBrightnessStep: 20
    readonly property var defaultNames: ["Light1", "Light2", "Light3", "Light4"]

    // Per preset: {value: [effect, speed, brightness, direction], colors: [45], colorIndex}.
    property var presets: []
    property var presetNames: defaultNames
    property int lightNo: 0
    readonly property var current: presets[lightNo] || defaultPreset(0)

    function tr(i) { return Values.at(lightControlLang, i) }

    function suffix(i) { return i === 0 ? "" : String(i) }

    function defaultPreset(i) {
        var colors = []
        var base = [[255, 0, 0], [255, 128, 0], [255, 255, 0], [128, 255, 0], [0, 255, 0]]
        for (var k = 0; k < colorBlocks; ++k)
            colors = colors.concat(base[k % base.length])
        return { value: [effectNumbers[i % effectNumbers.length], 2, 4, 0], colors: colors, colorIndex: 0 }
    }

    function init(isSendData, isRecovery) {
        var recovery = isRecovery === true
        var list = []
        for (var i = 0; i < presetCount; ++i) {
            var p = defaultPreset(i)
            var value = Values.toList(ui_View.getDataList("mouseLight/lightValue" + suffix(i), recovery))
            if (value.length >= 4)
                p.value = value.slice(0, 4).map(function(v) { return Values.toInt(v, 0) })
            var colors = Values.toList(ui_View.getDataList("mouseLight/colorValue" + suffix(i), recovery))
            if (colors.length >= colorBlocks * 3)
                p.colors = colors.slice(0, colorBlocks * 3).map(function(v) { return Values.toInt(v, 0) & 0xFF })
            p.colorIndex = Math.max(0, Math.min(colorBlocks - 1,
                Values.toInt(ui_View.getData("mouseLight/colorIndex" + suffix(i), recovery), 0)))
            list.push(p)
        }
        presets = list
        var names = Values.toList(ui_View.getDataList("mouseLight/lightName", recovery))
        presetNames = names.length === presetCount ? names : defaultNames
        lightNo = Math.max(0, Math.min(presetCount - 1, Values.toInt(ui_View.getData("mouseLight/lightNo", recovery), 0)))
        if (isSendData === true)
            sendLight()
        pageInitialised(isSendData === true, recovery)
    }

    function saveData() {
        for (var i = 0; i < presets.length; ++i) {
            ui_View.setDataList("mouseLight/lightValue" + suffix(i), presets[i].value)
            ui_View.setDataList("mouseLight/colorValue" + suffix(i), presets[i].colors)
            ui_View.setData("mouseLight/colorIndex" + suffix(i), presets[i].colorIndex)
        }
        ui_View.setData("mouseLight/lightNo", lightNo)
        ui_View.setData("mouseLight/lightCount", presetCount)
        ui_View.setDataList("mouseLight/lightName", presetNames)
        sendLight()
        pageSaved()
    }

    function sendLight() {
        var v = current.value
        ui_View.mouseSetLedType(v[0], v[2] * 5, v[1], v[3], current.colors)
    }

    // field: 0 effect, 1 speed step, 2 brightness step, 3 direction.
    function setValue(field, value) {
        var list = presets.slice()
        var p = Object.assign({}, list[lightNo])
        p.value = p.value.slice()
        p.value[field] = value
        list[lightNo] = p
        presets = list
        isSave = true
    }

    function selectEffect(menuIndex) { setValue(0, effectNumbers[menuIndex]) }

    function selectPreset(i) {
        if (i === lightNo)
            return
        lightNo = i
        isSave = true
    }

    function selectColorBlock(k) {
        var list = presets.slice()
        var p = Object.assign({}, list[lightNo])
        p.colorIndex = k
        list[lightNo] = p
        presets = list
        isSave = true
    }

    function setBlockColor(c) {
        var list = presets.slice()
        var p = Object.assign({}, list[lightNo])
        p.colors = p.colors.slice()
        var k = p.colorIndex * 3
        p.colors[k] = Math.round(c.r * 255)
        p.colors[k + 1] = Math.round(c.g * 255)
        p.colors[k + 2] = Math.round(c.b * 255)
        list[lightNo] = p
        presets = list
        isSave = true
    }

    function blockColor(k) {
        var c = current.colors
        return Qt.rgba(c[k * 3] / 255, c[k * 3 + 1] / 255, c[k * 3 + 2] / 255, 1)
    }

    PagePanel {
        anchors.fill: parent
        caption: page.tr(0)
    }

    component Label: Text {
        color: mainIten.colorGray2
        font.family: mainIten.fontFamily
        font.pixelSize: mainIten.fontMinSize + 2
    }

    component Choice: Rectangle {
        property string text: ""
        property bool selected: false
        signal picked()
        width: 220
        height: 30
        radius: 3
        color: selected ? "#3a2c1c" : choiceArea.containsMouse ? "#24262b" : "#1f2024"
        border.color: selected ? mainIten.colorPrimary : mainIten.colorGray1
        Text {
            anchors.left: parent.left
            anchors.leftMargin: 12
            anchors.verticalCenter: parent.verticalCenter
            text: parent.text
            color: parent.selected ? mainIten.colorPrimary : mainIten.fontColor
            font.family: mainIten.fontFamily
            font.pixelSize: mainIten.fontNormalSize
        }
        MouseArea {
            id: choiceArea
            anchors.fill: parent
            hoverEnabled: true
            cursorShape: Qt.PointingHandCursor
            onClicked: parent.picked()
        }
    }

    // A track with steps 0..steps, dragged or clicked.
    component StepSlider: Item {
        id: slider
        property int steps: 4
        property int value: 0
        signal moved(int value)
        width: 360
        height: 24
        Rectangle { y: 10; width: parent.width; height: 4; radius: 2; color: mainIten.colorGray1 }
        Rectangle { y: 10; width: knob.x + 8; height: 4; radius: 2; color: mainIten.colorPrimary }
        Rectangle {
            id: knob
            x: slider.steps > 0 ? slider.value / slider.steps * (slider.width - 16) : 0
            y: 4
            width: 16; height: 16; radius: 8
            color: mainIten.fontColor
            border.color: mainIten.colorPrimary
            border.width: 2
        }
        MouseArea {
            anchors.fill: parent
            function pick(mx) {
                var v = Math.round(Math.max(0, Math.min(1, (mx - 8) / (slider.width - 16))) * slider.steps)
                if (v !== slider.value)
                    slider.moved(v)
            }
            onPressed: function(mouse) { mainIten.mainFocus(); pick(mouse.x) }
            onPositionChanged: function(mouse) { if (pressed) pick(mouse.x) }
        }
    }

    Column {
        id: leftColumn
        x: 24
        y: 56
        spacing: 6
        Label { text: page.tr(16) }
        Repeater {
            model: page.presetCount
            delegate: Choice {
                required property int index
                objectName: "lightPreset" + index
                text: Values.at(page.presetNames, index)
                selected: page.lightNo === index
                onPicked: page.selectPreset(index)
            }
        }
        Item { width: 1; height: 10 }
        Label { text: page.tr(7) }
        Repeater {
            model: page.effectNumbers.length
            delegate: Choice {
                required property int index
                objectName: "effect" + index
                text: page.tr(1 + index)
                selected: page.current.value[0] === page.effectNumbers[index]
                onPicked: page.selectEffect(index)
            }
        }
    }

    Column {
        x: leftColumn.x + 220 + 60
        y: 60
        spacing: 14
        opacity: page.current.value[0] === 6 ? 0.4 : 1
        enabled: page.current.value[0] !== 6

        Label { text: page.tr(8) }
        Grid {
            columns: 15
            spacing: 6
            Repeater {
                model: page.colorBlocks
                delegate: Rectangle {
                    required property int index
                    objectName: "colorBlock" + index
                    width: 34; height: 34; radius: 3
                    color: page.blockColor(index)
                    border.width: page.current.colorIndex === index ? 3 : 1
                    border.color: page.current.colorIndex === index ? mainIten.fontColor : mainIten.colorGray1
                    MouseArea { anchors.fill: parent; onClicked: page.selectColorBlock(index) }
                }
            }
        }
        Row {
            spacing: 8
            Repeater {
                model: [mainIten.color1, mainIten.color2, mainIten.color3, mainIten.color4,
                        mainIten.color5, mainIten.color6, mainIten.color7, mainIten.color8]
                delegate: Rectangle {
                    required property var modelData
                    required property int index
                    objectName: "blockColor" + index
                    width: 26; height: 26; radius: 13
                    color: modelData
                    border.color: mainIten.colorGray1
                    MouseArea { anchors.fill: parent; cursorShape: Qt.PointingHandCursor; onClicked: page.setBlockColor(parent.color) }
                }
            }
        }
        Item { width: 1; height: 6 }
        Label { text: page.tr(9) + "  " + page.current.value[2] * 5 + "%" }
        StepSlider {
            objectName: "brightnessSlider"
            width: 500
            steps: page.maxBrightnessStep
            value: page.current.value[2]
            onMoved: function(v) { page.setValue(2, v) }
        }
        Label { text: page.tr(10) + "  " + (page.current.value[1] + 1) }
        StepSlider {
            objectName: "speedSlider"
            width: 500
            steps: page.maxSpeedStep
            value: page.current.value[1]
            onMoved: function(v) { page.setValue(1, v) }
        }
        Label { text: page.tr(11) }
        Row {
            spacing: 10
            Repeater {
                model: 4
                delegate: Choice {
                    required property int index
                    objectName: "direction" + index
                    width: 150
                    text: page.tr(12 + index)
                    selected: page.current.value[3] === index
                    onPicked: page.setValue(3, index)
                }
            }
        }
    }
}
