import QtQuick
import Vorn.Style
import Vorn.Browser

// What is wrong with the library, when something is: not saved, not opened, moved aside; a
// strip under the search that takes no room while all is well.
Rectangle {
    id: statusBanner
    objectName: "libraryStatus"
    readonly property bool shown: libraryStatus.message.length > 0
    anchors.topMargin: shown ? 8 : 0
    height: shown ? Math.max(32, statusText.implicitHeight + 14) : 0
    visible: shown
    radius: 8
    color: libraryStatus.unsaved ? Qt.rgba(0.85, 0.25, 0.2, 0.35) : Qt.rgba(0.95, 0.7, 0.2, 0.3)
    border.color: libraryStatus.unsaved ? Qt.rgba(0.95, 0.35, 0.3, 0.8) : Qt.rgba(0.95, 0.75, 0.3, 0.7)
    Accessible.role: Accessible.AlertMessage
    Accessible.name: libraryStatus.message

    LibraryStatusViewModel {
        id: libraryStatus
    }

    Text {
        id: statusText
        objectName: "libraryStatusText"
        anchors.left: parent.left
        anchors.right: dismissButton.visible ? dismissButton.left : parent.right
        anchors.verticalCenter: parent.verticalCenter
        anchors.leftMargin: 10
        anchors.rightMargin: 10
        text: libraryStatus.message
        wrapMode: Text.Wrap
        color: Style.textPrimary
        font.pixelSize: 12
    }
    SymbolButton {
        id: dismissButton
        objectName: "libraryStatusDismiss"
        visible: !libraryStatus.unsaved
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        symbol: "xmark"
        help: qsTr("Dismiss")
        onClicked: libraryStatus.dismiss()
    }
}
