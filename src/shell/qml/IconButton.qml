import QtQuick
import QtQuick.Controls

// A borderless button showing one Material Icons glyph, with a tooltip.
AbstractButton {
    id: button
    property string glyph
    property string help
    property real glyphSize: 20

    implicitWidth: glyphSize + 12
    implicitHeight: glyphSize + 12
    focusPolicy: Qt.NoFocus
    hoverEnabled: true
    Accessible.name: help
    ToolTip.visible: hovered && help.length > 0
    ToolTip.text: help
    ToolTip.delay: 600

    contentItem: Text {
        text: button.glyph
        font.family: Theme.iconFamily
        font.pixelSize: button.glyphSize
        color: button.hovered ? Theme.textPrimary : Theme.textSecondary
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }
    background: null
}
