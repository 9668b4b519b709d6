import QtQuick
import QtQuick.Controls

// A modal sheet over the panel; its real content comes with the settings and welcome views.
Popup {
    id: sheet
    property string title
    property string message

    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    anchors.centerIn: Overlay.overlay
    width: 520
    height: 360
    padding: 24

    background: Rectangle {
        radius: 16
        color: Qt.rgba(0.13, 0.13, 0.16, 1)
        border.color: Theme.glassStroke
    }

    contentItem: Item {
        Column {
            anchors.left: parent.left
            anchors.right: parent.right
            spacing: 12
            Text {
                text: sheet.title
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pixelSize: 22
                font.weight: Font.DemiBold
            }
            Text {
                width: parent.width
                text: sheet.message
                wrapMode: Text.WordWrap
                color: Theme.textSecondary
                font.family: Theme.fontFamily
                font.pixelSize: 15
            }
        }
        Button {
            objectName: "sheetDoneButton"
            anchors.right: parent.right
            anchors.bottom: parent.bottom
            text: "Done"
            Accessible.name: "Done"
            onClicked: sheet.close()
        }
    }
}
