import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Admin
import Vorn.Browser

// The library browser: the search field, the administration menu and one list that shows
// either the search results or the fixed sections followed by the library of categories.
FocusScope {
    id: browser
    objectName: "promptSelectionView"

    // The search text; the presenter owns it (bind it and write back on searchTextEdited)
    // so that it survives a visit to a prompt's detail.
    property string searchText: ""
    // The prompt drawn as selected (canonical UUID text), if any.
    property string selectedPromptId: ""
    // Offer the full prompt editor in administration mode (editRequested then fires).
    property bool canEdit: false
    // Room the host keeps free at the header's trailing end for its own buttons.
    property real headerTrailingInset: 0
    property alias searchField: searchBox.field
    readonly property alias viewModel: browserModel

    signal searchTextEdited(string text)
    signal promptSelected(QtObject prompt)
    signal hideRequested()
    signal editRequested(QtObject prompt)

    // selectAll: the whole search is selected, so typing starts a new one while Return and
    // the arrows still work on the last results (the panel being shown again).
    function focusSearch(selectAll) {
        searchField.forceActiveFocus()
        if (selectAll)
            searchField.selectAll()
    }

    // Text typed elsewhere, added to the search with the field taking the keys.
    function typeIntoSearch(text) {
        searchField.forceActiveFocus()
        editSearch(searchField.selectedText.length > 0 ? text : browser.searchText + text)
        searchField.cursorPosition = searchField.length
    }
    // Reports the edit; keeps the text here as well when the presenter did not write it back.
    function editSearch(text) {
        browser.searchTextEdited(text)
        if (browser.searchText !== text)
            browser.searchText = text
    }
    function openHighlighted() {
        const prompt = browserModel.highlightedPrompt()
        if (prompt)
            browser.promptSelected(prompt)
    }
    // The context menu of the highlighted row, as a right click would open it. The search
    // options stay while it is open, so the list does not move under it.
    function showHighlightedMenu() {
        const row = browserModel.highlightedRow
        if (row < 0)
            return
        list.positionViewAtIndex(row, ListView.Contain)
        const item = list.itemAtIndex(row)
        if (!item)
            return
        const keepOptions = options.shown
        const menu = item.showMenu()
        if (menu && keepOptions) {
            browser.menuOverSearch = menu
            menu.closed.connect(browser.releaseMenu)
        }
    }
    property var menuOverSearch: null
    // After the menu gave the keys back, so the options never blink away in between.
    function releaseMenu() {
        if (browser.menuOverSearch)
            browser.menuOverSearch.closed.disconnect(browser.releaseMenu)
        Qt.callLater(() => { browser.menuOverSearch = null })
    }
    function moveHighlight(delta) {
        browserModel.moveHighlight(delta)
        showHighlighted()
    }
    function showHighlighted() {
        if (browserModel.highlightedRow < 0)
            return
        list.positionViewAtIndex(browserModel.highlightedRow, ListView.Contain)
        highlightSettle.restart()
    }
    // Among rows not made yet a row is placed by an estimate of their heights, and may end up
    // a little out of sight; once they are made it is placed again, and again while results
    // slide in (a row takes its texts, and its height, when it sets off).
    Timer {
        id: highlightSettle
        interval: 60
        onTriggered: {
            if (browserModel.highlightedRow >= 0)
                list.positionViewAtIndex(browserModel.highlightedRow, ListView.Contain)
            if (stagger.running)
                restart()
        }
    }
    // Rows a page of the list holds, about.
    function pageStops() {
        return Math.max(1, Math.floor(list.height / 52))
    }
    // The keys of the list, handled wherever the focus is in the browser: the list's own
    // (walking, opening and closing headers) go to the view-model; `fromField` leaves the keys
    // that edit the search text to the field.
    function handleKey(event, fromField) {
        switch (event.key) {
        case Qt.Key_Menu:
            showHighlightedMenu()
            break
        case Qt.Key_F10:
            if (!(event.modifiers & Qt.ShiftModifier))
                return false
            showHighlightedMenu()
            break
        case Qt.Key_Escape:
            if (browser.searchText.length > 0)
                editSearch("")
            else
                browser.hideRequested()
            break
        default:
            if (event.modifiers & (Qt.ControlModifier | Qt.AltModifier | Qt.ShiftModifier))
                return false
            if (!browserModel.handleKey(event.key, pageStops(), fromField === true))
                return false
            showHighlighted()
            break
        }
        event.accepted = true
        return true
    }

    PromptBrowserViewModel {
        id: browserModel
        searchText: browser.searchText
        selectedPromptId: browser.selectedPromptId
        onLibraryShown: browserModel.cleanupDuplicates()
        onPromptActivated: (prompt) => browser.promptSelected(prompt)
        matchColor: Style.accentColor
        // When results first take the place of the sections, they slide in one after another,
        // the first screenful at most; the library stays in sight until they are there. Later
        // keystrokes change the rows in place: rows that stay do not move again, and rows met
        // later by scrolling just appear.
        onResultsArrive: stagger.start()
        onSearchTextChanged: list.positionViewAtBeginning()
    }

    // Each time the library comes into sight again its part of the list "appears".
    StackView.onActivated: browserModel.shownAgain()
    Connections {
        target: browser.Window.window
        function onVisibleChanged() {
            if (browser.Window.window.visible && browser.visible)
                browserModel.shownAgain()
        }
    }


    // Typing while the focus is on the background goes to the search field.
    Keys.onPressed: (event) => {
        if (handleKey(event))
            return
        if (event.text.length > 0 && event.text.charCodeAt(0) >= 32 && !(event.modifiers & Qt.ControlModifier)) {
            typeIntoSearch(event.text)
            event.accepted = true
        }
    }

    // Header: the search field and, for administrators, the administration menu.
    Item {
        id: header
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        anchors.leftMargin: 16
        anchors.rightMargin: 16 + browser.headerTrailingInset
        height: 42

        SearchBox {
            id: searchBox
            anchors.left: parent.left
            anchors.right: adminMenuButton.visible ? adminMenuButton.left : parent.right
            anchors.rightMargin: adminMenuButton.visible ? 8 : 0
            height: parent.height
            text: browser.searchText
            onEdited: (text) => browser.editSearch(text)
            // The field keeps the focus while the arrows walk the list.
            onKeyPressed: (event) => browser.handleKey(event, true)
        }

        SymbolButton {
            id: adminMenuButton
            objectName: "adminMenuButton"
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: browserModel.isAdminMode
            symbol: "ellipsis.circle"
            size: 22
            help: qsTr("Administration")
            onClicked: adminMenu.popup(adminMenuButton, adminMenuButton.width - adminMenu.width, adminMenuButton.height + 4)
            DarkMenu {
                id: adminMenu
                DarkMenuItem {
                    objectName: "exportMenuItem"
                    text: qsTr("Export DB")
                    symbol: "arrow.up.doc"
                    onTriggered: browserModel.exportDatabase()
                }
                DarkMenuItem {
                    objectName: "insertMenuItem"
                    text: qsTr("Insert Prompt")
                    symbol: "plus.square.dashed"
                    onTriggered: insertSheet.open()
                }
            }
        }
    }

    // What is wrong with the library, when something is: not saved, not opened, moved aside.
    LibraryStatusBanner {
        id: statusBanner
        anchors.top: header.bottom
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 16
        anchors.rightMargin: 16
    }

    // The search options, shown while the search has the focus.
    Row {
        id: options
        objectName: "searchOptions"
        readonly property bool shown: searchField.activeFocus || hiddenChip.activeFocus || templateChip.activeFocus
                                      || browser.menuOverSearch !== null
        anchors.top: statusBanner.bottom
        anchors.topMargin: shown ? 10 : 0
        anchors.left: parent.left
        anchors.leftMargin: 16
        spacing: 8
        height: shown ? implicitHeight : 0
        opacity: shown ? 1 : 0
        visible: opacity > 0
        Behavior on opacity { NumberAnimation { duration: Style.defaultAnimation } }
        Behavior on height { NumberAnimation { duration: Style.defaultAnimation; easing.type: Easing.OutCubic } }
        Behavior on anchors.topMargin { NumberAnimation { duration: Style.defaultAnimation; easing.type: Easing.OutCubic } }

        SearchOptionChip {
            id: hiddenChip
            objectName: "searchHiddenChip"
            text: qsTr("Search hidden prompts")
            checked: browserModel.searchHiddenPrompts
            onToggled: browserModel.searchHiddenPrompts = checked
            Keys.onPressed: (event) => browser.handleKey(event)
        }
        SearchOptionChip {
            id: templateChip
            objectName: "searchTemplateChip"
            text: qsTr("Search template text")
            checked: browserModel.searchTemplateText
            onToggled: browserModel.searchTemplateText = checked
            Keys.onPressed: (event) => browser.handleKey(event)
        }
    }

    // The bold face that marks what matched, in the sizes of a row's title and description:
    // loaded with the panel, so the first search's rows do not wait for the font's look-up.
    Repeater {
        model: [15, 13]
        Text {
            required property int modelData
            visible: false
            text: "m"
            font.family: Style.family
            font.pixelSize: modelData
            font.bold: true
        }
    }

    ListView {
        id: list
        objectName: "promptList"
        anchors.top: options.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        leftMargin: 16
        rightMargin: 16
        bottomMargin: 12
        clip: true
        model: browserModel.rows
        boundsBehavior: Flickable.StopAtBounds
        // Only the rows in sight are made and kept: when results take the place of the
        // library, rows kept beyond the edge would lay their texts out in the same frame.
        cacheBuffer: 0
        highlightFollowsCurrentItem: false
        currentIndex: -1
        keyNavigationEnabled: false
        // The whole list is one stop of the Tab order; its keys walk the rows.
        activeFocusOnTab: true
        Accessible.role: Accessible.List
        Accessible.name: qsTr("Prompts")
        Keys.onPressed: (event) => browser.handleKey(event, false)
        onActiveFocusChanged: {
            if (activeFocus && browserModel.highlightedRow < 0)
                browser.moveHighlight(1)
        }
        ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }

        // Opening and closing sections move the rows below smoothly.
        add: browserModel.isSearching ? null : rowAppears
        displaced: browserModel.isSearching ? null : rowsMove
        Transition { id: rowsMove; NumberAnimation { properties: "y"; duration: Style.defaultAnimation; easing.type: Easing.OutCubic } }
        Transition { id: rowAppears; NumberAnimation { property: "opacity"; from: 0; to: 1; duration: Style.defaultAnimation } }

        // A tap on the background takes the focus from the search field.
        TapHandler {
            onTapped: if (searchField.activeFocus) browser.forceActiveFocus()
        }

        delegate: Item {
            id: entry
            required property int index
            required property int kind
            required property QtObject prompt
            required property QtObject category
            required property string sectionId
            required property string title
            required property string icon
            required property string description
            required property int count
            required property bool expanded
            required property int position
            required property bool inCard
            required property bool lastInGroup
            required property int match
            required property string titleMarkup
            required property string descriptionMarkup

            readonly property bool highlighted: index === browserModel.highlightedRow
            // What the row shows: a prompt's row, part of every row and shown for prompts only
            // (results taking the place of the library's rows, row by row, then find their rows
            // made), or the body made for any other kind.
            readonly property Item body: kind === BrowserRowModel.Prompt ? promptBody : otherBody
            function showMenu() {
                if (kind === BrowserRowModel.Prompt)
                    return promptRow.showMenu()
                if (otherBody.item && otherBody.item.showMenu)
                    return otherBody.item.showMenu()
                return null
            }
            width: ListView.view.width - ListView.view.leftMargin - ListView.view.rightMargin
            // Until its body is made (rows made in idle time wait for it) a row stands for one of
            // a usual height: at no height the list would go on making rows to fill itself.
            height: (kind === BrowserRowModel.Prompt ? promptBody.height : otherBody.item ? otherBody.height : 44)
                    + (lastInGroup ? 12 : 0)

            CardSlice {
                visible: entry.inCard
                width: parent.width
                height: entry.body.height
                roundBottom: entry.lastInGroup
            }

            Item {
                id: promptBody
                visible: entry.kind === BrowserRowModel.Prompt
                width: parent.width
                height: visible ? promptRow.implicitHeight + (entry.inCard ? 4 : 0) : 0
                PromptRow {
                    id: promptRow
                    focusPolicy: Qt.NoFocus
                    x: entry.inCard ? 6 : 0
                    width: parent.width - 2 * x
                    prompt: entry.kind === BrowserRowModel.Prompt ? entry.prompt : null
                    viewModel: browserModel
                    // A row kept for another kind makes no administration controls.
                    isAdminMode: browserModel.isAdminMode && prompt !== null
                    canEdit: browser.canEdit
                    isSelected: prompt !== null && prompt.idText === browser.selectedPromptId
                    isHighlighted: entry.highlighted
                    // A row still waiting for its turn in the entrance is transparent: it takes
                    // its texts when it sets off, so the keystroke's frame lays out none of them.
                    Binding on titleMarkup { when: !entry.waiting; value: entry.titleMarkup; restoreMode: Binding.RestoreNone }
                    Binding on descriptionMarkup { when: !entry.waiting; value: entry.descriptionMarkup; restoreMode: Binding.RestoreNone }
                    onClicked: browser.promptSelected(entry.prompt)
                    onEditRequested: (prompt) => browser.editRequested(prompt)
                    onDeleteRequested: (prompt) => deleteConfirmation.ask(prompt)
                }
            }

            // Kept, hidden, while the row shows a prompt: it is not made again if the row
            // turns back into what it was.
            Loader {
                id: otherBody
                width: parent.width
                visible: entry.kind !== BrowserRowModel.Prompt
                function bodyFor(kind) {
                    switch (kind) {
                    case BrowserRowModel.Prompt: return sourceComponent
                    case BrowserRowModel.SectionHeader: return sectionHeader
                    case BrowserRowModel.CategoryHeader: return categoryHeader
                    case BrowserRowModel.LibraryHeader: return libraryHeader
                    case BrowserRowModel.More: return moreButton
                    case BrowserRowModel.HiddenCategory: return hiddenCategory
                    case BrowserRowModel.MatchCount: return resultsCaption
                    case BrowserRowModel.CloseHeader: return resultsCaption
                    default: return emptyResult
                    }
                }
                Component.onCompleted: sourceComponent = bodyFor(entry.kind)
                Connections {
                    target: entry
                    function onKindChanged() { otherBody.sourceComponent = otherBody.bodyFor(entry.kind) }
                }
            }

            // The keyboard's place in the list, while the list has the keys; "More..." and
            // the hidden categories show it always, having no highlight of their own.
            FocusRing {
                objectName: "listFocusRing"
                anchors.fill: entry.body
                shown: entry.highlighted && (list.activeFocus || entry.kind === BrowserRowModel.More
                                             || entry.kind === BrowserRowModel.HiddenCategory)
                radius: 12
            }

            // When results first take the place of the library, the rows of the first
            // screenful slide in one after another: rows made for them and rows kept alike.
            property bool entering: false // a part of the latest entrance, while a prompt's row
            readonly property real appear: entering && kind === BrowserRowModel.Prompt ? stagger.progress(position) : 1
            readonly property bool waiting: appear === 0
            opacity: Math.min(appear, 1)
            transform: Translate { y: stagger.offset * (1 - entry.appear) }
            function staggerIn() {
                if (entering || !stagger.admitting || !browserModel.isSearching || kind !== BrowserRowModel.Prompt)
                    return
                entering = true
            }
            Component.onCompleted: staggerIn()
            onKindChanged: staggerIn()
            onPromptChanged: staggerIn()
            Connections {
                target: stagger
                function onAdmittingChanged() {
                    if (stagger.admitting) {
                        entry.entering = false
                        entry.staggerIn()
                    }
                }
            }

            Component {
                id: sectionHeader
                PromptCollapsibleSection {
                    text: entry.title
                    symbol: entry.icon
                    count: entry.count
                    isExpanded: entry.expanded
                    isHighlighted: entry.highlighted
                    focusPolicy: Qt.NoFocus
                    onToggleRequested: browserModel.toggle(entry.sectionId)
                }
            }
            Component {
                id: categoryHeader
                CategorySectionView {
                    category: entry.category
                    count: entry.count
                    isExpanded: entry.expanded
                    isHighlighted: entry.highlighted
                    focusPolicy: Qt.NoFocus
                    onToggleRequested: browserModel.toggle(entry.sectionId)
                    onHideRequested: browserModel.hideCategory(entry.category)
                }
            }
            Component {
                id: libraryHeader
                Item {
                    implicitHeight: 40
                    Text {
                        anchors.left: parent.left
                        anchors.leftMargin: 4
                        anchors.bottom: parent.bottom
                        anchors.bottomMargin: 10
                        text: entry.title
                        font: Style.titleFont
                        color: Style.textPrimary
                        Accessible.role: Accessible.Heading
                        Accessible.name: text
                    }
                }
            }
            Component {
                id: moreButton
                Item {
                    implicitHeight: 36
                    AbstractButton {
                        id: more
                        objectName: "moreButton"
                        anchors.centerIn: parent
                        focusPolicy: Qt.NoFocus
                        hoverEnabled: true
                        padding: 6
                        text: entry.title
                        Accessible.role: Accessible.Button
                        Accessible.name: text
                        onClicked: browserModel.showMoreFavorites()
                        contentItem: Text {
                            text: more.text
                            font: Style.captionFont
                            color: more.hovered || more.visualFocus ? Qt.lighter(Style.brandPurple, 1.3) : Style.brandPurple
                        }
                        background: null
                    }
                }
            }
            Component {
                id: hiddenCategory
                Item {
                    implicitHeight: button.implicitHeight + 2
                    HiddenCategoryButton {
                        id: button
                        focusPolicy: Qt.NoFocus
                        x: 6
                        width: parent.width - 12
                        category: entry.category
                        onClicked: browserModel.unhideCategory(entry.category)
                    }
                }
            }
            Component {
                id: emptyResult
                EmptyResult { message: entry.title; hint: entry.description }
            }
            // Above the matches, how many there are; above the close matches, what they are.
            Component {
                id: resultsCaption
                Item {
                    implicitHeight: entry.kind === BrowserRowModel.CloseHeader ? 34 : 24
                    Text {
                        objectName: entry.kind === BrowserRowModel.CloseHeader ? "closeMatchesHeader" : "matchCount"
                        anchors.left: parent.left
                        anchors.leftMargin: 4
                        anchors.bottom: parent.bottom
                        anchors.bottomMargin: 6
                        text: entry.title
                        font: Style.captionFont
                        color: entry.kind === BrowserRowModel.CloseHeader ? Style.textPrimary : Style.textSecondary
                        Accessible.role: entry.kind === BrowserRowModel.CloseHeader ? Accessible.Heading : Accessible.StaticText
                        Accessible.name: text
                    }
                }
            }
        }
    }

    StaggeredAppear {
        id: stagger
    }

    // After "Export DB": where the file went, or why it was not written.
    NoticeBanner {
        objectName: "exportNotice"
        text: browserModel.exportNotice.text
        failed: browserModel.exportNotice.failed
        actionText: failed ? "" : qsTr("Show in Files")
        onActivated: browserModel.exportNotice.reveal()
        onDismissed: {
            browserModel.exportNotice.dismiss()
            browser.focusSearch()
        }
    }

    DeleteConfirmation {
        id: deleteConfirmation
        onConfirmed: (prompt) => browserModel.deletePrompt(prompt)
        onClosed: browser.focusSearch()
    }

    // The JSON import, as a sheet over the browser.
    InsertPromptSheet {
        id: insertSheet
        onClosed: browser.focusSearch()
    }
}
