import QtQuick
import QtQuick.Controls

// A prompt's detail until the detail view with its form arrives.
FocusScope {
    id: detail
    objectName: "promptDetail"
    property var prompt
    signal back()
    signal finish()

    IconButton {
        id: backButton
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.leftMargin: 16
        glyph: "arrow_back"
        help: "Back"
        onClicked: detail.back()
    }
    Column {
        anchors.top: backButton.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.margins: 24
        spacing: 12
        Text {
            width: parent.width
            text: detail.prompt ? detail.prompt.title : ""
            wrapMode: Text.WordWrap
            color: Theme.textPrimary
            font.family: Theme.fontFamily
            font.pixelSize: 26
            font.weight: Font.Bold
        }
        Text {
            width: parent.width
            text: detail.prompt ? detail.prompt.promptDescription : ""
            wrapMode: Text.WordWrap
            color: Theme.textSecondary
            font.family: Theme.fontFamily
            font.pixelSize: 16
        }
    }
}
