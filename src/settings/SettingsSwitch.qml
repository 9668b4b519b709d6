import QtQuick
import QtQuick.Controls
import Vorn.Style

// A switch in the accent colour, with an optional label after it.
Switch {
    id: control
    font: Style.bodyFont
    Accessible.name: text

    contentItem: Text {
        visible: control.text.length > 0
        leftPadding: control.indicator.width + 10
        text: control.text
        font: control.font
        color: Style.textPrimary
        verticalAlignment: Text.AlignVCenter
    }
    indicator: Rectangle {
        implicitWidth: 40
        implicitHeight: 22
        x: control.leftPadding
        y: (control.height - height) / 2
        radius: 11
        color: control.checked ? Style.accentColor : Qt.rgba(1, 1, 1, 0.18)
        Behavior on color { ColorAnimation { duration: 150 } }
        FocusRing { shown: control.visualFocus; radius: 13 }
        Rectangle {
            width: 18
            height: 18
            radius: 9
            y: 2
            x: control.checked ? parent.width - width - 2 : 2
            color: "white"
            Behavior on x { NumberAnimation { duration: 150 } }
        }
    }
}
