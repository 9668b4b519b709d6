import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Admin

// The import sheet: paste prompts as JSON and save them into the library. It stays open
// after a save, showing the result line, ready for the next paste.
FocusScope {
    id: sheet
    objectName: "adminInsertPromptView"

    // Asks the presenter to close the sheet ("Cancel" or Escape).
    signal closed()

    property alias jsonText: importer.jsonText
    readonly property alias errorMessage: importer.errorMessage
    readonly property alias successMessage: importer.successMessage

    implicitWidth: 560
    implicitHeight: 420

    function cancel() { sheet.closed() }
    function save() {
        if (importer.canSave)
            importer.save()
    }

    ImportSheetViewModel { id: importer }

    // The editor sits inside a scroll view, which does not pass the sheet's focus on: the
    // sheet given the focus hands it to the editor.
    onActiveFocusChanged: if (activeFocus && !editorArea.activeFocus) editorArea.forceActiveFocus()

    // Escape cancels and Ctrl+Return saves, wherever the focus is inside the sheet.
    Keys.onPressed: (event) => {
        if (event.key === Qt.Key_Escape) {
            cancel()
            event.accepted = true
        } else if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                   && (event.modifiers & Qt.ControlModifier)) {
            save()
            event.accepted = true
        }
    }

    Rectangle {
        anchors.fill: parent
        radius: 14
        color: Qt.rgba(0.11, 0.11, 0.14, 1)
        border.color: Style.glassStroke
    }

    Column {
        anchors.fill: parent
        spacing: 0

        // Toolbar: Cancel, the title, Save Prompts.
        Item {
            id: toolbar
            width: parent.width
            height: 52
            Button {
                id: cancelButton
                objectName: "cancelButton"
                anchors.left: parent.left
                anchors.leftMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Cancel")
                Accessible.name: text
                flat: true
                onClicked: sheet.cancel()
                contentItem: Text {
                    text: cancelButton.text
                    font.family: Style.family
                    font.pixelSize: 14
                    color: cancelButton.hovered ? Style.textPrimary : Style.textSecondary
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitWidth: 72
                    implicitHeight: 30
                    radius: 7
                    color: cancelButton.down ? Qt.rgba(1, 1, 1, 0.12) : Style.systemButtonColor
                    border.color: cancelButton.visualFocus ? Style.brandPurple : "transparent"
                }
            }
            Text {
                anchors.centerIn: parent
                text: qsTr("Insert Prompt JSON")
                font: Style.headlineFont
                color: Style.textPrimary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Button {
                id: saveButton
                objectName: "saveButton"
                anchors.right: parent.right
                anchors.rightMargin: 14
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Save Prompts")
                Accessible.name: text
                enabled: importer.canSave
                onClicked: sheet.save()
                contentItem: Text {
                    text: saveButton.text
                    font.family: Style.family
                    font.pixelSize: 14
                    font.weight: Font.DemiBold
                    color: saveButton.enabled ? "white" : Qt.rgba(1, 1, 1, 0.4)
                    horizontalAlignment: Text.AlignHCenter
                    verticalAlignment: Text.AlignVCenter
                }
                background: Rectangle {
                    implicitWidth: 120
                    implicitHeight: 30
                    radius: 7
                    color: !saveButton.enabled ? Qt.rgba(1, 1, 1, 0.08)
                         : saveButton.down ? Qt.darker(Style.brandPurple, 1.2) : Style.brandPurple
                    border.color: saveButton.visualFocus ? "white" : "transparent"
                }
            }
        }
        Rectangle { width: parent.width; height: 1; color: Style.glassStroke }

        // Body: the editor, then the result lines.
        Column {
            id: body
            width: parent.width
            height: parent.height - toolbar.height - 1
            padding: 14
            spacing: 12

            Rectangle {
                id: editorFrame
                width: body.width - 2 * body.padding
                height: body.height - 2 * body.padding - (resultLines.visible ? resultLines.height + body.spacing : 0)
                radius: 8
                color: "transparent"
                border.color: editorArea.activeFocus ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.6)
                                                     : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.2)
                ScrollView {
                    anchors.fill: parent
                    anchors.margins: 1
                    clip: true
                    TextArea {
                        id: editorArea
                        objectName: "jsonEditor"
                        focus: true
                        text: importer.jsonText
                        onTextChanged: importer.jsonText = text
                        padding: 8
                        wrapMode: TextEdit.WrapAnywhere
                        font.family: "monospace"
                        font.pixelSize: 13
                        color: Style.textPrimary
                        selectionColor: Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.5)
                        selectedTextColor: Style.textPrimary
                        placeholderText: "[{ \"id\": \"...\", \"title\": \"...\", ... }]" // untranslated: the shape of the JSON to paste
                        placeholderTextColor: Qt.rgba(1, 1, 1, 0.25)
                        background: null
                        Accessible.name: qsTr("Prompt JSON")
                        Keys.onPressed: (event) => {
                            if ((event.key === Qt.Key_Return || event.key === Qt.Key_Enter)
                                    && (event.modifiers & Qt.ControlModifier)) {
                                sheet.save()
                                event.accepted = true
                            } else if (event.key === Qt.Key_Escape) {
                                sheet.cancel()
                                event.accepted = true
                            }
                        }
                    }
                }
            }

            Column {
                id: resultLines
                width: editorFrame.width
                spacing: 4
                visible: importer.errorMessage.length > 0 || importer.successMessage.length > 0
                Text {
                    objectName: "errorLine"
                    width: parent.width
                    visible: importer.errorMessage.length > 0
                    text: importer.errorMessage
                    wrapMode: Text.Wrap
                    font: Style.captionFont
                    color: "#ff5a5f"
                    Accessible.role: Accessible.AlertMessage
                    Accessible.name: text
                }
                Text {
                    objectName: "successLine"
                    width: parent.width
                    visible: importer.successMessage.length > 0
                    text: importer.successMessage
                    wrapMode: Text.Wrap
                    font: Style.captionFont
                    color: "#34c759"
                    Accessible.role: Accessible.StaticText
                    Accessible.name: text
                }
            }
        }
    }
}
