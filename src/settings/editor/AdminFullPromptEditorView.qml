import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Editor

// The full editor of a prompt, as a sheet over its parent: title, description and template
// are copies that reach the prompt only on "Save" (Ctrl+Return); "Cancel" or Escape drops
// them. The palette copies template snippets of the global lists.
FocusScope {
    id: sheet
    objectName: "adminFullPromptEditorView"
    property QtObject prompt
    signal closed()

    readonly property PromptEditorViewModel viewModel: vm
    anchors.fill: parent
    z: 200

    PromptEditorViewModel {
        id: vm
        prompt: sheet.prompt
        onCopied: toast.isPresented = true
        onClosed: sheet.closed()
    }

    Component.onCompleted: titleField.forceActiveFocus()
    Keys.onEscapePressed: vm.cancel()
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: sheet.visible
        onActivated: vm.save()
    }

    // The backdrop swallows clicks so nothing underneath reacts while the sheet is up.
    Rectangle {
        anchors.fill: parent
        color: Qt.rgba(0, 0, 0, 0.55)
        MouseArea { anchors.fill: parent; acceptedButtons: Qt.AllButtons; onWheel: (wheel) => wheel.accepted = true }
    }

    Rectangle { // shadow
        anchors.fill: card
        anchors.topMargin: 4
        anchors.bottomMargin: -6
        radius: 16
        color: Qt.rgba(0, 0, 0, 0.35)
    }
    Rectangle {
        id: card
        anchors.centerIn: parent
        width: Math.min(parent.width - 24, 760)
        height: parent.height - 24
        radius: 14
        color: Qt.rgba(0.11, 0.11, 0.14, 1)
        border.color: Style.glassStroke
        clip: true

        Rectangle {
            id: header
            x: 1
            y: 1
            width: parent.width - 2
            height: 50
            radius: 14
            color: Qt.rgba(0.15, 0.15, 0.19, 1)
            Rectangle { anchors.bottom: parent.bottom; width: parent.width; height: 14; color: parent.color }
            Text {
                anchors.left: parent.left
                anchors.leftMargin: 18
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Edit Prompt")
                color: Style.textPrimary
                font: Style.headlineFont
            }
            Row {
                anchors.right: parent.right
                anchors.rightMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                spacing: 8
                Button {
                    id: cancelButton
                    objectName: "cancelButton"
                    text: qsTr("Cancel")
                    activeFocusOnTab: true
                    Accessible.name: text
                    onClicked: vm.cancel()
                    contentItem: Text {
                        text: cancelButton.text
                        color: Style.textPrimary
                        font.family: Style.family
                        font.pixelSize: 13
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                    background: Rectangle {
                        implicitWidth: 78
                        implicitHeight: 30
                        radius: 7
                        color: cancelButton.down ? Qt.rgba(1, 1, 1, 0.2) : Style.systemButtonColor
                        border.width: cancelButton.visualFocus ? 2 : 0
                        border.color: Style.brandPurple
                    }
                }
                Button {
                    id: saveButton
                    objectName: "saveButton"
                    text: qsTr("Save")
                    activeFocusOnTab: true
                    Accessible.name: text
                    onClicked: vm.save()
                    contentItem: Text {
                        text: saveButton.text
                        color: "white"
                        font.family: Style.family
                        font.pixelSize: 13
                        font.weight: Font.DemiBold
                        horizontalAlignment: Text.AlignHCenter
                        verticalAlignment: Text.AlignVCenter
                    }
                    background: Rectangle {
                        implicitWidth: 78
                        implicitHeight: 30
                        radius: 7
                        color: saveButton.down ? Qt.darker(Style.accentColor, 1.2) : Style.accentColor
                        border.width: saveButton.visualFocus ? 2 : 0
                        border.color: "white"
                    }
                }
            }
        }
        Rectangle { anchors.top: header.bottom; x: 1; width: parent.width - 2; height: 1; color: Style.glassStroke }

        Flickable {
            id: scroller
            anchors.top: header.bottom
            anchors.topMargin: 1
            anchors.bottom: parent.bottom
            anchors.bottomMargin: 1
            x: 1
            width: parent.width - 2
            contentHeight: column.implicitHeight + 32
            boundsBehavior: Flickable.StopAtBounds
            clip: true
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

            Column {
                id: column
                x: 18
                y: 14
                width: scroller.width - 36
                spacing: 6

                Text { text: qsTr("Title"); color: Style.textSecondary; font: Style.captionFont }
                TextField {
                    id: titleField
                    objectName: "titleField"
                    width: parent.width
                    text: vm.title
                    placeholderText: qsTr("Prompt Title")
                    placeholderTextColor: Style.textSecondary
                    color: Style.textPrimary
                    selectionColor: Style.brandPurple
                    selectedTextColor: Style.textPrimary
                    selectByMouse: true
                    activeFocusOnTab: true
                    font.family: Style.family
                    font.pixelSize: 15
                    Accessible.name: qsTr("Title")
                    onTextEdited: vm.title = text
                    background: Rectangle {
                        implicitHeight: 34
                        radius: 7
                        color: Qt.rgba(1, 1, 1, 0.05)
                        border.width: titleField.activeFocus ? 2 : 1
                        border.color: titleField.activeFocus ? Style.brandPurple : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.2)
                    }
                }
                Item { width: 1; height: 6 }

                Text { text: qsTr("Description"); color: Style.textSecondary; font: Style.captionFont }
                TextArea {
                    id: descriptionField
                    objectName: "descriptionField"
                    width: parent.width
                    text: vm.description
                    wrapMode: TextEdit.Wrap
                    padding: 4 + 6
                    color: Style.textPrimary
                    selectionColor: Style.brandPurple
                    selectedTextColor: Style.textPrimary
                    selectByMouse: true
                    activeFocusOnTab: true
                    font: Style.bodyFont
                    Accessible.name: qsTr("Description")
                    onTextChanged: if (text !== vm.description) vm.description = text
                    Keys.onTabPressed: templateField.forceActiveFocus(Qt.TabFocusReason)
                    Keys.onBacktabPressed: titleField.forceActiveFocus(Qt.BacktabFocusReason)
                    background: Rectangle {
                        implicitHeight: 60
                        radius: 7
                        color: Qt.rgba(1, 1, 1, 0.05)
                        border.width: descriptionField.activeFocus ? 2 : 1
                        border.color: descriptionField.activeFocus ? Style.brandPurple : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.2)
                    }
                }
                Item { width: 1; height: 6 }

                Text { text: qsTr("Template"); color: Style.textSecondary; font: Style.captionFont }
                TextArea {
                    id: templateField
                    objectName: "templateField"
                    width: parent.width
                    text: vm.template
                    wrapMode: TextEdit.Wrap
                    padding: 4 + 6
                    color: Style.textPrimary
                    selectionColor: Style.brandPurple
                    selectedTextColor: Style.textPrimary
                    selectByMouse: true
                    activeFocusOnTab: true
                    font.family: "monospace"
                    font.pixelSize: 14
                    Accessible.name: qsTr("Template")
                    onTextChanged: if (text !== vm.template) vm.template = text
                    Keys.onTabPressed: (event) => {
                        const next = templateField.nextItemInFocusChain(true)
                        if (next) next.forceActiveFocus(Qt.TabFocusReason)
                    }
                    Keys.onBacktabPressed: descriptionField.forceActiveFocus(Qt.BacktabFocusReason)
                    background: Rectangle {
                        implicitHeight: 200
                        radius: 7
                        color: Qt.rgba(1, 1, 1, 0.05)
                        border.width: templateField.activeFocus ? 2 : 1
                        border.color: templateField.activeFocus ? Style.brandPurple : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.2)
                    }
                }
                Item { width: 1; height: 10 }

                Text {
                    text: qsTr("Available Variables")
                    color: Style.textPrimary
                    font.family: Style.family
                    font.pixelSize: 14
                    font.weight: Font.Medium
                }
                Text { text: qsTr("Tap a value to copy to clipboard"); color: Style.textSecondary; font: Style.captionFont }
                Item { width: 1; height: 4 }
                Flow {
                    objectName: "variablePalette"
                    width: parent.width
                    spacing: 6
                    Repeater {
                        model: vm.variables
                        delegate: VariableChip {
                            required property var modelData
                            key: modelData.key
                            help: modelData.help
                            values: modelData.values
                            onCopyRequested: (key) => vm.copySnippet(key)
                        }
                    }
                }
            }
        }
    }

    Toast {
        id: toast
        message: qsTr("Copied to clipboard")
        icon: "checkmark.circle.fill"
        duration: 2.0
    }
}
