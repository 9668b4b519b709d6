import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Admin
import Vorn.Browser

// One prompt of the library: title, description and its quick actions (hide, favourite);
// in administration mode also hot, active, edit and delete, and the category and tag strip.
AbstractButton {
    id: row

    property QtObject prompt
    property bool isSelected: false
    // The keyboard highlight of the browser; drawn like the selection.
    property bool isHighlighted: false
    // The title and description as styled text, with the parts that matched a search marked.
    // Styled text always: a text whose format changes is laid out again. The row shows them
    // rather than the prompt's own texts, so that a row taking another prompt's place lays out
    // each text once, not once for the prompt and again for its marks.
    property string titleMarkup: ""
    property string descriptionMarkup: ""
    property bool isAdminMode: false
    // The full editor is offered only where the presenter can show it.
    property bool canEdit: false
    // The browser's view-model runs the actions.
    property PromptBrowserViewModel viewModel

    signal editRequested(QtObject prompt)
    signal deleteRequested(QtObject prompt)

    readonly property bool hasEmojiFont: Style.hasEmojiFont
    readonly property bool isFavorite: prompt ? prompt.isFavorite : false
    readonly property bool isHidden: prompt ? prompt.isHidden : false
    readonly property bool isActive: prompt ? prompt.isActive : true
    readonly property bool isHot: prompt ? prompt.isHot : false

    function toggleFavorite() { viewModel.toggleFavorite(prompt) }
    function toggleHidden() { viewModel.toggleHidden(prompt) }
    // At the pointer; from the keyboard under the row's start, its first entry selected.
    // Gives the menu back.
    function showMenu(x, y) {
        if (!contextMenu)
            contextMenu = menuComponent.createObject(row)
        if (x === undefined)
            contextMenu.popupFromKeys(row, 16, height - 8)
        else
            contextMenu.popup(row, x, y)
        return contextMenu
    }
    // Made when first opened, so a screenful of rows made at a keystroke makes no menus.
    property QtObject contextMenu: null

    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    leftPadding: 16
    rightPadding: 16
    topPadding: 9
    bottomPadding: 9
    // The title is not the button's text: a button's text is also parsed for a mnemonic and
    // bound as a shortcut ("Q&A" would take Alt+A).
    readonly property string title: prompt ? prompt.title : ""
    Accessible.role: Accessible.Button
    Accessible.name: title + (isFavorite ? qsTr(", favorite") : "") + (isHidden ? qsTr(", hidden") : "")
    Accessible.description: prompt ? prompt.promptDescription : ""
    Keys.onMenuPressed: showMenu()

    ContextMenuArea {
        onMenuRequested: (x, y) => row.showMenu(x, y)
    }

    Component {
        id: menuComponent
        DarkMenu {
            DarkMenuItem {
                objectName: "favoriteMenuItem"
                text: row.isFavorite ? qsTr("Unfavorite") : qsTr("Favorite")
                symbol: row.isFavorite ? "star.fill" : "star"
                onTriggered: row.toggleFavorite()
            }
            DarkMenuItem {
                objectName: "hideMenuItem"
                text: row.isHidden ? qsTr("Unhide") : qsTr("Hide")
                symbol: row.isHidden ? "eye" : "eye.slash"
                onTriggered: row.toggleHidden()
            }
        }
    }

    background: Rectangle {
        radius: 8
        color: row.isSelected || row.isHighlighted
               ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.10)
               : row.hovered ? Qt.rgba(1, 1, 1, 0.04) : "transparent"
        border.color: row.isSelected || row.isHighlighted || row.visualFocus
                      ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.45) : "transparent"
    }

    // Placed by hand rather than by layouts: a layout asks its texts for their natural size,
    // and each text is then laid out twice, once unbounded and once in its width.
    contentItem: Item {
        implicitHeight: top.height + (adminEditor.active ? 6 + adminEditor.height : 0)

        Item {
            id: top
            width: parent.width
            height: Math.max(texts.height, controls.height)

            Item {
                id: texts
                anchors.left: parent.left
                anchors.right: controls.left
                anchors.rightMargin: 4
                anchors.verticalCenter: parent.verticalCenter
                height: titleText.height + (description.visible ? 2 + description.height : 0)

                Text {
                    id: titleText
                    objectName: "promptTitle"
                    width: parent.width - (hotMark.visible ? hotMark.width + 6 : 0)
                    text: row.titleMarkup
                    textFormat: Text.StyledText
                    elide: Text.ElideRight
                    font.family: Style.family
                    font.pixelSize: 15
                    font.weight: Font.DemiBold
                    color: Style.textPrimary
                    opacity: row.isActive ? 1.0 : 0.6
                }
                // The hot mark, right after the title; the flame symbol stands in where no
                // emoji font is installed.
                Text {
                    id: hotMark
                    x: Math.min(titleText.contentWidth, titleText.width) + 6
                    anchors.verticalCenter: titleText.verticalCenter
                    visible: row.isHot
                    text: row.hasEmojiFont ? "🔥" : Symbols.glyph("flame.fill")
                    font.family: row.hasEmojiFont ? Style.family : Style.iconFamily
                    font.pixelSize: row.hasEmojiFont ? 12 : 14
                    color: "#ff9f0a"
                    Accessible.name: qsTr("hot")
                }
                Text {
                    id: description
                    objectName: "promptDescription"
                    y: titleText.height + 2
                    width: parent.width
                    visible: text.length > 0
                    text: row.descriptionMarkup
                    textFormat: Text.StyledText
                    elide: Text.ElideRight
                    maximumLineCount: 2
                    wrapMode: Text.Wrap
                    font.family: Style.family
                    font.pixelSize: 13
                    color: Style.textSecondary
                    lineHeight: 1.1
                }
            }

            Row {
                id: controls
                anchors.right: parent.right
                anchors.verticalCenter: parent.verticalCenter
                spacing: 4

                // Administration controls, made only in administration mode: a row of the
                // user's list then makes two buttons, not six.
                Loader {
                    active: row.isAdminMode
                    visible: active
                    anchors.verticalCenter: parent.verticalCenter
                    sourceComponent: Row {
                        spacing: 0
                        SymbolButton {
                            focusPolicy: row.focusPolicy // Tab stops only where the row is one
                            objectName: "hotToggle"
                            symbol: row.isHot ? "flame.fill" : "flame"
                            size: 13
                            iconColor: row.isHot ? "#ff9f0a" : Style.textSecondary
                            help: row.isHot ? qsTr("Remove from the hot list") : qsTr("Add to the hot list")
                            onClicked: row.viewModel.toggleHot(row.prompt)
                        }
                        SymbolButton {
                            focusPolicy: row.focusPolicy
                            objectName: "activeToggle"
                            symbol: row.isActive ? "bolt.fill" : "bolt.slash"
                            size: 13
                            iconColor: row.isActive ? "#64d2ff" : Style.textSecondary
                            help: row.isActive ? qsTr("Deactivate") : qsTr("Activate")
                            onClicked: row.viewModel.toggleActive(row.prompt)
                        }
                        SymbolButton {
                            focusPolicy: row.focusPolicy
                            objectName: "editButton"
                            visible: row.canEdit
                            symbol: "pencil"
                            size: 13
                            help: qsTr("Edit prompt")
                            onClicked: row.editRequested(row.prompt)
                        }
                        SymbolButton {
                            focusPolicy: row.focusPolicy
                            objectName: "deleteButton"
                            symbol: "trash"
                            size: 13
                            hoverColor: "#ff5a5f"
                            help: qsTr("Delete prompt")
                            onClicked: row.deleteRequested(row.prompt)
                        }
                        Rectangle { width: 1; height: 16; anchors.verticalCenter: parent.verticalCenter; color: Style.glassStroke }
                    }
                }

                SymbolButton {
                    focusPolicy: row.focusPolicy
                    objectName: "hideToggle"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: row.isHidden ? "eye.slash" : "eye"
                    iconColor: row.isHidden ? Style.brandPurple
                                            : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.8)
                    hoverColor: row.isHidden ? Qt.lighter(Style.brandPurple, 1.2) : Style.textPrimary
                    help: row.isHidden ? qsTr("Unhide") : qsTr("Hide")
                    onClicked: row.toggleHidden()
                }
                SymbolButton {
                    focusPolicy: row.focusPolicy
                    objectName: "favoriteToggle"
                    anchors.verticalCenter: parent.verticalCenter
                    symbol: row.isFavorite ? "star.fill" : "star"
                    iconColor: row.isFavorite ? Style.favoriteYellow
                                              : Qt.rgba(Style.textSecondary.r, Style.textSecondary.g, Style.textSecondary.b, 0.8)
                    hoverColor: row.isFavorite ? Style.favoriteYellow : Style.textPrimary
                    help: row.isFavorite ? qsTr("Unfavorite") : qsTr("Favorite")
                    onClicked: row.toggleFavorite()
                }
                SymbolIcon {
                    anchors.verticalCenter: parent.verticalCenter
                    leftPadding: 2
                    symbol: "chevron.right"
                    size: 14
                    font.bold: true
                    color: Style.textSecondary
                    opacity: 0.8
                }
            }
        }

        Loader {
            id: adminEditor
            y: top.height + 6
            width: parent.width
            active: row.isAdminMode
            visible: active
            sourceComponent: AdminPromptEditorView { prompt: row.prompt }
        }
    }
}
