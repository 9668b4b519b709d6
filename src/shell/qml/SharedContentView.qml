import QtQuick
import QtQuick.Controls

// Switches between the library and one prompt's detail. The search text lives here, so it
// survives a trip to a detail and back.
FocusScope {
    id: content
    objectName: "sharedContentView"

    property bool showSettings: false
    property var selectedPrompt: null
    property string searchText: ""
    signal closeWindow()

    function focusSearch() {
        if (!selectedPrompt && stack.currentItem)
            stack.currentItem.focusSearch()
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
        initialItem: browserComponent

        // The library comes and goes on the leading side, a detail on the trailing side.
        pushEnter: Transition { XAnimator { from: stack.width; to: 0; duration: 220; easing.type: Easing.OutCubic } }
        pushExit: Transition { XAnimator { from: 0; to: -stack.width; duration: 220; easing.type: Easing.OutCubic } }
        popEnter: Transition { XAnimator { from: -stack.width; to: 0; duration: 220; easing.type: Easing.OutCubic } }
        popExit: Transition { XAnimator { from: 0; to: stack.width; duration: 220; easing.type: Easing.OutCubic } }
    }

    Component {
        id: browserComponent
        LibraryBrowserPlaceholder {
            searchText: content.searchText
            onSearchTextEdited: (text) => content.searchText = text
            onSelectPrompt: (prompt) => content.select(prompt)
            onHide: content.closeWindow()
        }
    }
    Component {
        id: detailComponent
        PromptDetailPlaceholder {
            onBack: content.back()
            onFinish: {
                content.back()
                content.closeWindow()
            }
        }
    }
}
