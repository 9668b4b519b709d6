import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style
import Vorn.Settings

// The result of "Validate Templates": the summary in green or orange and one row per finding;
// a row opens its prompt in the editor. Escape or "Close" dismisses it.
Popup {
    id: sheet
    objectName: "validationSheet"
    required property TemplateValidationViewModel validation
    readonly property color validColor: Qt.rgba(0.2, 0.78, 0.35, 1)
    readonly property color issueColor: Qt.rgba(1, 0.62, 0.04, 1)
    readonly property color errorColor: Qt.rgba(1, 0.35, 0.32, 1)

    anchors.centerIn: parent
    width: Math.max(400, Math.min(480, parent ? parent.width - 40 : 480))
    height: Math.max(400, Math.min(implicitHeight, parent ? parent.height - 40 : 520))
    modal: true
    focus: true
    padding: 20
    closePolicy: Popup.CloseOnEscape
    onClosed: validation.close()
    onOpened: (findings.count > 0 ? findings : closeButton).forceActiveFocus()

    Connections {
        target: sheet.validation
        function onIsPresentedChanged() {
            if (sheet.validation.isPresented)
                sheet.open()
            else
                sheet.close()
        }
    }

    Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.45) }
    background: Rectangle {
        radius: 14
        color: Qt.rgba(0.13, 0.13, 0.16, 1)
        border.color: Style.glassStroke
    }

    contentItem: ColumnLayout {
        spacing: 16

        Text {
            text: qsTr("Template Validation")
            font: Style.headlineFont
            color: Style.textPrimary
        }
        Text {
            objectName: "validationMessage"
            Layout.fillWidth: true
            text: sheet.validation.message
            font.family: Style.family
            font.pixelSize: 14
            font.bold: true
            color: sheet.validation.hasErrors ? sheet.issueColor : sheet.validColor
            wrapMode: Text.WordWrap
            Accessible.role: Accessible.StaticText
            Accessible.name: text
        }
        ListView {
            id: findings
            objectName: "validationFindings"
            visible: sheet.validation.hasErrors
            Layout.fillWidth: true
            Layout.fillHeight: true
            Layout.minimumHeight: 200
            clip: true
            spacing: 2
            model: sheet.validation.errors
            keyNavigationEnabled: true
            activeFocusOnTab: true
            Accessible.role: Accessible.List
            Accessible.name: qsTr("Findings")
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
            Keys.onReturnPressed: sheet.validation.edit(currentIndex)
            Keys.onEnterPressed: sheet.validation.edit(currentIndex)
            Keys.onSpacePressed: sheet.validation.edit(currentIndex)

            delegate: ItemDelegate {
                id: finding
                required property int index
                required property var modelData
                width: ListView.view.width
                padding: 8
                highlighted: ListView.isCurrentItem && findings.activeFocus
                enabled: modelData.prompt !== null
                Accessible.name: modelData.promptTitle + ": " + modelData.error
                onClicked: {
                    findings.currentIndex = index
                    sheet.validation.edit(index)
                }
                background: Rectangle {
                    radius: 8
                    color: finding.highlighted ? Qt.rgba(1, 1, 1, 0.12)
                         : finding.hovered ? Qt.rgba(1, 1, 1, 0.07) : Qt.rgba(1, 1, 1, 0.03)
                }
                contentItem: RowLayout {
                    spacing: 10
                    ColumnLayout {
                        Layout.fillWidth: true
                        spacing: 2
                        Text {
                            Layout.fillWidth: true
                            text: finding.modelData.promptTitle
                            font.family: Style.family
                            font.pixelSize: 12
                            font.bold: true
                            color: Style.textPrimary
                            elide: Text.ElideRight
                        }
                        Text {
                            Layout.fillWidth: true
                            text: finding.modelData.error
                            font: Style.captionFont
                            color: sheet.errorColor
                            wrapMode: Text.WrapAnywhere
                            maximumLineCount: 3
                            elide: Text.ElideRight
                        }
                    }
                    SymbolIcon {
                        symbol: "pencil.circle"
                        size: 20
                        color: Style.accentColor
                    }
                }
            }
        }
        Item {
            visible: !sheet.validation.hasErrors
            Layout.fillHeight: true
        }
        SettingsButton {
            id: closeButton
            objectName: "validationCloseButton"
            Layout.alignment: Qt.AlignRight
            text: qsTr("Close")
            role: "prominent"
            onClicked: sheet.close()
        }
    }
}
