import QtQuick
import Vorn.Style

// A frosted card: translucent fill, hairline outline, soft shadow.
Item {
    id: card
    property real padding: 12
    default property alias content: holder.data
    implicitWidth: holder.childrenRect.width + 2 * padding
    implicitHeight: holder.childrenRect.height + 2 * padding

    Rectangle { // shadow
        anchors.fill: parent
        anchors.topMargin: 5
        anchors.bottomMargin: -5
        radius: 20
        color: Qt.rgba(0, 0, 0, 0.2)
    }
    Rectangle {
        anchors.fill: parent
        radius: 20
        color: Style.glassFill
        border.color: Style.glassStroke
        border.width: 1
    }
    Item {
        id: holder
        anchors.fill: parent
        anchors.margins: card.padding
    }
}
