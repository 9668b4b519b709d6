import QtQuick

// Content of an auxiliary window ("Settings", "Account", "Feedback") until its view exists.
Rectangle {
    property string windowName
    color: Qt.rgba(0.12, 0.12, 0.14, 1)
    Text {
        anchors.centerIn: parent
        text: windowName
        color: Theme.textPrimary
        font.family: Theme.fontFamily
        font.pixelSize: 22
        font.weight: Font.DemiBold
    }
}
