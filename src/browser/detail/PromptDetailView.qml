import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Editor
import Vorn.Detail

// A prompt's detail: the header with its actions, then the fill-in form. The first field
// takes the focus; Escape goes back, Ctrl+Return copies from the form when it is complete.
FocusScope {
    id: detail
    objectName: "promptDetailView"

    property QtObject prompt
    signal back()
    // After the form's copy: the text is on the clipboard and the use counted; the panel
    // goes back to the library and hides.
    signal finished()

    readonly property PromptDetailViewModel viewModel: vm
    property bool showFullEditor: false
    property bool showPreview: false
    readonly property bool coversHeader: showFullEditor || showPreview

    PromptDetailViewModel {
        id: vm
        prompt: detail.prompt
        onCopied: toast.isPresented = true
        onFinished: detail.finished()
    }

    Component.onCompleted: {
        vm.appear()
        Qt.callLater(form.focusFirstField)
    }
    Keys.onEscapePressed: detail.back()

    // On an incomplete form the copy moves to the first field to fix and shows why.
    Shortcut {
        sequences: ["Ctrl+Return", "Ctrl+Enter"]
        enabled: detail.visible && !detail.showFullEditor && !detail.showPreview
        onActivated: form.tryCopy()
    }

    readonly property bool split: vm.form.splitPreview

    Flickable {
        id: scroller
        anchors.left: parent.left
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        width: detail.split ? Math.round(parent.width * 0.56) : parent.width
        contentWidth: width
        contentHeight: content.implicitHeight + 40
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        Column {
            id: content
            x: 24
            y: 16
            width: scroller.width - 48
            spacing: 12

            AbstractButton {
                id: backButton
                objectName: "backButton"
                activeFocusOnTab: true
                hoverEnabled: true
                Accessible.role: Accessible.Button
                Accessible.name: qsTr("Back to Library")
                onClicked: detail.back()
                background: Rectangle {
                    radius: 6
                    color: backButton.hovered ? Qt.rgba(1, 1, 1, 0.06) : "transparent"
                    border.width: backButton.visualFocus ? 2 : 0
                    border.color: Style.brandPurple
                }
                contentItem: Row {
                    spacing: 2
                    SymbolIcon { anchors.verticalCenter: parent.verticalCenter; symbol: "chevron.left"; size: 18; color: Style.brandPurple }
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        text: qsTr("Back to Library")
                        color: Style.brandPurple
                        font.family: Style.family
                        font.pixelSize: 13
                        font.weight: Font.Medium
                    }
                }
                padding: 4
                rightPadding: 8
            }

            Item {
                width: parent.width
                height: Math.max(titleText.implicitHeight, buttons.height)
                Text {
                    id: titleText
                    objectName: "titleText"
                    width: parent.width - buttons.width - 16
                    text: vm.title
                    wrapMode: Text.WordWrap
                    color: Style.textPrimary
                    font.family: Style.family
                    font.pixelSize: 24
                    font.weight: Font.Bold
                    Accessible.role: Accessible.Heading
                    Accessible.name: text
                }
                Row {
                    id: buttons
                    anchors.right: parent.right
                    anchors.top: parent.top
                    spacing: 2
                    HeaderIconButton {
                        objectName: "editButton"
                        visible: vm.isAdminMode
                        symbol: "pencil"
                        accessibleName: qsTr("Edit prompt")
                        tint: Style.brandIndigo
                        onClicked: detail.showFullEditor = true
                    }
                    HeaderIconButton {
                        objectName: "headerCopyButton"
                        symbol: "list.bullet.clipboard"
                        help: qsTr("Copy the whole prompt to the clipboard")
                        tint: Style.brandPurple
                        enabled: vm.form.isValid
                        onClicked: vm.copyPrompt()
                    }
                    HeaderIconButton {
                        objectName: "previewButton"
                        symbol: "photo"
                        help: qsTr("Show prompt preview")
                        tint: Style.brandIndigo
                        enabled: vm.preview.hasPreviewImage
                        onClicked: detail.showPreview = true
                    }
                    HeaderIconButton {
                        objectName: "hideButton"
                        symbol: vm.hiddenSymbol
                        help: vm.hiddenHelp
                        tint: vm.isHidden ? Style.textSecondary : Style.textPrimary
                        onClicked: vm.toggleHidden()
                    }
                    HeaderIconButton {
                        objectName: "favoriteButton"
                        symbol: vm.favoriteSymbol
                        help: vm.favoriteHelp
                        tint: vm.isFavorite ? Style.favoriteYellow : Style.textPrimary
                        onClicked: vm.toggleFavorite()
                    }
                }
            }

            Row {
                spacing: 12
                Row {
                    spacing: 4
                    SymbolIcon { anchors.verticalCenter: parent.verticalCenter; symbol: "calendar"; size: 14; color: Style.textSecondary }
                    Text {
                        objectName: "updatedText"
                        anchors.verticalCenter: parent.verticalCenter
                        text: vm.updatedText
                        color: Style.textSecondary
                        font: Style.captionFont
                    }
                }
                Row {
                    spacing: 4
                    SymbolIcon { anchors.verticalCenter: parent.verticalCenter; symbol: "arrow.counterclockwise"; size: 14; color: Style.textSecondary }
                    Text {
                        objectName: "usesText"
                        anchors.verticalCenter: parent.verticalCenter
                        text: vm.usesText
                        color: Style.textSecondary
                        font: Style.captionFont
                    }
                }
            }

            Flickable {
                objectName: "chips"
                width: parent.width
                height: chipRow.height
                visible: chipRow.width > 0 && (vm.categoryNames.length + vm.tagNames.length > 0 || vm.isAdminMode)
                contentWidth: chipRow.width
                flickableDirection: Flickable.HorizontalFlick
                boundsBehavior: Flickable.StopAtBounds
                clip: true
                Row {
                    id: chipRow
                    spacing: 6
                    Repeater {
                        model: vm.categoryNames
                        delegate: TagView {
                            required property string modelData
                            anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                            text: modelData
                            color: Qt.rgba(Style.brandIndigo.r, Style.brandIndigo.g, Style.brandIndigo.b, 0.3)
                        }
                    }
                    AddMenuButton {
                        objectName: "addCategoryMenu"
                        visible: vm.isAdminMode
                        help: qsTr("Add category")
                        choices: vm.categoryChoices
                        onChosen: (index) => vm.addCategory(index)
                    }
                    Item { width: 6; height: 1; visible: vm.tagNames.length > 0 || vm.isAdminMode }
                    Repeater {
                        model: vm.tagNames
                        delegate: TagView {
                            required property string modelData
                            anchors.verticalCenter: parent ? parent.verticalCenter : undefined
                            text: modelData
                        }
                    }
                    AddMenuButton {
                        objectName: "addTagMenu"
                        visible: vm.isAdminMode
                        help: qsTr("Add tag")
                        choices: vm.tagChoices
                        onChosen: (index) => vm.addTag(index)
                    }
                }
            }

            Text {
                objectName: "descriptionText"
                width: parent.width
                visible: text.length > 0
                text: vm.promptDescription
                wrapMode: Text.WordWrap
                color: Style.textSecondary
                font.family: Style.family
                font.pixelSize: 14
                font.italic: true
            }

            Rectangle { width: parent.width; height: 1; color: Style.glassStroke }

            FormGeneratorView {
                id: form
                objectName: "formGeneratorView"
                width: parent.width
                focus: true
                viewModel: vm.form
                previewDock: detail.split ? dock : null
                onDismiss: detail.back()
            }
        }
    }

    // With many fields the messages and the preview sit beside them and stay on screen.
    Flickable {
        id: dockScroller
        objectName: "previewPane"
        visible: detail.split
        anchors.left: scroller.right
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.bottom: parent.bottom
        anchors.topMargin: 56   // below the panel's own buttons
        contentWidth: width
        contentHeight: dock.implicitHeight + 32
        boundsBehavior: Flickable.StopAtBounds
        clip: true
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
        Column {
            id: dock
            x: 8
            width: dockScroller.width - 32
        }
    }

    // Keeps the focused field in view while Tab walks the form.
    Connections {
        target: detail.Window.window
        function onActiveFocusItemChanged() {
            const item = detail.Window.activeFocusItem
            if (!item || !detail.visible)
                return
            let inside = false
            for (let p = item; p; p = p.parent)
                if (p === content) { inside = true; break }
            if (!inside)
                return
            const pos = item.mapToItem(content, 0, 0)
            const top = pos.y + content.y - 12
            const bottom = pos.y + content.y + item.height + 12
            if (top < scroller.contentY)
                scroller.contentY = Math.max(0, top)
            else if (bottom > scroller.contentY + scroller.height)
                scroller.contentY = Math.min(scroller.contentHeight - scroller.height, bottom - scroller.height)
        }
    }

    Toast {
        id: toast
        message: qsTr("Copied to clipboard")
        icon: "checkmark.circle.fill"
        duration: 2
    }

    Loader {
        anchors.fill: parent
        active: detail.showPreview
        z: 200
        sourceComponent: ImagePreviewView {
            imageURL: vm.preview.imageUrl
            onClose: {
                detail.showPreview = false
                form.focusFirstField()
            }
        }
    }
    Loader {
        anchors.fill: parent
        active: detail.showFullEditor
        z: 200
        sourceComponent: AdminFullPromptEditorView {
            prompt: detail.prompt
            onClosed: {
                detail.showFullEditor = false
                form.focusFirstField()
            }
        }
    }
}
