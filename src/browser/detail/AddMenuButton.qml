import QtQuick
import QtQuick.Controls
import Vorn.Style

// The administration menu that adds a category or tag; assigned entries carry a check mark.
AbstractButton {
    id: button
    property var choices: []       // [{name, assigned}]
    property string help
    property string emptyText
    signal chosen(int index)

    implicitWidth: 26
    implicitHeight: 26
    hoverEnabled: true
    activeFocusOnTab: true
    Accessible.role: Accessible.ButtonMenu
    Accessible.name: help
    ToolTip.visible: hovered || visualFocus
    ToolTip.text: help
    ToolTip.delay: 500
    onClicked: menu.open()

    background: Rectangle {
        radius: 13
        color: button.hovered ? Qt.rgba(1, 1, 1, 0.1) : "transparent"
        border.width: button.visualFocus ? 2 : 0
        border.color: Style.brandPurple
    }
    contentItem: SymbolIcon { symbol: "plus.circle"; size: 18; color: Style.brandPurple }

    DarkMenu {
        id: menu
        y: button.height + 4
        implicitWidth: 220
        topPadding: 5
        bottomPadding: 5
        Instantiator {
            model: button.choices
            delegate: MenuItem {
                required property var modelData
                required property int index
                text: modelData.name
                checkable: false
                Accessible.name: modelData.name
                onTriggered: button.chosen(index)
                contentItem: Row {
                    spacing: 8
                    leftPadding: 4
                    SymbolIcon {
                        anchors.verticalCenter: parent.verticalCenter
                        symbol: "checkmark.circle.fill"
                        size: 14
                        color: Style.brandPurple
                        opacity: modelData.assigned ? 1 : 0
                    }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: modelData.name
                        color: Style.textPrimary
                        font.family: Style.family
                        font.pixelSize: 13
                    }
                }
                background: Rectangle {
                    implicitHeight: 30
                    radius: 6
                    color: parent.highlighted ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.35) : "transparent"
                }
            }
            onObjectAdded: (index, object) => menu.insertItem(index, object)
            onObjectRemoved: (index, object) => menu.removeItem(object)
        }
        MenuItem {
            enabled: false
            visible: button.choices.length === 0 && button.emptyText.length > 0
            height: visible ? implicitHeight : 0
            contentItem: Text { text: button.emptyText; color: Style.textSecondary; font.family: Style.family; font.pixelSize: 13 }
            background: null
        }
    }
}
