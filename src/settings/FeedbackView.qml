import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style
import Vorn.Settings

// "Welcome & Feedback": what is coming, a short feedback form that hands a prepared mail to
// the user's mail program, and whether this window shows at start. "Close" or Escape asks
// the host to close it.
SettingsPane {
    id: root
    objectName: "feedbackView"
    width: 500
    height: 700

    property FeedbackViewModel viewModel: FeedbackViewModel {}
    signal closed()

    readonly property var features: [
        { icon: "doc.text.image", text: qsTr("Multiple new handcrafted Prompt templates per week") },
        { icon: "pencil.line", text: qsTr("Editing and adding new prompts") },
        { icon: "arrow.up.arrow.down", text: qsTr("Up- and Down-voting") },
        { icon: "square.and.arrow.up", text: qsTr("Sharing Prompts with friends") },
        { icon: "eye", text: qsTr("Previews for each prompt") }
    ]

    Keys.onEscapePressed: root.closed()

    component Box: Rectangle {
        default property alias content: boxColumn.data
        property alias spacing: boxColumn.spacing
        Layout.fillWidth: true
        implicitHeight: boxColumn.implicitHeight + 32
        radius: 12
        color: Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.1)
        ColumnLayout {
            id: boxColumn
            anchors.fill: parent
            anchors.margins: 16
            spacing: 10
        }
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Title bar: "Close" in the cancellation place, the title in the middle.
        Item {
            Layout.fillWidth: true
            implicitHeight: 44
            SettingsButton {
                objectName: "feedbackCloseButton"
                anchors.left: parent.left
                anchors.leftMargin: 12
                anchors.verticalCenter: parent.verticalCenter
                text: qsTr("Close")
                onClicked: root.closed()
            }
            Text {
                anchors.centerIn: parent
                text: qsTr("Welcome & Feedback")
                font: Style.headlineFont
                color: Style.textPrimary
                Accessible.role: Accessible.TitleBar
                Accessible.name: text
            }
        }
        Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Style.glassStroke }

        ScrollView {
            id: scroller
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            clip: true

            ColumnLayout {
                width: scroller.availableWidth - 40
                x: 20
                spacing: 16

                ColumnLayout {
                    Layout.fillWidth: true
                    Layout.topMargin: 10
                    spacing: 6
                    SymbolIcon {
                        Layout.alignment: Qt.AlignHCenter
                        symbol: "sparkles.rectangle.stack"
                        size: 48
                        color: Style.brandPurple
                    }
                    Text {
                        Layout.alignment: Qt.AlignHCenter
                        text: qsTr("Coming Soon")
                        font.family: Style.family
                        font.pixelSize: 34
                        font.bold: true
                        color: Style.textPrimary
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    Text {
                        Layout.fillWidth: true
                        horizontalAlignment: Text.AlignHCenter
                        text: qsTr("We are working hard to make VORN even better.")
                        font: Style.bodyFont
                        color: Style.textSecondary
                        wrapMode: Text.WordWrap
                    }
                }

                Box {
                    objectName: "featureList"
                    Repeater {
                        model: root.features
                        FeatureRow {
                            required property var modelData
                            Layout.fillWidth: true
                            icon: modelData.icon
                            text: modelData.text
                        }
                    }
                }

                Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Style.glassStroke }

                Box {
                    spacing: 16
                    Text {
                        text: qsTr("We value your feedback")
                        font.family: Style.family
                        font.pixelSize: 22
                        font.weight: Font.DemiBold
                        color: Style.textPrimary
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    RowLayout {
                        Layout.fillWidth: true
                        spacing: 12
                        Text {
                            text: qsTr("Topic")
                            font: Style.bodyFont
                            color: Style.textPrimary
                        }
                        SettingsComboBox {
                            id: topicPicker
                            objectName: "topicPicker"
                            Layout.fillWidth: true
                            model: root.viewModel.topics
                            currentIndex: root.viewModel.selectedTopic
                            Accessible.name: qsTr("Topic")
                            onActivated: (index) => {
                                root.viewModel.selectedTopic = index
                                currentIndex = Qt.binding(() => root.viewModel.selectedTopic)
                            }
                        }
                    }
                    TextField {
                        id: categoryField
                        objectName: "categoryField"
                        Layout.fillWidth: true
                        visible: root.viewModel.showsCategoryField
                        placeholderText: qsTr("Category (e.g. Coding, Writing)")
                        text: root.viewModel.categoryName
                        font: Style.bodyFont
                        color: Style.textPrimary
                        selectByMouse: true
                        Accessible.name: qsTr("Category")
                        onTextEdited: root.viewModel.categoryName = text
                        background: Rectangle {
                            implicitHeight: 36
                            radius: 8
                            color: Qt.rgba(1, 1, 1, 0.06)
                            border.color: categoryField.activeFocus ? Style.accentColor : Style.glassStroke
                        }
                    }
                    ScrollView {
                        objectName: "descriptionScroller"
                        Layout.fillWidth: true
                        visible: !root.viewModel.showsCategoryField
                        // Three lines to start with, growing to six.
                        readonly property real lineHeight: descriptionField.font.pixelSize * 1.35
                        Layout.preferredHeight: Math.min(Math.max(descriptionField.implicitHeight, 3 * lineHeight + 20),
                                                         6 * lineHeight + 20)
                        TextArea {
                            id: descriptionField
                            objectName: "descriptionField"
                            placeholderText: qsTr("Description")
                            text: root.viewModel.feedbackDescription
                            font: Style.bodyFont
                            color: Style.textPrimary
                            wrapMode: TextEdit.Wrap
                            selectByMouse: true
                            padding: 10
                            Accessible.name: qsTr("Description")
                            onTextChanged: if (text !== root.viewModel.feedbackDescription) root.viewModel.feedbackDescription = text
                            Keys.onTabPressed: nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
                            Keys.onBacktabPressed: nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                            background: Rectangle {
                                radius: 8
                                color: Qt.rgba(1, 1, 1, 0.06)
                                border.color: descriptionField.activeFocus ? Style.accentColor : Style.glassStroke
                            }
                        }
                    }
                    Button {
                        id: sendButton
                        objectName: "sendFeedbackButton"
                        Layout.fillWidth: true
                        padding: 12
                        Accessible.name: qsTr("Send Feedback via Email")
                        // Opened inside the click, while the window still has the focus.
                        onClicked: root.viewModel.send()
                        Keys.onReturnPressed: clicked()
                        Keys.onEnterPressed: clicked()
                        contentItem: Item {
                            implicitHeight: sendRow.implicitHeight
                            implicitWidth: sendRow.implicitWidth
                            Row {
                                id: sendRow
                                anchors.centerIn: parent
                                spacing: 8
                                SymbolIcon { symbol: "envelope.fill"; size: 18; color: "white" }
                                Text {
                                    anchors.verticalCenter: parent.verticalCenter
                                    text: qsTr("Send Feedback via Email")
                                    font: Style.headlineFont
                                    color: "white"
                                }
                            }
                        }
                        background: Rectangle {
                            radius: 10
                            color: sendButton.down ? Qt.darker(Style.accentColor, 1.25)
                                 : sendButton.hovered ? Qt.lighter(Style.accentColor, 1.1) : Style.accentColor
                            border.width: sendButton.visualFocus ? 2 : 0
                            border.color: "white"
                        }
                    }
                }

                Text {
                    objectName: "feedbackProblem"
                    Layout.fillWidth: true
                    visible: text.length > 0
                    text: root.viewModel.problem
                    wrapMode: Text.WordWrap
                    color: Style.errorRed
                    font.family: Style.family
                    font.pixelSize: 13
                    Accessible.role: Accessible.AlertMessage
                    Accessible.name: text
                }

                Item { implicitHeight: 8 }
            }
        }

        // Below the scrolling part, so it is in sight however small the window.
        Rectangle { Layout.fillWidth: true; implicitHeight: 1; color: Style.glassStroke }
        SettingsSwitch {
            objectName: "showOnStartSwitch"
            Layout.fillWidth: true
            Layout.leftMargin: 20
            Layout.rightMargin: 20
            Layout.topMargin: 8
            Layout.bottomMargin: 10
            text: qsTr("Show this window on start")
            checked: root.viewModel.showFeedbackOnStart
            onToggled: root.viewModel.showFeedbackOnStart = checked
        }
    }
}
