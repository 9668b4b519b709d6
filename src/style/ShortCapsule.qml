import QtQuick
import Vorn.Style

// A small capsule chip; its children sit in a row.
Rectangle {
    id: capsule
    default property alias content: row.data
    implicitWidth: row.implicitWidth + 12
    implicitHeight: row.implicitHeight + 4
    radius: height / 2
    color: Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.1)

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
    }
}
