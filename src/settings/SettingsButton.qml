import QtQuick
import QtQuick.Controls
import Vorn.Style

// A push button in the settings' dark look. "destructive" draws its text red, "prominent"
// fills it with the accent colour.
Button {
    id: control
    property string role: "normal"
    readonly property color destructiveColor: Qt.rgba(1, 0.27, 0.23, 1)

    implicitHeight: 30
    leftPadding: 14
    rightPadding: 14
    font.family: Style.family
    font.pixelSize: 13
    font.weight: Font.Medium
    Accessible.name: text
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    contentItem: Text {
        text: control.text
        font: control.font
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
        color: control.role === "destructive" ? control.destructiveColor
             : control.role === "prominent" ? "white" : Style.textPrimary
        opacity: control.enabled ? 1 : 0.4
    }
    background: Rectangle {
        radius: 7
        color: {
            const base = control.role === "prominent" ? Style.accentColor : Style.systemButtonColor
            return control.down ? Qt.darker(base, 1.3) : control.hovered ? Qt.lighter(base, 1.25) : base
        }
        border.width: control.visualFocus ? 2 : 1
        border.color: control.visualFocus ? Style.accentColor : Style.glassStroke
    }
}
