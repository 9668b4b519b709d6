import QtQuick
import Vorn.Style

// What the results show when nothing matched: the message and, when there is one, a hint.
Item {
    id: empty
    property string message
    property string hint

    implicitHeight: emptyColumn.implicitHeight + 48
    Column {
        id: emptyColumn
        anchors.centerIn: parent
        width: parent.width
        spacing: 8
        Text {
            objectName: "noResults"
            width: parent.width
            horizontalAlignment: Text.AlignHCenter
            text: empty.message
            font: Style.bodyFont
            color: Style.textSecondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Text {
            objectName: "noResultsHint"
            width: parent.width
            visible: text.length > 0
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            text: empty.hint
            font: Style.captionFont
            color: Style.textSecondary
            opacity: 0.8
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
    }
}
