import QtQuick
import Vorn.Style

// A tag chip; it shows a delete button only when deletable is set (onDeleted then fires).
Rectangle {
    id: tag
    property string text
    property bool deletable: false
    signal deleted()

    implicitWidth: row.implicitWidth + 20
    implicitHeight: row.implicitHeight + 8
    radius: 6
    color: Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.2)
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    Row {
        id: row
        anchors.centerIn: parent
        spacing: 4
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: tag.text
            font: Style.captionFont
            color: Style.textPrimary
        }
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            visible: tag.deletable
            symbol: "xmark"
            size: 8
            font.bold: true
            color: Qt.rgba(1, 1, 1, 0.7)
            Accessible.ignored: false
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Remove %1").arg(tag.text)
            TapHandler { onTapped: tag.deleted() }
        }
    }
}
