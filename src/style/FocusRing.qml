import QtQuick

// The keyboard focus ring every focusable control draws: a line in the accent colour just
// outside its parent, shown while `shown` holds (by default while the parent has the
// keyboard's visual focus). Declare it inside the control, not inside its background.
Rectangle {
    property bool shown: parent !== null && parent.visualFocus === true

    anchors.fill: parent
    anchors.margins: -2
    radius: 8
    z: 100
    visible: shown
    color: "transparent"
    border.width: 2
    border.color: Style.accentColor
}
