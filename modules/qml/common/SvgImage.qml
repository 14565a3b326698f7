import QtQuick

// An SVG rasterised at the pixel size it finally covers on screen, so the
// art stays sharp at every zoom of the scaled frame.
Image {
    // Scale applied by the ancestors (the frame's zoom); 1 for unscaled items.
    property real renderScale: (typeof mainIten !== "undefined" && mainIten) ? mainIten.zoomInRate_min : 1
    sourceSize.width: Math.max(1, Math.ceil(width * renderScale))
    sourceSize.height: Math.max(1, Math.ceil(height * renderScale))
    fillMode: Image.Stretch
    smooth: true
    mipmap: false
}
