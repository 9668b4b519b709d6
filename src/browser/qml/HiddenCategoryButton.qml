import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style

// An entry of "Hidden Categories": pressing it brings the category back into the library.
AbstractButton {
    id: entry
    property QtObject category
    property bool isHighlighted: false

    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    leftPadding: 16
    rightPadding: 16
    topPadding: 8
    bottomPadding: 8
    text: category ? category.name : ""
    Accessible.role: Accessible.Button
    Accessible.name: qsTr("Unhide %1").arg(text)

    background: Rectangle {
        radius: 8
        color: entry.hovered ? Qt.rgba(1, 1, 1, 0.04) : "transparent"
        border.color: entry.visualFocus ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.45) : "transparent"
    }
    contentItem: RowLayout {
        spacing: 10
        SymbolIcon {
            symbol: entry.category ? entry.category.iconSymbol : "folder"
            size: 16
            color: Style.textSecondary
        }
        Text {
            Layout.fillWidth: true
            text: entry.text
            elide: Text.ElideRight
            font.family: Style.family
            font.pixelSize: 14
            color: Style.textSecondary
        }
        SymbolIcon {
            symbol: "eye.slash"
            size: 14
            color: entry.hovered ? Style.textPrimary : Style.textSecondary
        }
    }
}
