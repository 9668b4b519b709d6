import QtQuick
import QtQuick.Controls
import Vorn.Style

// One global list in the editor's palette: pressing copies its snippet; hovering shows the
// first values, and the context menu lists them.
AbstractButton {
    id: chip
    property string key
    property string help
    property var values: []
    signal copyRequested(string key)

    hoverEnabled: true
    activeFocusOnTab: true
    padding: 0
    implicitWidth: label.implicitWidth + 20
    implicitHeight: label.implicitHeight + 10
    Accessible.role: Accessible.Button
    Accessible.name: key
    Accessible.description: help
    ToolTip.visible: help.length > 0 && (hovered || visualFocus) && !menu.visible
    ToolTip.text: help
    ToolTip.delay: 500
    onClicked: chip.copyRequested(chip.key)
    Keys.onMenuPressed: menu.popup(chip, 0, chip.height + 4)

    background: Rectangle {
        radius: 8
        color: chip.down ? Qt.darker(Style.valueColor, 1.25) : chip.hovered ? Qt.lighter(Style.valueColor, 1.1) : Style.valueColor
        border.width: chip.visualFocus ? 2 : 0
        border.color: "white"
    }
    contentItem: Text {
        id: label
        text: chip.key
        color: "white"
        font.family: Style.family
        font.pixelSize: 12
        font.weight: Font.DemiBold
        horizontalAlignment: Text.AlignHCenter
        verticalAlignment: Text.AlignVCenter
    }

    ContextMenuArea {
        onMenuRequested: (x, y) => menu.popup(chip, x, y)
    }
    DarkMenu {
        id: menu
        topPadding: 5
        bottomPadding: 5
        Instantiator {
            model: chip.values
            delegate: MenuItem {
                required property string modelData
                enabled: false
                text: modelData
                contentItem: Text {
                    text: modelData
                    color: Style.textSecondary
                    font.family: Style.family
                    font.pixelSize: 13
                    elide: Text.ElideRight
                }
                background: Item { implicitHeight: 28 }
            }
            onObjectAdded: (index, object) => menu.insertItem(index, object)
            onObjectRemoved: (index, object) => menu.removeItem(object)
        }
    }
}
