import QtQuick
import QtQuick.Layouts
import Vorn.Style

// One titled setting: title and description at the leading side, its control at the trailing
// side, vertically centred.
Item {
    id: row
    property string title
    property string description
    default property alias content: trailing.data

    Layout.fillWidth: true
    implicitHeight: layout.implicitHeight + 8
    implicitWidth: layout.implicitWidth

    RowLayout {
        id: layout
        anchors.fill: parent
        anchors.topMargin: 4
        anchors.bottomMargin: 4
        spacing: 12

        ColumnLayout {
            Layout.fillWidth: true
            Layout.alignment: Qt.AlignVCenter
            spacing: 2
            Text {
                Layout.fillWidth: true
                text: row.title
                font: Style.headlineFont
                color: Style.textPrimary
                elide: Text.ElideRight
            }
            Text {
                Layout.fillWidth: true
                visible: text.length > 0
                text: row.description
                font: Style.captionFont
                color: Style.textSecondary
                wrapMode: Text.WordWrap
            }
        }
        Item {
            id: trailing
            Layout.alignment: Qt.AlignVCenter | Qt.AlignRight
            implicitWidth: childrenRect.width
            implicitHeight: childrenRect.height
        }
    }
}
