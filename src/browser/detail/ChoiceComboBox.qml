import QtQuick
import QtQuick.Controls
import Vorn.Style

// An editable choice: a text field with a menu of the options beside it. Options starting
// with "#" open a titled section of the menu (the entries come grouped from the model).
FocusScope {
    id: combo
    property string title
    property string text
    property var menuEntries: []   // [{text, isHeader, isFirst}]
    property alias textInput: input
    signal edited(string text)

    implicitHeight: column.implicitHeight
    implicitWidth: 200
    activeFocusOnTab: false

    function choose(entry) {
        combo.edited(entry)
        menu.close()
        input.forceActiveFocus()
    }
    function openMenu() {
        if (combo.menuEntries.length === 0)
            return
        // Start on the entry matching the field, else on the first one that can be chosen.
        let current = -1
        for (let i = 0; i < combo.menuEntries.length; ++i)
            if (!combo.menuEntries[i].isHeader && combo.menuEntries[i].text === combo.text) { current = i; break }
        list.currentIndex = current >= 0 ? current : list.firstChoice(0, 1)
        menu.open()
    }

    Column {
        id: column
        width: parent.width
        spacing: 4
        Text {
            visible: combo.title.length > 0
            text: combo.title
            color: Style.textPrimary
            font: Style.captionFont
        }
        Row {
            width: parent.width
            spacing: 8
            TextField {
                id: input
                objectName: "choiceInput"
                width: parent.width - menuButton.width - parent.spacing
                focus: true
                activeFocusOnTab: true
                // Reached by the keyboard, the field offers its whole value, so typing replaces it.
                onActiveFocusChanged: if (activeFocus && (focusReason === Qt.TabFocusReason || focusReason === Qt.BacktabFocusReason)) selectAll()
                text: combo.text
                placeholderText: qsTr("Type or select...")
                placeholderTextColor: Style.textSecondary
                color: Style.textPrimary
                selectionColor: Style.brandPurple
                selectedTextColor: Style.textPrimary
                selectByMouse: true
                font.family: Style.family
                font.pixelSize: 14
                Accessible.name: combo.Accessible.name
                onTextEdited: combo.edited(text)
                Keys.onDownPressed: combo.openMenu()
                background: Rectangle {
                    implicitHeight: 34
                    radius: 8
                    color: Qt.rgba(1, 1, 1, 0.05)
                    border.width: input.activeFocus ? 2 : 1
                    border.color: input.activeFocus ? Style.brandPurple : Style.glassStroke
                }
            }
            AbstractButton {
                id: menuButton
                objectName: "choiceMenuButton"
                width: 30
                height: input.height
                focusPolicy: Qt.NoFocus
                hoverEnabled: true
                Accessible.role: Accessible.ButtonMenu
                Accessible.name: qsTr("Choose %1").arg(combo.Accessible.name)
                onClicked: combo.openMenu()
                background: Rectangle {
                    radius: 8
                    color: menuButton.hovered ? Qt.rgba(1, 1, 1, 0.1) : "transparent"
                }
                contentItem: SymbolIcon { symbol: "chevron.down"; size: 16; color: Style.textSecondary }
            }
        }
    }

    DarkPopup {
        id: menu
        objectName: "choiceMenu"
        y: column.height + 4
        width: Math.max(combo.width, 180)
        height: Math.min(list.contentHeight + topPadding + bottomPadding, 280)
        padding: 6
        contentItem: ListView {
            id: list
            clip: true
            focus: true
            Accessible.role: Accessible.List
            Accessible.name: combo.Accessible.name
            model: combo.menuEntries
            boundsBehavior: Flickable.StopAtBounds
            ScrollBar.vertical: ScrollBar { policy: ScrollBar.AsNeeded }
            // The next entry that can be chosen, walking in the given direction.
            function firstChoice(from, step) {
                for (let i = from; i >= 0 && i < count; i += step)
                    if (!combo.menuEntries[i].isHeader)
                        return i
                return currentIndex
            }
            Keys.onDownPressed: currentIndex = firstChoice(currentIndex + 1, 1)
            Keys.onUpPressed: currentIndex = firstChoice(currentIndex - 1, -1)
            Keys.onReturnPressed: if (currentIndex >= 0) combo.choose(combo.menuEntries[currentIndex].text)
            Keys.onEnterPressed: if (currentIndex >= 0) combo.choose(combo.menuEntries[currentIndex].text)
            delegate: Item {
                id: entry
                required property var modelData
                required property int index
                width: ListView.view.width
                height: modelData.isHeader ? headerText.implicitHeight + (modelData.isFirst ? 6 : 14) : 30
                Rectangle {
                    visible: entry.modelData.isHeader && !entry.modelData.isFirst
                    width: parent.width
                    height: 1
                    y: 4
                    color: Style.glassStroke
                }
                Text {
                    id: headerText
                    visible: entry.modelData.isHeader
                    anchors.left: parent.left
                    anchors.leftMargin: 8
                    anchors.bottom: parent.bottom
                    anchors.bottomMargin: 2
                    text: entry.modelData.text
                    color: Style.textSecondary
                    font.family: Style.family
                    font.pixelSize: 11
                    font.weight: Font.DemiBold
                    font.capitalization: Font.AllUppercase
                }
                Rectangle {
                    visible: !entry.modelData.isHeader
                    anchors.fill: parent
                    radius: 6
                    color: entry.ListView.isCurrentItem || hover.hovered
                           ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.35) : "transparent"
                    Text {
                        anchors.verticalCenter: parent.verticalCenter
                        anchors.left: parent.left
                        anchors.leftMargin: 10
                        anchors.right: parent.right
                        anchors.rightMargin: 10
                        elide: Text.ElideRight
                        text: entry.modelData.text
                        color: Style.textPrimary
                        font.family: Style.family
                        font.pixelSize: 13
                    }
                    HoverHandler { id: hover }
                    TapHandler { onTapped: combo.choose(entry.modelData.text) }
                    Accessible.role: Accessible.MenuItem
                    Accessible.name: entry.modelData.text
                }
            }
        }
    }
}
