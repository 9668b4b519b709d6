import QtQuick
import QtQuick.Controls
import Vorn.Style

// A context or drop-down menu in the panel's dark look.
Menu {
    id: menu
    padding: 4
    implicitWidth: Math.max(180, contentItem.implicitWidth + leftPadding + rightPadding)

    readonly property FocusReturn focusReturn: FocusReturn { target: menu }

    // Opens as the Menu key or Shift+F10 asks: with the first entry selected, so that Return
    // chooses it and the arrows go on from there.
    function popupFromKeys(item, x, y) {
        menu.popup(item, x, y)
        for (let i = 0; i < menu.count; ++i) {
            const entry = menu.itemAt(i)
            if (entry && entry.enabled && entry.visible && entry.text !== undefined) {
                menu.currentIndex = i
                break
            }
        }
    }

    background: Rectangle {
        implicitWidth: 180
        radius: 8
        color: Qt.rgba(0.16, 0.16, 0.2, 1)
        border.color: Style.glassStroke
        Rectangle { // soft shadow
            z: -1
            anchors.fill: parent
            anchors.topMargin: 3
            anchors.bottomMargin: -4
            radius: 9
            color: Qt.rgba(0, 0, 0, 0.3)
        }
    }
}
