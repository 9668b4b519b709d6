import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Detail

// The fill-in form: instructions (first ten times), one field per placeholder in an adaptive
// grid, the validation messages and the live preview with the copy button.
FocusScope {
    id: form
    objectName: "formGeneratorView"
    property FormGeneratorViewModel viewModel
    // Where the messages and the preview go instead of under the fields (a pane beside them
    // that stays on screen); null keeps them in the form.
    property Item previewDock: null
    signal dismiss()
    // An incomplete form asked to copy: the field to fix has the focus and shows its message.
    function tryCopy() {
        const row = viewModel.tryCopy()
        if (row >= 0 && fieldRepeater.itemAt(row))
            fieldRepeater.itemAt(row).takeFocus()
    }

    readonly property real minimumColumnWidth: 200
    readonly property real gap: 16
    readonly property int columns: Math.max(1, Math.floor((width + gap) / (minimumColumnWidth + gap)))
    readonly property real columnWidth: (width - (columns - 1) * gap) / columns

    implicitHeight: stack.implicitHeight

    function focusFirstField() {
        if (fieldRepeater.count > 0)
            fieldRepeater.itemAt(0).takeFocus()
        else
            copyButton.forceActiveFocus()
    }
    function fieldAt(index) { return fieldRepeater.itemAt(index) }

    Column {
        id: stack
        width: parent.width
        spacing: 20

        Column {
            objectName: "instructions"
            visible: form.viewModel && form.viewModel.showInstructions
            width: parent.width
            spacing: 6
            Text {
                text: qsTr("Instructions")
                color: Style.textPrimary
                font: Style.headlineFont
            }
            Text {
                width: parent.width
                wrapMode: Text.WordWrap
                text: qsTr("Fill in the fields below to generate your prompt.")
                color: Style.textSecondary
                font.family: Style.family
                font.pixelSize: 14
            }
            Item { width: 1; height: 8 }
            Rectangle { width: parent.width; height: 1; color: Style.glassStroke }
        }

        Flow {
            id: grid
            objectName: "fieldGrid"
            width: parent.width
            spacing: form.gap
            visible: fieldRepeater.count > 0
            Repeater {
                id: fieldRepeater
                model: form.viewModel ? form.viewModel.fields : null
                delegate: FormFieldView {
                    width: form.columnWidth
                    fields: form.viewModel.fields
                }
            }
        }

        Rectangle { width: parent.width; height: 1; color: Style.glassStroke; visible: fieldRepeater.count > 0 }

        Column {
            id: bottomArea
            objectName: "bottomArea"
            parent: form.previewDock ? form.previewDock : stack
            width: parent ? parent.width : 0
            spacing: 20
            Column {
                objectName: "validationErrors"
                visible: form.viewModel !== null && form.viewModel.numberedMessages.length > 0
                width: parent.width
                spacing: 4
                Text {
                    text: qsTr("Validation Errors:")
                    color: Style.errorRed
                    font.family: Style.family
                    font.pixelSize: 14
                    font.weight: Font.Bold
                }
                Repeater {
                    model: form.viewModel ? form.viewModel.numberedMessages : []
                    delegate: Text {
                        required property string modelData
                        width: parent.width
                        wrapMode: Text.WordWrap
                        text: modelData
                        color: Style.errorRed
                        opacity: 0.8
                        font.family: Style.family
                        font.pixelSize: 13
                    }
                }
            }

            Column {
                id: previewBox
                width: parent.width
                spacing: 8
                Item {
                    id: previewHeader
                    objectName: "previewHeader"
                    width: parent.width
                    // The title sits beside the buttons where they all fit, above them where
                    // not (the docked preview, longer languages); the buttons go one under the
                    // other when even the two of them are wider than the pane.
                    readonly property real buttonsWidth: closeButton.implicitWidth + 8 + copyButton.implicitWidth
                    readonly property bool stacked: previewTitle.implicitWidth + 8 + buttonsWidth > width
                    height: stacked ? previewTitle.implicitHeight + 8 + previewButtons.height : previewButtons.height
                    Text {
                        id: previewTitle
                        y: previewHeader.stacked ? 0 : (previewButtons.height - height) / 2
                        anchors.left: parent.left
                        anchors.right: previewHeader.stacked ? parent.right : previewButtons.left
                        anchors.rightMargin: previewHeader.stacked ? 0 : 8
                        elide: Text.ElideRight
                        text: qsTr("Preview")
                        color: Style.textSecondary
                        font.family: Style.family
                        font.pixelSize: 14
                        font.weight: Font.Medium
                    }
                    Grid {
                        id: previewButtons
                        anchors.right: parent.right
                        anchors.bottom: parent.bottom
                        columns: previewHeader.buttonsWidth <= previewHeader.width ? 2 : 1
                        horizontalItemAlignment: Grid.AlignRight
                        spacing: 8
                        Button {
                            id: closeButton
                            objectName: "closeButton"
                            text: qsTr("Close")
                            activeFocusOnTab: true
                            Accessible.name: text
                            onClicked: form.dismiss()
                            contentItem: Text {
                                text: closeButton.text
                                color: Style.textPrimary
                                font.family: Style.family
                                font.pixelSize: 13
                                horizontalAlignment: Text.AlignHCenter
                                verticalAlignment: Text.AlignVCenter
                            }
                            background: Rectangle {
                                implicitHeight: 32
                                implicitWidth: 72
                                radius: 8
                                color: closeButton.down ? Qt.rgba(1, 1, 1, 0.2) : Style.systemButtonColor
                                border.width: closeButton.visualFocus ? 2 : 0
                                border.color: Style.brandPurple
                            }
                        }
                        Button {
                            id: copyButton
                            objectName: "copyButton"
                            enabled: form.viewModel && form.viewModel.isValid
                            activeFocusOnTab: true
                            text: qsTr("Copy to the Clipboard")
                            Accessible.name: text
                            onClicked: form.viewModel.copyAndFinish()
                            contentItem: Row {
                                spacing: 6
                                SymbolIcon {
                                    anchors.verticalCenter: parent.verticalCenter
                                    symbol: "list.bullet.clipboard.fill"
                                    size: 16
                                    color: "white"
                                }
                                Text {
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: copyButton.text
                                    color: "white"
                                    font.family: Style.family
                                    font.pixelSize: 13
                                    font.weight: Font.DemiBold
                                }
                            }
                            background: Rectangle {
                                implicitHeight: 32
                                radius: 8
                                color: !copyButton.enabled ? Qt.rgba(0.45, 0.45, 0.5, 0.6)
                                     : copyButton.down ? Qt.darker(Style.accentColor, 1.2) : Style.accentColor
                                border.width: copyButton.visualFocus ? 2 : 0
                                border.color: "white"
                            }
                            // A click on the greyed button says what is missing.
                            MouseArea {
                                anchors.fill: parent
                                enabled: !copyButton.enabled
                                onClicked: form.tryCopy()
                            }
                        }
                    }
                }
                Rectangle {
                    width: parent.width
                    height: previewText.implicitHeight + 24
                    radius: 10
                    color: Qt.rgba(1, 1, 1, 0.04)
                    border.color: Style.glassStroke
                    Text {
                        id: previewText
                        objectName: "previewText"
                        x: 12
                        y: 12
                        width: parent.width - 24
                        wrapMode: Text.Wrap
                        textFormat: Text.RichText
                        text: form.viewModel ? form.viewModel.previewText : ""
                        font.family: Style.family
                        font.pixelSize: 14
                        lineHeight: 1.15
                        Accessible.role: Accessible.StaticText
                        Accessible.name: qsTr("Preview")
                    }
                }
            }
        }
    }

    Binding { target: form.viewModel; property: "textColor"; value: Style.textPrimary; when: form.viewModel !== null }
    Binding { target: form.viewModel; property: "accentColor"; value: Style.accentColor; when: form.viewModel !== null }
}
