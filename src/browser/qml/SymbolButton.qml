import QtQuick
import QtQuick.Controls
import Vorn.Style

// A borderless button showing one symbol; help is its accessible name and tooltip.
AbstractButton {
    id: button
    property string symbol
    property real size: 14
    property color iconColor: Style.textSecondary
    property color hoverColor: Style.textPrimary
    property string help

    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    padding: 4
    Accessible.role: Accessible.Button
    Accessible.name: help
    ToolTip.visible: hovered && help.length > 0
    ToolTip.delay: 700
    ToolTip.text: help

    contentItem: SymbolIcon {
        symbol: button.symbol
        size: button.size
        color: button.hovered || button.visualFocus ? button.hoverColor : button.iconColor
    }
    background: Rectangle {
        radius: 6
        color: button.down ? Qt.rgba(1, 1, 1, 0.14) : button.hovered ? Qt.rgba(1, 1, 1, 0.07) : "transparent"
    }
    FocusRing { radius: 8 }
}
