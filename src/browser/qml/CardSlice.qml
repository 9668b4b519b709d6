import QtQuick
import Vorn.Style

// One horizontal slice of a glass card, so that a card can span several rows of a list:
// the first slice draws the rounded top, the last one the rounded bottom and the shadow below.
Item {
    id: slice
    property bool roundTop: false
    property bool roundBottom: false
    readonly property real radius: 20
    readonly property real shadowOffset: 5

    Item { // shadow, showing through the translucent fill as under a whole card
        x: 0
        y: slice.roundTop ? slice.shadowOffset : 0
        width: parent.width
        height: parent.height - y + (slice.roundBottom ? slice.shadowOffset : 0)
        clip: true
        Rectangle {
            width: parent.width
            y: slice.roundTop ? 0 : -slice.radius - 2
            height: parent.height - y + (slice.roundBottom ? 0 : slice.radius + 2)
            radius: slice.radius
            color: Qt.rgba(0, 0, 0, 0.2)
        }
    }
    Item {
        anchors.fill: parent
        clip: true
        Rectangle {
            width: parent.width
            y: slice.roundTop ? 0 : -slice.radius - 2
            height: parent.height - y + (slice.roundBottom ? 0 : slice.radius + 2)
            radius: slice.radius
            color: Style.glassFill
            border.color: Style.glassStroke
            border.width: 1
        }
    }
}
