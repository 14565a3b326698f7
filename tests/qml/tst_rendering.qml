import QtQuick
import QtTest

// The scene draws at the two window sizes of the common screens without a
// single QML warning.
Item {
    id: host
    width: 1706
    height: 1024

    TestCase {
        name: "Rendering"
        when: windowShown

        function init() {
            failOnWarning(/.*/)
            mockBackend.reset()
        }

        function test_drawsWithoutWarnings_data() {
            return [
                { tag: "1280x720", w: 1280, h: 720, zoom: 1.0 },
                { tag: "1706x960", w: 1706, h: 960, zoom: 1706 / 1280 },
                { tag: "1280x1024", w: 1280, h: 1024, zoom: 1.0 }
            ]
        }

        function test_drawsWithoutWarnings(data) {
            var component = Qt.createComponent("qrc:/modules/qml/main.qml")
            compare(component.status, Component.Ready, component.errorString())
            var scene = createTemporaryObject(component, host)
            verify(scene)
            scene.setScreenRect(data.w, data.h, false)
            fuzzyCompare(scene.zoomInRate_min, Math.min(data.w / 1280, data.h / 720), 1e-9)
            scene.initUI()
            scene.setProtectUI(0)
            tryVerify(function() { return scene.isUiShown }, 2000)
            verify(waitForRendering(scene, 3000))
            var image = grabImage(scene)
            compare(image.width, data.w)
            compare(image.height, data.h)
            // The frame is painted: the centre of the design is not transparent.
            verify(image.pixel(data.w / 2, data.h / 2 + 300 * data.zoom).a > 0)
        }
    }
}
