import QtQuick
import QtQuick.Controls
import Vorn.Style

// A message that stays at the bottom of its parent until dismissed: what an action did, or
// why it failed, with an optional button for the next step ("Show in Files").
Rectangle {
    id: banner
    property string text
    property bool failed: false
    property string actionText
    signal activated()
    signal dismissed()

    visible: text.length > 0
    anchors.left: parent.left
    anchors.right: parent.right
    anchors.bottom: parent.bottom
    anchors.margins: 12
    z: 90
    height: Math.max(row.implicitHeight, 28) + 16
    radius: 10
    color: Qt.rgba(0.16, 0.16, 0.2, 1)
    border.color: banner.failed ? Style.errorRed : Style.glassStroke
    Accessible.role: Accessible.AlertMessage
    Accessible.name: banner.text

    Row {
        id: row
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.verticalCenter: parent.verticalCenter
        anchors.leftMargin: 12
        anchors.rightMargin: 8
        spacing: 8
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: banner.failed ? "exclamationmark.triangle" : "checkmark.circle.fill"
            size: 16
            color: banner.failed ? Style.errorRed : Style.brandPurple
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            width: row.width - 16 - (actionButton.visible ? actionButton.width + 8 : 0) - closeButton.width - 3 * row.spacing
            text: banner.text
            wrapMode: Text.Wrap
            color: Style.textPrimary
            font.family: Style.family
            font.pixelSize: 13
        }
        Button {
            id: actionButton
            objectName: "noticeAction"
            anchors.verticalCenter: parent.verticalCenter
            visible: banner.actionText.length > 0
            text: banner.actionText
            Accessible.name: text
            onClicked: banner.activated()
            contentItem: Text {
                text: actionButton.text
                color: "white"
                font.family: Style.family
                font.pixelSize: 13
                font.weight: Font.DemiBold
                horizontalAlignment: Text.AlignHCenter
                verticalAlignment: Text.AlignVCenter
            }
            background: Rectangle {
                implicitHeight: 28
                radius: 7
                color: actionButton.down ? Qt.darker(Style.accentColor, 1.2) : Style.accentColor
                border.width: actionButton.visualFocus ? 2 : 0
                border.color: "white"
            }
        }
        AbstractButton {
            id: closeButton
            objectName: "noticeClose"
            anchors.verticalCenter: parent.verticalCenter
            width: 28
            height: 28
            Accessible.role: Accessible.Button
            Accessible.name: qsTr("Dismiss")
            onClicked: banner.dismissed()
            contentItem: SymbolIcon { symbol: "xmark.circle.fill"; size: 18; color: Style.textSecondary }
            background: Rectangle {
                radius: 14
                color: "transparent"
                border.width: closeButton.visualFocus ? 2 : 0
                border.color: Style.brandPurple
            }
        }
    }
}
