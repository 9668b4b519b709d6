import QtQuick
import QtQuick.Controls
import QtQuick.Layouts
import Vorn.Style
import Vorn.Settings

// The settings: login item, shortcut letter, sync and tag suffixes for everyone; store maintenance
// and the template check in administration mode. Shown as a sheet over the panel and as the
// "Settings" window; Escape asks the host to close it.
SettingsPane {
    id: root
    objectName: "settingsView"
    width: 550
    height: 600

    property SettingsViewModel viewModel: SettingsViewModel {}
    // Set by the host; the compiled-in values otherwise.
    property string version: viewModel.compiledVersion
    property string build: viewModel.compiledBuild
    readonly property string fullEditorUrl: "qrc:/qt/qml/Vorn/Editor/AdminFullPromptEditorView.qml"

    // A finding's prompt should open in the full editor and the editor is not built in: the
    // host opens it and calls viewModel.validation.finishEditing() when it closes.
    signal editPromptRequested(var prompt)
    signal closeRequested()

    readonly property TemplateValidationViewModel validation: viewModel.validation
    readonly property bool isAdminMode: viewModel.isAdminMode

    function shows(row) { return viewModel.visibleRows.indexOf(row) >= 0 }

    // Keeps the focused control in view while tabbing through the scrolling rows.
    function reveal(item) {
        const flick = scroller.contentItem
        const top = item.mapToItem(flick.contentItem, 0, 0).y
        if (top < flick.contentY)
            flick.contentY = Math.max(0, top - 16)
        else if (top + item.height > flick.contentY + flick.height)
            flick.contentY = Math.min(flick.contentHeight - flick.height, top + item.height - flick.height + 16)
    }

    Keys.onEscapePressed: root.closeRequested()
    onVisibleChanged: if (visible) viewModel.reload()

    component Divider: Rectangle {
        Layout.fillWidth: true
        implicitHeight: 1
        color: Style.glassStroke
    }

    ColumnLayout {
        anchors.fill: parent
        spacing: 0

        // Header. Four clicks on the gear with Ctrl held switch administration mode.
        ColumnLayout {
            Layout.alignment: Qt.AlignHCenter
            Layout.topMargin: 20
            Layout.bottomMargin: 20
            spacing: 20

            SymbolIcon {
                objectName: "settingsGear"
                Layout.alignment: Qt.AlignHCenter
                symbol: "gear"
                size: 50
                color: Style.textSecondary
                MouseArea {
                    anchors.fill: parent
                    onClicked: (mouse) => root.viewModel.gearClicked(mouse.modifiers)
                }
            }
            Text {
                objectName: "adminModeLabel"
                Layout.alignment: Qt.AlignHCenter
                visible: root.isAdminMode
                text: qsTr("ADMIN MODE: on")
                font.family: Style.family
                font.pixelSize: 12
                font.bold: true
                color: Style.accentColor
            }
            Text {
                Layout.alignment: Qt.AlignHCenter
                text: qsTr("Settings")
                font: Style.titleFont
                color: Style.textPrimary
                Accessible.role: Accessible.Heading
                Accessible.name: text
            }
            Text {
                objectName: "versionLine"
                Layout.alignment: Qt.AlignHCenter
                Layout.topMargin: -14
                text: root.viewModel.versionLine(root.version, root.build)
                font.family: Style.family
                font.pixelSize: 11
                color: Style.textSecondary
            }
        }

        Divider {}

        ScrollView {
            id: scroller
            objectName: "settingsScroller"
            Layout.fillWidth: true
            Layout.fillHeight: true
            contentWidth: availableWidth
            clip: true
            ScrollBar.vertical.policy: ScrollBar.AlwaysOn

            ColumnLayout {
                id: rows
                width: scroller.availableWidth - 32
                x: 16
                spacing: 16

                Item { implicitHeight: 0 }

                SettingsRow {
                    objectName: "launchAtLoginRow"
                    title: root.viewModel.rowTitle("launchAtLogin")
                    description: root.viewModel.rowDescription("launchAtLogin")
                    SettingsSwitch {
                        objectName: "launchAtLoginSwitch"
                        checked: root.viewModel.launchAtLogin
                        Accessible.name: qsTr("Launch at Login")
                        onActiveFocusChanged: if (activeFocus) root.reveal(this)
                        // The model decides; after a failure the switch returns to the real state.
                        onToggled: {
                            root.viewModel.toggleLaunchAtLogin()
                            checked = Qt.binding(() => root.viewModel.launchAtLogin)
                        }
                    }
                }

                Divider {}

                ColumnLayout {
                    Layout.fillWidth: true
                    spacing: 2
                    SettingsRow {
                        objectName: "shortcutRow"
                        title: root.viewModel.rowTitle("shortcut")
                        description: root.viewModel.rowDescription("shortcut")
                        Row {
                            spacing: 4
                            Text {
                                anchors.verticalCenter: parent.verticalCenter
                                text: root.viewModel.shortcutModifiers
                                font.family: Style.family
                                font.pixelSize: 13
                                color: Style.textSecondary
                            }
                            SettingsComboBox {
                                id: letterPicker
                                objectName: "shortcutPicker"
                                width: 60
                                model: root.viewModel.chars
                                currentIndex: model.indexOf(root.viewModel.hotkeyChar)
                                Accessible.name: qsTr("Shortcut letter")
                                onActiveFocusChanged: if (activeFocus) root.reveal(this)
                                onActivated: (index) => {
                                    root.viewModel.hotkeyChar = model[index]
                                    currentIndex = Qt.binding(() => model.indexOf(root.viewModel.hotkeyChar))
                                }
                            }
                        }
                    }
                    Text {
                        objectName: "portalHint"
                        Layout.fillWidth: true
                        visible: text.length > 0
                        text: root.viewModel.portalHint
                        font: Style.captionFont
                        color: Style.textSecondary
                        horizontalAlignment: Text.AlignRight
                        wrapMode: Text.WordWrap
                    }
                }

                SettingsRow {
                    objectName: "synchronizeRow"
                    visible: root.shows("synchronize")
                    title: root.viewModel.rowTitle("synchronize")
                    description: root.viewModel.rowDescription("synchronize")
                    SettingsButton {
                        objectName: "synchronizeButton"
                        text: qsTr("Synchronize")
                        onActiveFocusChanged: if (activeFocus) root.reveal(this)
                        onClicked: root.viewModel.synchronize()
                    }
                }

                Divider { visible: root.isAdminMode }

                SettingsRow {
                    objectName: "exportRow"
                    visible: root.shows("export")
                    title: root.viewModel.rowTitle("export")
                    description: root.viewModel.rowDescription("export")
                    SettingsButton {
                        objectName: "exportButton"
                        text: qsTr("Export DB")
                        onActiveFocusChanged: if (activeFocus) root.reveal(this)
                        onClicked: root.viewModel.exportDatabase()
                    }
                }

                Divider { visible: root.isAdminMode }

                SettingsRow {
                    objectName: "dangerZoneRow"
                    visible: root.shows("dangerZone")
                    title: root.viewModel.rowTitle("dangerZone")
                    description: root.viewModel.rowDescription("dangerZone")
                    Column {
                        id: dangerButtons
                        // One width for all: the widest label's, and at least 200.
                        property real buttonWidth: 200
                        spacing: 6
                        Repeater {
                            model: [
                                { name: "resetDatabaseButton", text: qsTr("Reset Database"), role: "destructive" },
                                { name: "resetStatsButton", text: qsTr("Reset Usage & Favorites"), role: "destructive" },
                                { name: "deduplicateButton", text: qsTr("Deduplicate Database"), role: "normal" },
                                { name: "validateButton", text: qsTr("Validate Templates"), role: "normal" }
                            ]
                            SettingsButton {
                                required property var modelData
                                objectName: modelData.name
                                width: dangerButtons.buttonWidth
                                Component.onCompleted: dangerButtons.buttonWidth = Math.max(dangerButtons.buttonWidth, implicitWidth)
                                text: modelData.text
                                role: modelData.role
                                onActiveFocusChanged: if (activeFocus) root.reveal(this)
                                onClicked: {
                                    switch (modelData.name) {
                                    case "resetDatabaseButton": resetAlert.open(); break
                                    case "resetStatsButton": statsResetAlert.open(); break
                                    case "deduplicateButton": root.viewModel.deduplicate(); break
                                    case "validateButton": root.validation.start(); break
                                    }
                                }
                            }
                        }
                    }
                }

                Divider {}

                SyncSection {
                    Layout.fillWidth: true
                    viewModel: root.viewModel.sync
                    onFocused: (item) => root.reveal(item)
                }

                Divider {}

                // Prompt suffixes: one editor per tag, written to the settings on every edit.
                ColumnLayout {
                    objectName: "suffixSection"
                    Layout.fillWidth: true
                    spacing: 10

                    Text {
                        text: qsTr("Prompt Suffixes")
                        font.family: Style.family
                        font.pixelSize: 20
                        font.bold: true
                        color: Style.textPrimary
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                    Text {
                        Layout.fillWidth: true
                        text: qsTr("The suffix for Text Prompts will be added automatically to each prompt that is made for a chatbot. For example, you can add 'Please answer in Markdown' to all text prompts.")
                        font: Style.captionFont
                        color: Style.textSecondary
                        wrapMode: Text.WordWrap
                    }
                    Repeater {
                        model: root.viewModel.allTags
                        ColumnLayout {
                            id: suffix
                            required property string modelData
                            Layout.fillWidth: true
                            Layout.topMargin: 6
                            spacing: 4

                            Text {
                                text: root.viewModel.suffixTitle(suffix.modelData)
                                font: Style.headlineFont
                                color: Style.textPrimary
                            }
                            TextArea {
                                id: editor
                                objectName: "suffixEditor_" + suffix.modelData
                                property bool loaded: false
                                Layout.fillWidth: true
                                Layout.minimumHeight: 60
                                padding: 8
                                wrapMode: TextEdit.Wrap
                                font: Style.bodyFont
                                color: Style.textPrimary
                                selectByMouse: true
                                selectionColor: Style.accentColor
                                selectedTextColor: Style.textPrimary
                                Accessible.name: root.viewModel.suffixTitle(suffix.modelData)
                                // Shows the stored text whenever it changes, here or in the other
                                // settings view; its own edits are already that text.
                                function load() {
                                    const stored = root.viewModel.suffix(suffix.modelData)
                                    if (stored === text)
                                        return
                                    const position = cursorPosition
                                    loaded = false
                                    text = stored
                                    cursorPosition = Math.min(position, length)
                                    loaded = true
                                }
                                Component.onCompleted: {
                                    load()
                                    loaded = true
                                }
                                Connections {
                                    target: root.viewModel
                                    function onSuffixChanged(tag) {
                                        if (tag === suffix.modelData)
                                            editor.load()
                                    }
                                }
                                onTextChanged: if (loaded) root.viewModel.setSuffix(suffix.modelData, text)
                                onActiveFocusChanged: if (activeFocus) root.reveal(this)
                                // Tab moves on instead of typing a tab character.
                                Keys.onTabPressed: nextItemInFocusChain(true).forceActiveFocus(Qt.TabFocusReason)
                                Keys.onBacktabPressed: nextItemInFocusChain(false).forceActiveFocus(Qt.BacktabFocusReason)
                                background: Rectangle {
                                    radius: 8
                                    color: Qt.rgba(1, 1, 1, 0.04)
                                    border.width: 1
                                    border.color: editor.activeFocus ? Style.accentColor
                                                : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.3)
                                }
                            }
                            Divider { Layout.topMargin: 8 }
                        }
                    }
                }

                Item { implicitHeight: 4 }
            }
        }

        Divider {}

        // Always in reach: without a tray there is no other way to end the app.
        RowLayout {
            Layout.fillWidth: true
            Layout.margins: 12
            Item { Layout.fillWidth: true }
            SettingsButton {
                objectName: "quitButton"
                text: qsTr("Quit VORN")
                onClicked: root.viewModel.quitApp()
            }
        }
    }

    ConfirmationAlert {
        id: resetAlert
        objectName: "resetDatabaseAlert"
        title: qsTr("Reset Database?")
        message: qsTr("This will delete all prompts, categories, and tags, and restore the default library. A backup will be created in Documents before resetting.")
        confirmText: qsTr("Reset")
        onConfirmed: root.viewModel.resetDatabase()
    }

    ConfirmationAlert {
        id: statsResetAlert
        objectName: "resetStatsAlert"
        title: qsTr("Reset Usage & Favorites?")
        message: qsTr("This will reset usage counts, favorites, 'hot' settings, and last used times for ALL prompts and categories.")
        confirmText: qsTr("Reset Stats")
        onConfirmed: root.viewModel.resetUserStats()
    }

    ValidationSheet {
        id: validationSheet
        validation: root.validation
    }

    // The full editor on top of the validation sheet, while a finding's prompt is open.
    Connections {
        target: root.validation
        function onEditingPromptChanged() {
            const prompt = root.validation.editingPrompt
            if (!prompt) {
                editorPopup.close()
            } else if (root.viewModel.hasResource(root.fullEditorUrl)) {
                editorLoader.setSource(root.fullEditorUrl, { prompt: prompt })
                editorPopup.open()
            } else {
                root.editPromptRequested(prompt)
            }
        }
    }
    // After "Export DB": where the file went, or why it was not written.
    NoticeBanner {
        objectName: "exportNotice"
        text: root.viewModel.exportNotice.text
        failed: root.viewModel.exportNotice.failed
        actionText: failed ? "" : qsTr("Show in Files")
        onActivated: root.viewModel.exportNotice.reveal()
        onDismissed: root.viewModel.exportNotice.dismiss()
    }

    // The editor draws its own backdrop and card, and handles Escape itself (as "Cancel").
    Popup {
        id: editorPopup
        objectName: "fullEditorPopup"
        x: 0
        y: 0
        width: root.width
        height: root.height
        modal: true
        focus: true
        padding: 0
        closePolicy: Popup.NoAutoClose
        Overlay.modal: Item {}
        background: Item {}
        onClosed: {
            root.validation.finishEditing()
            editorLoader.source = ""
        }
        Loader {
            id: editorLoader
            anchors.fill: parent
            focus: true
        }
        Connections {
            target: editorLoader.item
            ignoreUnknownSignals: true
            function onClosed() { editorPopup.close() }
        }
    }
}
