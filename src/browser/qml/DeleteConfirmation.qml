import QtQuick
import QtQuick.Controls
import Vorn.Style

// The alert before a prompt is deleted: "Delete" removes it, "Cancel" (or Escape) keeps it.
Popup {
    id: alert
    objectName: "deleteConfirmation"

    property QtObject prompt
    signal confirmed(QtObject prompt)

    function ask(p) {
        prompt = p
        open()
    }

    parent: Overlay.overlay
    anchors.centerIn: parent
    width: 320
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape
    onOpened: cancelButton.forceActiveFocus()
    onClosed: prompt = null

    background: Rectangle {
        radius: 14
        color: Qt.rgba(0.14, 0.14, 0.18, 1)
        border.color: Style.glassStroke
    }

    contentItem: Column {
        spacing: 14
        Text {
            width: parent.width
            text: qsTr("Delete Prompt?")
            horizontalAlignment: Text.AlignHCenter
            font: Style.headlineFont
            color: Style.textPrimary
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        Text {
            objectName: "deleteMessage"
            width: parent.width
            text: qsTr("Delete '%1'?").arg(alert.prompt ? alert.prompt.title : "")
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.Wrap
            font.family: Style.family
            font.pixelSize: 13
            color: Style.textSecondary
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        Row {
            anchors.horizontalCenter: parent.horizontalCenter
            spacing: 10
            Button {
                id: cancelButton
                objectName: "cancelDeleteButton"
                text: qsTr("Cancel")
                Accessible.name: text
                onClicked: alert.close()
                Keys.onReturnPressed: clicked()
                contentItem: Text {
                    text: cancelButton.text
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font.family: Style.family
                    font.pixelSize: 13
                    color: Style.textPrimary
                }
                background: Rectangle {
                    implicitWidth: 110
                    implicitHeight: 30
                    radius: 7
                    color: cancelButton.down ? Qt.rgba(1, 1, 1, 0.2) : Style.systemButtonColor
                    border.color: cancelButton.visualFocus ? Style.brandPurple : "transparent"
                }
            }
            Button {
                id: deleteButton
                objectName: "confirmDeleteButton"
                text: qsTr("Delete")
                Accessible.name: text
                onClicked: {
                    const doomed = alert.prompt
                    alert.close()
                    alert.confirmed(doomed)
                }
                Keys.onReturnPressed: clicked()
                contentItem: Text {
                    text: deleteButton.text
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                    font.family: Style.family
                    font.pixelSize: 13
                    font.weight: Font.DemiBold
                    color: "white"
                }
                background: Rectangle {
                    implicitWidth: 110
                    implicitHeight: 30
                    radius: 7
                    color: deleteButton.down ? "#c4383c" : "#e5484d"
                    border.color: deleteButton.visualFocus ? "white" : "transparent"
                }
            }
        }
    }
}
