import QtQuick
import QtQuick.Controls
import Vorn.Browser
import Vorn.Detail
import Vorn.Editor

// Switches between the library and one prompt's detail. The search text lives here, so it
// survives a trip to a detail and back.
FocusScope {
    id: content
    objectName: "sharedContentView"

    property bool showSettings: false
    property var selectedPrompt: null
    property string searchText: ""
    property var editedPrompt: null
    // Something drawn over the whole panel (an editor, the image preview) is open.
    readonly property bool coversHeader: editedPrompt !== null
        || (selectedPrompt !== null && stack.currentItem !== null && stack.currentItem.coversHeader === true)
    signal closeWindow()
    // After the form's copy: every window of the program goes.
    signal hideApplication()

    function focusSearch(selectAll) {
        if (!selectedPrompt && stack.currentItem)
            stack.currentItem.focusSearch(selectAll === true)
    }
    // Text typed while something else had the keys, for the search field (library only).
    function typeIntoSearch(text) {
        if (!selectedPrompt && stack.currentItem)
            stack.currentItem.typeIntoSearch(text)
    }
    function select(prompt) {
        selectedPrompt = prompt
        stack.push(detailComponent, { prompt: prompt })
        stack.currentItem.forceActiveFocus()
    }
    function back() {
        if (!selectedPrompt)
            return
        selectedPrompt = null
        stack.pop()
        focusSearch()
    }

    // The browser and the detail handle Escape themselves; this catches what they pass on.
    Keys.onEscapePressed: {
        if (selectedPrompt)
            back()
        else
            closeWindow()
    }

    StackView {
        id: stack
        anchors.fill: parent
        focus: true
        // An item, not a component: made with the rest of the view (in steps, when the panel is
        // built in idle time) instead of all at once when the stack completes.
        initialItem: PromptSelectionView {
            objectName: "promptSelectionView"
            // Sized from the start: made before the stack takes it, the list would otherwise
            // lay out its rows for no height at all.
            width: stack.width
            height: stack.height
            searchText: content.searchText
            canEdit: true
            headerTrailingInset: 72
            onSearchTextEdited: (text) => content.searchText = text
            onPromptSelected: (prompt) => content.select(prompt)
            onHideRequested: content.closeWindow()
            onEditRequested: (prompt) => content.editedPrompt = prompt
        }

        // The library comes and goes on the leading side, a detail on the trailing side.
        pushEnter: Transition { XAnimator { from: stack.width; to: 0; duration: 220; easing.type: Easing.OutCubic } }
        pushExit: Transition { XAnimator { from: 0; to: -stack.width; duration: 220; easing.type: Easing.OutCubic } }
        popEnter: Transition { XAnimator { from: -stack.width; to: 0; duration: 220; easing.type: Easing.OutCubic } }
        popExit: Transition { XAnimator { from: 0; to: stack.width; duration: 220; easing.type: Easing.OutCubic } }
    }

    Component {
        id: detailComponent
        PromptDetailView {
            objectName: "promptDetailView"
            onBack: content.back()
            onFinished: {
                content.back()
                content.hideApplication()
            }
        }
    }

    // The full editor opened from a row of the library.
    Loader {
        anchors.fill: parent
        active: content.editedPrompt !== null
        z: 10
        sourceComponent: AdminFullPromptEditorView {
            prompt: content.editedPrompt
            onClosed: {
                content.editedPrompt = null
                content.focusSearch()
            }
        }
        onLoaded: item.forceActiveFocus()
    }
}
