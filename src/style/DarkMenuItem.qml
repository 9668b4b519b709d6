import QtQuick
import QtQuick.Controls
import Vorn.Style

// One entry of a DarkMenu: an optional symbol and the text.
MenuItem {
    id: item
    property string symbol
    implicitHeight: 30
    Accessible.name: text

    contentItem: Row {
        spacing: 8
        leftPadding: 4
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: item.symbol.length > 0
            symbol: item.symbol
            size: 15
            color: item.enabled ? Style.textPrimary : Style.textSecondary
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: item.text
            font.family: Style.family
            font.pixelSize: 13
            color: item.enabled ? Style.textPrimary : Style.textSecondary
        }
    }
    background: Rectangle {
        radius: 5
        color: item.highlighted && item.enabled ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.35)
                                                : "transparent"
    }
}
