import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style

// A confirmation with "Cancel" and one destructive button. Escape and "Cancel" change
// nothing; keyboard focus starts on "Cancel" so Return alone never destroys anything.
Popup {
    id: alert
    property string title
    property string message
    property string confirmText
    signal confirmed()

    anchors.centerIn: parent
    width: 340
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape
    onOpened: cancelButton.forceActiveFocus()

    Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.45) }
    background: Rectangle {
        radius: 14
        color: Qt.rgba(0.15, 0.15, 0.18, 1)
        border.color: Style.glassStroke
    }
    contentItem: ColumnLayout {
        spacing: 12
        Accessible.role: Accessible.AlertMessage
        Accessible.name: alert.title

        Text {
            Layout.fillWidth: true
            text: alert.title
            font: Style.headlineFont
            color: Style.textPrimary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        Text {
            Layout.fillWidth: true
            text: alert.message
            font.family: Style.family
            font.pixelSize: 13
            color: Style.textSecondary
            horizontalAlignment: Text.AlignHCenter
            wrapMode: Text.WordWrap
        }
        RowLayout {
            Layout.fillWidth: true
            Layout.topMargin: 6
            spacing: 10
            SettingsButton {
                id: cancelButton
                objectName: "alertCancelButton"
                Layout.fillWidth: true
                text: qsTr("Cancel")
                onClicked: alert.close()
            }
            SettingsButton {
                objectName: "alertConfirmButton"
                Layout.fillWidth: true
                text: alert.confirmText
                role: "destructive"
                onClicked: {
                    alert.close()
                    alert.confirmed()
                }
            }
        }
    }
}
