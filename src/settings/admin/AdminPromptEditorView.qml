import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Admin

// The inline strip under a prompt row in administration mode: the prompt's categories on the
// left and its tags on the right, each chip removing its item, each "+" menu adding one.
Item {
    id: strip
    objectName: "adminPromptEditor"

    property QtObject prompt

    implicitHeight: Math.max(categoryGroup.implicitHeight, tagGroup.implicitHeight)

    AdminPromptEditorViewModel {
        id: editor
        prompt: strip.prompt
    }

    // A chip of one assigned item; pressing it removes the item.
    component RemovableChip: AbstractButton {
        id: chip
        required property QtObject item
        signal removeRequested()
        focusPolicy: Qt.TabFocus
        padding: 0
        Accessible.name: qsTr("Remove %1").arg(item ? item.name : "")
        onClicked: removeRequested()
        contentItem: ShortCapsule {
            border.color: chip.visualFocus ? Style.brandPurple : "transparent"
            Text {
                anchors.verticalCenter: parent.verticalCenter
                text: chip.item ? chip.item.name : ""
                font.family: Style.family
                font.pixelSize: 11
                color: chip.hovered ? Style.textPrimary : Style.textSecondary
            }
            SymbolIcon {
                anchors.verticalCenter: parent.verticalCenter
                symbol: "xmark"
                size: 10
                color: chip.hovered ? Style.textPrimary : Style.textSecondary
            }
        }
        background: null
    }

    // The "+" button of a group and its menu of the items not assigned yet.
    component AddMenu: AbstractButton {
        id: add
        property var choices: []
        property string emptyText
        property string accessibleName
        signal chosen(QtObject item)
        signal aboutToOpen()
        implicitWidth: 20
        implicitHeight: 20
        focusPolicy: Qt.TabFocus
        Accessible.name: accessibleName
        onClicked: {
            aboutToOpen()
            menu.popup(add, 0, add.height)
        }
        contentItem: SymbolIcon {
            symbol: "plus.circle.fill"
            size: 16
            color: add.hovered || add.visualFocus ? Style.brandPurple : Style.textSecondary
        }
        background: null

        DarkMenu {
            id: menu
            DarkMenuItem {
                text: add.emptyText
                enabled: false
                visible: add.emptyText.length > 0
                height: visible ? implicitHeight : 0
            }
            Instantiator {
                model: add.choices
                delegate: DarkMenuItem {
                    required property QtObject modelData
                    text: modelData.name
                    onTriggered: add.chosen(modelData)
                }
                onObjectAdded: (index, object) => menu.insertItem(index + 1, object)
                onObjectRemoved: (index, object) => menu.removeItem(object)
            }
        }
    }

    Flow {
        id: categoryGroup
        objectName: "categoryGroup"
        anchors.left: parent.left
        anchors.right: tagGroup.left
        anchors.rightMargin: 4
        spacing: 4
        Repeater {
            model: editor.categories
            delegate: RemovableChip {
                required property QtObject modelData
                item: modelData
                onRemoveRequested: editor.removeCategory(modelData)
            }
        }
        AddMenu {
            objectName: "addCategoryButton"
            accessibleName: qsTr("Add a category")
            onAboutToOpen: {
                emptyText = editor.categoryMenuText()
                choices = editor.categoryChoices()
            }
            onChosen: (item) => editor.addCategory(item)
        }
    }

    Row {
        id: tagGroup
        objectName: "tagGroup"
        anchors.right: parent.right
        spacing: 4
        Repeater {
            model: editor.tags
            delegate: RemovableChip {
                required property QtObject modelData
                item: modelData
                onRemoveRequested: editor.removeTag(modelData)
            }
        }
        AddMenu {
            objectName: "addTagButton"
            accessibleName: qsTr("Add a tag")
            onAboutToOpen: {
                emptyText = editor.tagMenuText()
                choices = editor.tagChoices()
            }
            onChosen: (item) => editor.addTag(item)
        }
    }
}
