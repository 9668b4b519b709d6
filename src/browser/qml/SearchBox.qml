import QtQuick
import QtQuick.Controls
import Vorn.Style

// The library's search field, with its icon and its clear button. The browser owns the text:
// it binds `text` and takes the edits and the keys the field does not use itself. Its texts
// keep the browser's translation context.
Rectangle {
    id: box

    property string text: ""
    property alias field: searchField
    signal edited(string text)
    signal keyPressed(var event)

    radius: 12
    color: Style.glassFill
    border.color: searchField.activeFocus ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.7)
                                          : Style.glassStroke
    Behavior on border.color { ColorAnimation { duration: Style.defaultAnimation } }

    SymbolIcon {
        id: searchIcon
        anchors.left: parent.left
        anchors.leftMargin: 12
        anchors.verticalCenter: parent.verticalCenter
        symbol: "magnifyingglass"
        size: 20
        color: searchField.activeFocus ? Style.brandPurple : Style.textSecondary
    }
    TextField {
        id: searchField
        objectName: "searchField"
        anchors.left: searchIcon.right
        anchors.leftMargin: 4
        anchors.right: clearButton.visible ? clearButton.left : parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        focus: true
        text: box.text
        placeholderText: qsTranslate("PromptSelectionView", "Search prompts...")
        placeholderTextColor: Style.textSecondary
        color: Style.textPrimary
        selectionColor: Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.5)
        selectedTextColor: Style.textPrimary
        font: Style.bodyFont
        background: null
        Accessible.name: qsTranslate("PromptSelectionView", "Search prompts")
        onTextEdited: box.edited(text)
        Keys.onPressed: (event) => box.keyPressed(event)
    }
    SymbolButton {
        id: clearButton
        objectName: "clearSearchButton"
        anchors.right: parent.right
        anchors.rightMargin: 6
        anchors.verticalCenter: parent.verticalCenter
        visible: box.text.length > 0
        symbol: "xmark.circle.fill"
        size: 17
        help: qsTranslate("PromptSelectionView", "Clear the search")
        onClicked: {
            box.edited("")
            searchField.forceActiveFocus()
        }
    }
}
