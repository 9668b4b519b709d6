import QtQuick
import Vorn.Style

// A category of the library as a collapsible section; its header menu hides the category.
PromptCollapsibleSection {
    id: section

    property QtObject category
    signal hideRequested()

    text: category ? category.name : ""
    symbol: category ? category.iconSymbol : "folder"
    description: category && category.categoryDescription ? category.categoryDescription : ""
    headerContextMenu: menu

    DarkMenu {
        id: menu
        DarkMenuItem {
            text: qsTr("Hide Category")
            symbol: "eye.slash"
            onTriggered: section.hideRequested()
        }
    }
}
