import QtQuick
import QtQuick.Controls
import Vorn.Shell

// The library until the full browser arrives: the search field over the prompt titles.
FocusScope {
    id: browser
    objectName: "libraryBrowser"

    property string searchText
    signal searchTextEdited(string text)
    signal selectPrompt(var prompt)
    signal hide()

    function focusSearch() {
        searchField.forceActiveFocus()
    }

    Rectangle {
        id: searchBox
        anchors.top: parent.top
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.leftMargin: 20
        anchors.rightMargin: 88
        height: 40
        radius: 10
        color: Theme.glassFill
        border.color: searchField.activeFocus ? Theme.brandPurple : Theme.glassStroke

        Text {
            id: searchIcon
            anchors.left: parent.left
            anchors.leftMargin: 10
            anchors.verticalCenter: parent.verticalCenter
            text: "search"
            font.family: Theme.iconFamily
            font.pixelSize: 20
            color: Theme.textSecondary
        }
        TextField {
            id: searchField
            objectName: "searchField"
            anchors.left: searchIcon.right
            anchors.right: clearButton.visible ? clearButton.left : parent.right
            anchors.verticalCenter: parent.verticalCenter
            focus: true
            text: browser.searchText
            placeholderText: "Search prompts..."
            placeholderTextColor: Theme.textSecondary
            color: Theme.textPrimary
            font.family: Theme.fontFamily
            font.pixelSize: 16
            background: null
            Accessible.name: "Search prompts"
            onTextEdited: browser.searchTextEdited(text)
            Keys.onDownPressed: list.incrementCurrentIndex()
            Keys.onUpPressed: list.decrementCurrentIndex()
            Keys.onReturnPressed: if (list.currentItem) browser.selectPrompt(list.currentItem.prompt)
            Keys.onEnterPressed: if (list.currentItem) browser.selectPrompt(list.currentItem.prompt)
        }
        IconButton {
            id: clearButton
            anchors.right: parent.right
            anchors.verticalCenter: parent.verticalCenter
            visible: searchField.text.length > 0
            glyph: "cancel"
            help: "Clear the search"
            glyphSize: 18
            onClicked: {
                browser.searchTextEdited("")
                searchField.forceActiveFocus()
            }
        }
    }

    ListView {
        id: list
        objectName: "promptList"
        anchors.top: searchBox.bottom
        anchors.topMargin: 12
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.bottom: parent.bottom
        anchors.margins: 12
        clip: true
        model: PanelController.prompts
        highlightMoveDuration: 0
        boundsBehavior: Flickable.StopAtBounds
        ScrollBar.vertical: ScrollBar {}

        delegate: ItemDelegate {
            id: row
            required property var object
            required property int index
            readonly property var prompt: object
            width: ListView.view.width
            height: 36
            highlighted: ListView.isCurrentItem
            Accessible.name: object ? object.title : ""
            background: Rectangle {
                radius: 8
                color: row.highlighted ? Qt.rgba(191 / 255, 90 / 255, 242 / 255, 0.25)
                                       : (row.hovered ? Theme.glassFill : "transparent")
            }
            contentItem: Text {
                text: row.object ? row.object.title : ""
                elide: Text.ElideRight
                verticalAlignment: Text.AlignVCenter
                color: Theme.textPrimary
                font.family: Theme.fontFamily
                font.pixelSize: 15
            }
            onClicked: browser.selectPrompt(object)
        }
    }
}
