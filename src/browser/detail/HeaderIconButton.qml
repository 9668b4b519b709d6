import QtQuick
import QtQuick.Controls
import Vorn.Style

// A plain icon button of the detail header: a symbol, a help text, a weaker tint when off.
AbstractButton {
    id: button
    property string symbol
    property string help
    // The name read out by assistive technology; the help text unless a button has none.
    property string accessibleName: help
    property real symbolSize: 20
    property color tint: Style.textPrimary

    implicitWidth: symbolSize + 12
    implicitHeight: symbolSize + 12
    hoverEnabled: true
    activeFocusOnTab: true
    focusPolicy: Qt.StrongFocus
    Accessible.role: Accessible.Button
    Accessible.name: accessibleName
    ToolTip.visible: help.length > 0 && (hovered || visualFocus)
    ToolTip.text: help
    ToolTip.delay: 500

    background: Rectangle {
        radius: 8
        color: button.down ? Qt.rgba(1, 1, 1, 0.16) : button.hovered && button.enabled ? Qt.rgba(1, 1, 1, 0.08) : "transparent"
        border.width: button.visualFocus ? 2 : 0
        border.color: Style.brandPurple
    }
    contentItem: SymbolIcon {
        symbol: button.symbol
        size: button.symbolSize
        color: button.tint
        opacity: button.enabled ? 1 : 0.3
    }
}
