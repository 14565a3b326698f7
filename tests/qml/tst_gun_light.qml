import QtQuick
import QtTest

// The gun editor and the lighting page against the recording mock backend.
Item {
    id: host
    width: 1280
    height: 720

    TestCase {
        id: test
        name: "GunAndLighting"
        when: windowShown

        property var scene: null

        function startScene(gunData) {
            mockBackend.reset()
            mockBackend.globals["mouse/selectGun"] = ["3", "4", "5"]
            gunData.forEach(function(g, i) { mockBackend.gunData[String(i)] = g })
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            scene = createTemporaryObject(component, host)
            scene.setScreenRect(1280, 720, false)
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            mockBackend.log = []
            return findChild(scene, "gunEditor")
        }

        readonly property var shipped: [
            ["M416", "L-Click", "9", "0", "5", "0"], ["AKM", "L-Click", "9", "0", "7", "0"],
            ["M16A4", "L-Click", "9", "0", "8", "0"], ["SCAR-L", "L-Click", "10", "0", "5", "0"],
            ["UNP9", "L-Click", "10", "0", "3", "0"], ["Thomson", "L-Click", "10", "0", "4", "0"]]

        function test_presetsAndSelectorsAreRead() {
            var gun = startScene(shipped)
            compare(gun.guns.length, 9)
            compare(gun.guns[3], ["SCAR-L", "L-Click", 10, 0, 5, 0])
            compare(gun.selectGun, [3, 4, 5])
            compare(gun.gunRates(), [10, 10, 10])
        }

        function test_newGunHasTheDefaults() {
            var gun = startScene(shipped)
            for (var i = 6; i < 9; ++i)
                compare(gun.guns[i].slice(1), ["L-Click", 10, 0, -10, 0])
            compare(gun.guns[6][0], "Custom 1")
        }

        function test_editSavesThePreset() {
            var gun = startScene(shipped)
            gun.setField(6, 4, -20)
            compare(mockBackend.callsOf("ui_View.mouseSaveGundata"), [[6, ["Custom 1", "L-Click", 10, 0, -20, 0]]])
            gun.setField(6, 4, -20)
            compare(mockBackend.callsOf("ui_View.mouseSaveGundata").length, 1)
        }

        function test_renameModifiesTheFileAndTheNameIndex() {
            var gun = startScene(shipped)
            verify(gun.renameGun(0, "Beryl"))
            compare(mockBackend.callsOf("ui_View.modifyGundata"), [[1, ["Beryl", "L-Click", 9, 0, 5, 0, "M416"]]])
            compare(mockBackend.callsOf("ui_View.updataNameList")[0][0], 1)
            compare(mockBackend.callsOf("ui_View.updataNameList")[0][1].slice(0, 2), ["Beryl", "AKM"])
            // A name another preset has is refused.
            verify(!gun.renameGun(1, "Beryl"))
        }

        function test_closeSendsTheThreeSelectorsAndTheKeyMatrix() {
            var gun = startScene(shipped)
            var keyMatrixSaves = 0
            findChild(scene, "keyMatrixPage").pageSaved.connect(function() { ++keyMatrixSaves })
            scene.showDialog(gun)
            gun.setSelector(2, 0)
            compare(mockBackend.callsOf("ui_View.setGlobalData").pop(), ["mouse/selectGun", [3, 0, 5]])
            mouseClick(findChild(gun, "gunClose"))
            compare(mockBackend.callsOf("ui_View.mouseSendGundata"), [[1, [0, 0, 5]], [2, [0, 0, 5]], [3, [0, 0, 4]]])
            compare(keyMatrixSaves, 1)
            // The rates of the three bound presets go with the key matrix.
            compare(mockBackend.callsOf("ui_View.mouseSetKeyMatrix").pop()[4], [10, 9, 10])
            verify(!gun.visible)
        }

        function test_reset() {
            var gun = startScene(shipped)
            gun.resetData()
            compare(gun.selectGun, [0, 1, 2])
            compare(mockBackend.callsOf("ui_View.setGlobalData"), [["mouse/selectGun", [0, 1, 2]]])
            compare(mockBackend.callsOf("ui_View.mouseSaveGundata"), [
                [0, ["M416", "L-Click", 9, 0, 5, 0]],
                [1, ["AKM", "L-Click", 9, 0, 7, 0]],
                [2, ["M16A4", "L-Click", 9, 0, 8, 0]]])
            compare(mockBackend.callsOf("ui_View.mouseSendGundata"), [[1, [0, 0, 5]], [2, [0, 0, 7]], [3, [0, 0, 8]]])
        }

        function test_lightingSave_data() {
            return [
                { tag: "Static", item: 0, effect: 0 },
                { tag: "Breath", item: 1, effect: 1 },
                { tag: "Neon", item: 2, effect: 2 },
                { tag: "Circulating Water", item: 3, effect: 3 },
                { tag: "Symmetrical Flow", item: 4, effect: 5 },
                { tag: "OFF", item: 5, effect: 6 }
            ]
        }
        function test_lightingSave(data) {
            startScene(shipped)
            var colors = []
            for (var i = 0; i < 45; ++i)
                colors.push(String(i))
            mockBackend.profileLists["mouseLight/lightValue2"] = ["0", "3", "10", "1"]
            mockBackend.profileLists["mouseLight/colorValue2"] = colors
            mockBackend.profile["mouseLight/lightNo"] = "2"
            var light = findChild(scene, "lightPage")
            light.init(false, false)
            compare(mockBackend.callsOf("ui_View.mouseSetLedType").length, 0)
            light.selectEffect(data.item)
            verify(light.isSave)
            mockBackend.log = []
            scene.saveAllData()
            verify(!light.isSave)
            var sent = mockBackend.callsOf("ui_View.mouseSetLedType")
            compare(sent.length, 1)
            compare(sent[0].slice(0, 4), [data.effect, 50, 3, 1])
            compare(sent[0][4], colors.map(Number))
            compare(mockBackend.callsOf("ui_View.setDataList").filter(function(c) { return c[0] === "mouseLight/lightValue2" }),
                    [["mouseLight/lightValue2", [data.effect, 3, 10, 1]]])
            compare(mockBackend.callsOf("ui_View.setData").filter(function(c) { return c[0] === "mouseLight/lightNo" }),
                    [["mouseLight/lightNo", 2]])
        }

        function test_lightingInitWithSendingSendsThePreset() {
            startScene(shipped)
            var light = findChild(scene, "lightPage")
            light.init(true, true)
            var reads = mockBackend.callsOf("ui_View.getDataList")
            verify(reads.length > 0)
            reads.forEach(function(r) { compare(r[1], true) })
            compare(mockBackend.callsOf("ui_View.mouseSetLedType").length, 1)
        }
    }
}
