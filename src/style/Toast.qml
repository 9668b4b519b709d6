import QtQuick
import Vorn.Style

// A short confirmation at the bottom of its parent that dismisses itself.
Item {
    id: toast
    property bool isPresented: false
    property string message
    property string icon: "checkmark.circle.fill"
    property real duration: 2.0

    anchors.fill: parent
    z: 100

    // Each showing schedules its own dismissal; an earlier one still fires at its time.
    onIsPresentedChanged: if (isPresented) {
        const timer = dismissal.createObject(toast)
        timer.start()
    }
    Component {
        id: dismissal
        Timer {
            interval: toast.duration * 1000
            onTriggered: { toast.isPresented = false; destroy() }
        }
    }

    Rectangle {
        id: bubble
        anchors.horizontalCenter: parent.horizontalCenter
        y: toast.isPresented ? parent.height - height - 50 : parent.height
        opacity: toast.isPresented ? 1 : 0
        width: row.implicitWidth + 32
        height: row.implicitHeight + 24
        radius: 8
        color: Qt.rgba(0.2, 0.2, 0.24, 1)
        border.color: Style.glassStroke
        Behavior on y { NumberAnimation { duration: Style.defaultAnimation; easing.type: Easing.OutCubic } }
        Behavior on opacity { NumberAnimation { duration: Style.defaultAnimation } }
        Accessible.role: Accessible.AlertMessage
        Accessible.name: toast.message

        Row {
            id: row
            anchors.centerIn: parent
            spacing: 8
            SymbolIcon { symbol: toast.icon; size: 16; color: Style.brandPurple }
            Text { text: toast.message; color: Style.textPrimary; font.family: Style.family; font.pixelSize: 16; font.weight: Font.Medium }
        }
    }
}
