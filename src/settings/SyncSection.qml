import QtQuick
import QtQuick.Controls
import QtQuick.Dialogs
import QtQuick.Layouts
import Vorn.Style
import Vorn.Settings

// The settings' "Sync" section: the shared folder, this device's name, the other devices seen
// and "Sync Now". Everything shown comes from the view-model, which follows the command line too.
ColumnLayout {
    id: section
    objectName: "syncSection"
    spacing: 10

    required property SyncSettingsViewModel viewModel
    // Tells the settings to scroll a focused control into view.
    signal focused(Item item)

    Text {
        text: qsTr("Sync")
        font.family: Style.family
        font.pixelSize: 20
        font.bold: true
        color: Style.textPrimary
        Accessible.role: Accessible.Heading
        Accessible.name: text
    }
    Text {
        Layout.fillWidth: true
        text: qsTr("Keep favourites, usage and your own prompts in step with your other computers through a folder that a file-sync tool such as Syncthing keeps in step.")
        font: Style.captionFont
        color: Style.textSecondary
        wrapMode: Text.WordWrap
    }

    SettingsRow {
        objectName: "syncFolderRow"
        title: qsTr("Folder")
        description: section.viewModel.folderText
        Row {
            spacing: 6
            SettingsButton {
                objectName: "syncChooseButton"
                text: qsTr("Choose…")
                onActiveFocusChanged: if (activeFocus) section.focused(this)
                onClicked: folderDialog.open()
            }
            SettingsButton {
                objectName: "syncOffButton"
                visible: section.viewModel.isOn
                text: qsTr("Turn Off")
                onActiveFocusChanged: if (activeFocus) section.focused(this)
                onClicked: section.viewModel.turnOff()
            }
        }
    }

    SettingsRow {
        objectName: "syncDeviceNameRow"
        title: qsTr("This Device")
        description: qsTr("The name your other devices show for this one.")
        TextField {
            id: nameField
            objectName: "syncDeviceNameField"
            width: 200
            placeholderText: section.viewModel.hostName
            font: Style.bodyFont
            color: Style.textPrimary
            selectByMouse: true
            Accessible.name: qsTr("Device name")
            onActiveFocusChanged: if (activeFocus) section.focused(this)
            onEditingFinished: section.viewModel.deviceName = text
            // Follows the settings while the user is not typing in it.
            Binding on text {
                when: !nameField.activeFocus
                value: section.viewModel.deviceName
                restoreMode: Binding.RestoreNone
            }
            background: Rectangle {
                implicitHeight: 30
                radius: 7
                color: Qt.rgba(1, 1, 1, 0.06)
                border.color: nameField.activeFocus ? Style.accentColor : Style.glassStroke
            }
        }
    }

    ColumnLayout {
        objectName: "syncDevices"
        Layout.fillWidth: true
        spacing: 4
        visible: section.viewModel.isOn
        Text {
            text: qsTr("Other Devices")
            font: Style.headlineFont
            color: Style.textPrimary
        }
        Text {
            objectName: "syncNoDevices"
            visible: section.viewModel.devices.length === 0
            text: qsTr("No other device has written to this folder yet.")
            font: Style.captionFont
            color: Style.textSecondary
        }
        Repeater {
            model: section.viewModel.devices
            RowLayout {
                required property var modelData
                objectName: "syncDevice_" + modelData.id
                Layout.fillWidth: true
                spacing: 8
                Text {
                    Layout.fillWidth: true
                    text: modelData.name
                    font: Style.bodyFont
                    color: Style.textPrimary
                    elide: Text.ElideRight
                }
                Text {
                    text: modelData.problem.length > 0 ? modelData.problem
                                                       : qsTr("Last change %1").arg(modelData.lastChange)
                    font: Style.captionFont
                    color: modelData.problem.length > 0 ? Style.missingColor : Style.textSecondary
                }
            }
        }
    }

    Text {
        objectName: "syncProblem"
        Layout.fillWidth: true
        visible: text.length > 0
        text: section.viewModel.problem
        font: Style.captionFont
        color: Style.missingColor
        wrapMode: Text.WordWrap
    }

    RowLayout {
        Layout.fillWidth: true
        spacing: 10
        Text {
            objectName: "syncMessage"
            Layout.fillWidth: true
            text: section.viewModel.message
            font: Style.captionFont
            color: Style.textSecondary
            wrapMode: Text.WordWrap
        }
        SettingsButton {
            objectName: "syncNowButton"
            enabled: section.viewModel.isOn
            text: qsTr("Sync Now")
            onActiveFocusChanged: if (activeFocus) section.focused(this)
            onClicked: section.viewModel.syncNow()
        }
    }

    FolderDialog {
        id: folderDialog
        objectName: "syncFolderDialog"
        title: qsTr("Choose the Sync Folder")
        parentWindow: section.Window.window
        currentFolder: section.viewModel.dialogFolder
        onAccepted: section.viewModel.chooseFolder(selectedFolder)
    }
}
