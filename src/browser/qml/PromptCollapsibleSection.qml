import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style

// The header of a collapsible section: symbol, title, optional description, trailing
// content, count badge and a chevron that turns a quarter when open. It is the top slice of
// the section's glass card; the section's rows below it draw the rest of the card.
AbstractButton {
    id: header

    property string symbol
    property string description
    property bool isExpanded: false
    property int count: -1
    property bool isHighlighted: false
    // Entries of the header's context menu (right click or the menu key); none when null.
    property DarkMenu headerContextMenu: null
    default property alias headerTrailing: trailing.data

    // Asks the owner to open or close the section.
    signal toggleRequested()

    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    leftPadding: 16
    rightPadding: 16
    topPadding: 12
    bottomPadding: 12
    Accessible.role: Accessible.Button
    Accessible.name: text + (count >= 0 ? ", " + count : "") + (isExpanded ? qsTr(", expanded") : qsTr(", collapsed"))
    onClicked: toggleRequested()
    // The header's menu from the keyboard, its first entry selected; null without one.
    function showMenu() {
        if (!headerContextMenu)
            return null
        headerContextMenu.popupFromKeys(header, 16, header.height - 8)
        return headerContextMenu
    }
    Keys.onMenuPressed: showMenu()

    ContextMenuArea {
        onMenuRequested: (x, y) => { if (header.headerContextMenu) header.headerContextMenu.popup(header, x, y) }
    }

    background: Item {
        CardSlice {
            anchors.fill: parent
            roundTop: true
            roundBottom: !header.isExpanded
        }
        Rectangle { // hover, and the keyboard's highlight drawn as a prompt row's
            anchors.fill: parent
            anchors.margins: 1
            radius: 19
            visible: header.hovered || header.visualFocus || header.isHighlighted
            color: header.isHighlighted ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.10)
                                        : Qt.rgba(1, 1, 1, 0.04)
            border.color: header.visualFocus || header.isHighlighted
                          ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.6) : "transparent"
        }
    }

    contentItem: RowLayout {
        spacing: 12
        Rectangle {
            Layout.preferredWidth: 32
            Layout.preferredHeight: 32
            radius: 9
            color: Qt.rgba(Style.brandIndigo.r, Style.brandIndigo.g, Style.brandIndigo.b, 0.22)
            SymbolIcon {
                anchors.centerIn: parent
                symbol: header.symbol
                size: 18
                color: Qt.lighter(Style.brandIndigo, 1.45)
            }
        }
        ColumnLayout {
            Layout.fillWidth: true
            spacing: 1
            Text {
                Layout.fillWidth: true
                text: header.text
                elide: Text.ElideRight
                font: Style.headlineFont
                color: Style.textPrimary
            }
            Text {
                Layout.fillWidth: true
                visible: header.description.length > 0
                text: header.description
                elide: Text.ElideRight
                font: Style.captionFont
                color: Style.textSecondary
            }
        }
        Row {
            id: trailing
            Layout.alignment: Qt.AlignVCenter
            spacing: 6
        }
        Rectangle {
            objectName: "countBadge"
            visible: header.count >= 0
            Layout.preferredHeight: 20
            Layout.preferredWidth: Math.max(24, countText.implicitWidth + 14)
            radius: 10
            color: Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.22)
            Text {
                id: countText
                anchors.centerIn: parent
                text: header.count
                font.family: Style.family
                font.pixelSize: 11
                font.weight: Font.DemiBold
                color: Qt.lighter(Style.brandPurple, 1.35)
            }
        }
        SymbolIcon {
            symbol: "chevron.right"
            size: 14
            font.bold: true
            color: Style.textSecondary
            rotation: header.isExpanded ? 90 : 0
            Behavior on rotation { NumberAnimation { duration: Style.defaultAnimation; easing.type: Easing.InOutQuad } }
        }
    }
}
