import QtQuick
import QtQuick.Controls
import Vorn.Style

// A borderless button showing one symbol, with a tooltip; a stop of the Tab order.
AbstractButton {
    id: button
    property string symbol
    property string help
    property real glyphSize: 20

    implicitWidth: glyphSize + 12
    implicitHeight: glyphSize + 12
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    Accessible.role: Accessible.Button
    Accessible.name: help
    ToolTip.visible: hovered && help.length > 0
    ToolTip.text: help
    ToolTip.delay: 600

    contentItem: SymbolIcon {
        symbol: button.symbol
        size: button.glyphSize
        color: button.hovered || button.visualFocus ? Style.textPrimary : Style.textSecondary
    }
    background: null
    Keys.onReturnPressed: clicked()
    Keys.onEnterPressed: clicked()

    FocusRing { radius: height / 2 }
}
