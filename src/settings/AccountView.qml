import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style
import Vorn.Settings

// The account window: a sign-in button whose outcome only goes to the log, where the platform
// has a sign-in; otherwise where the sync is set up. Nothing is stored.
SettingsPane {
    id: root
    objectName: "accountView"
    implicitWidth: 420
    implicitHeight: 440

    property AccountViewModel viewModel: AccountViewModel {}
    // The desktop's colour scheme: the sign-in button is white on a dark scheme, black on a
    // light one.
    property bool darkColorScheme: true
    signal closed()

    Keys.onEscapePressed: root.closed()

    background: Rectangle {
        radius: 14
        color: root.darkColorScheme ? Style.panelBackground : Qt.rgba(0.96, 0.96, 0.97, 0.97)
        border.color: root.darkColorScheme ? Style.glassStroke : Qt.rgba(0, 0, 0, 0.12)
    }

    ColumnLayout {
        anchors.centerIn: parent
        width: parent.width
        spacing: 14

        SymbolIcon {
            Layout.alignment: Qt.AlignHCenter
            symbol: "person.crop.circle.fill"
            size: 60
            color: Qt.rgba(0.04, 0.52, 1, 1)
        }
        Text {
            Layout.alignment: Qt.AlignHCenter
            text: root.viewModel.canSignIn ? qsTr("Sign In") : qsTr("Sync")
            font: Style.titleFont
            color: root.darkColorScheme ? Style.textPrimary : "black"
            Accessible.role: Accessible.Heading
            Accessible.name: text
        }
        Text {
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Sign in to sync your prompts across all your devices.")
            visible: root.viewModel.canSignIn
            font: Style.bodyFont
            color: root.darkColorScheme ? Style.textSecondary : Qt.rgba(0.24, 0.24, 0.26, 0.6)
            wrapMode: Text.WordWrap
        }
        Text {
            objectName: "syncHint"
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            visible: !root.viewModel.canSignIn
            horizontalAlignment: Text.AlignHCenter
            text: root.viewModel.syncHint
            font: Style.bodyFont
            color: root.darkColorScheme ? Style.textSecondary : Qt.rgba(0.24, 0.24, 0.26, 0.6)
            wrapMode: Text.WordWrap
        }
        Button {
            id: signInButton
            objectName: "signInButton"
            visible: root.viewModel.canSignIn
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            Layout.topMargin: 6
            implicitHeight: 44
            focus: true
            readonly property color fill: root.darkColorScheme ? "white" : "black"
            readonly property color ink: root.darkColorScheme ? "black" : "white"
            Accessible.name: qsTr("Sign In")
            onClicked: root.viewModel.signIn()
            Keys.onReturnPressed: clicked()
            Keys.onEnterPressed: clicked()
            contentItem: Item {
                Row {
                    anchors.centerIn: parent
                    spacing: 8
                    SymbolIcon { symbol: "person.crop.circle.fill"; size: 20; color: signInButton.ink }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("Sign In")
                        font.family: Style.family
                        font.pixelSize: 17
                        font.weight: Font.DemiBold
                        color: signInButton.ink
                    }
                }
            }
            background: Rectangle {
                objectName: "signInButtonBackground"
                radius: 8
                color: signInButton.down ? Qt.darker(signInButton.fill, 1.15) : signInButton.fill
                border.width: signInButton.visualFocus ? 2 : 0
                border.color: Style.accentColor
            }
        }
        Text {
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            Layout.topMargin: 6
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Note: VORN uses your account safely to sync database changes.")
            visible: root.viewModel.canSignIn
            font: Style.captionFont
            color: root.darkColorScheme ? Qt.rgba(1, 1, 1, 0.35) : Qt.rgba(0.24, 0.24, 0.26, 0.3)
            wrapMode: Text.WordWrap
        }
        Text {
            Layout.fillWidth: true
            Layout.leftMargin: 40
            Layout.rightMargin: 40
            horizontalAlignment: Text.AlignHCenter
            text: qsTr("Info: Login is not yet available on this device.")
            visible: root.viewModel.canSignIn
            font: Style.captionFont
            color: Style.missingColor
            wrapMode: Text.WordWrap
        }
    }
}
