import QtQuick
import QtQuick.Controls
import Vorn.Style

// The prompt's preview picture over a dark backdrop; pinch or Ctrl+wheel zooms, a drag
// moves it, and zooming out below the fitted size springs back.
FocusScope {
    id: preview
    objectName: "imagePreviewView"
    property url imageURL
    signal close()

    property real imageScale: 1
    property real lastScale: 1
    property real offsetX: 0
    property real offsetY: 0
    property real lastOffsetX: 0
    property real lastOffsetY: 0

    Keys.onEscapePressed: preview.close()
    Component.onCompleted: forceActiveFocus()

    function springBack() {
        if (preview.imageScale < 1) {
            spring.restart()
        }
    }

    ParallelAnimation {
        id: spring
        NumberAnimation { target: preview; property: "imageScale"; to: 1; duration: 350; easing.type: Easing.OutBack }
        NumberAnimation { target: preview; property: "offsetX"; to: 0; duration: 350; easing.type: Easing.OutBack }
        NumberAnimation { target: preview; property: "offsetY"; to: 0; duration: 350; easing.type: Easing.OutBack }
        onFinished: { preview.lastOffsetX = 0; preview.lastOffsetY = 0 }
    }

    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.9)
        TapHandler { onSingleTapped: preview.close() }
    }

    Item {
        id: frame
        anchors.fill: parent
        anchors.margins: 20
        anchors.topMargin: 64
        clip: true

        Image {
            id: image
            objectName: "previewImage"
            anchors.fill: parent
            source: preview.imageURL
            asynchronous: true
            cache: true
            fillMode: Image.PreserveAspectFit
            scale: preview.imageScale
            transform: Translate { x: preview.offsetX; y: preview.offsetY }
            Accessible.role: Accessible.Graphic
            Accessible.name: qsTr("Prompt Preview")
        }
        // Gestures act on the picture only, not on the backdrop that closes.
        Item {
            anchors.fill: parent
            visible: image.status === Image.Ready
            PinchHandler {
                target: null
                onActiveScaleChanged: {
                    if (!active)
                        return
                    const factor = activeScale / preview.lastScale
                    preview.lastScale = activeScale
                    preview.imageScale = Math.max(0.1, preview.imageScale * factor)
                }
                onActiveChanged: if (!active) { preview.lastScale = 1; preview.springBack() }
            }
            DragHandler {
                target: null
                dragThreshold: 10
                onActiveTranslationChanged: if (active) {
                    preview.offsetX = preview.lastOffsetX + activeTranslation.x
                    preview.offsetY = preview.lastOffsetY + activeTranslation.y
                }
                onActiveChanged: if (!active) { preview.lastOffsetX = preview.offsetX; preview.lastOffsetY = preview.offsetY }
            }
            WheelHandler {
                acceptedModifiers: Qt.ControlModifier
                target: null
                onWheel: (event) => {
                    const factor = Math.pow(1.0015, event.angleDelta.y)
                    preview.imageScale = Math.max(0.1, Math.min(10, preview.imageScale * factor))
                    wheelEnd.restart()
                }
            }
            TapHandler { }  // a tap on the picture does not close
        }
        Timer { id: wheelEnd; interval: 300; onTriggered: preview.springBack() }

        BusyIndicator {
            anchors.centerIn: parent
            running: image.status === Image.Loading
            visible: running
            Accessible.name: qsTr("Loading")
        }
        Column {
            anchors.centerIn: parent
            visible: image.status === Image.Error
            spacing: 10
            SymbolIcon { anchors.horizontalCenter: parent.horizontalCenter; symbol: "exclamationmark.triangle"; size: 40; color: Style.favoriteYellow }
            Text {
                text: qsTr("Failed to load image")
                color: Style.textPrimary
                font: Style.headlineFont
            }
        }
    }

    Text {
        anchors.left: parent.left
        anchors.leftMargin: 24
        anchors.verticalCenter: closeButton.verticalCenter
        text: qsTr("Prompt Preview")
        color: Style.textPrimary
        font: Style.headlineFont
    }
    AbstractButton {
        id: closeButton
        objectName: "previewCloseButton"
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.margins: 16
        width: 34; height: 34
        activeFocusOnTab: true
        Accessible.role: Accessible.Button
        Accessible.name: qsTr("Close")
        onClicked: preview.close()
        contentItem: SymbolIcon { symbol: "xmark.circle.fill"; size: 30; color: Qt.rgba(1, 1, 1, 0.85) }
        background: null
    }
}
