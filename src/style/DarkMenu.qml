import QtQuick
import QtQuick.Controls
import Vorn.Style

// A context or drop-down menu in the panel's dark look.
Menu {
    id: menu
    padding: 4
    implicitWidth: Math.max(180, contentItem.implicitWidth + leftPadding + rightPadding)

    readonly property FocusReturn focusReturn: FocusReturn { target: menu }

    background: Rectangle {
        implicitWidth: 180
        radius: 8
        color: Qt.rgba(0.16, 0.16, 0.2, 0.98)
        border.color: Style.glassStroke
        Rectangle { // soft shadow
            z: -1
            anchors.fill: parent
            anchors.topMargin: 3
            anchors.bottomMargin: -4
            radius: 9
            color: Qt.rgba(0, 0, 0, 0.3)
        }
    }
}
