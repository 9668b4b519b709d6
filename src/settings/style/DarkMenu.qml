import QtQuick
import QtQuick.Controls
import Vorn.Style

// A context or drop-down menu in the panel's dark look.
Menu {
    id: menu
    padding: 4
    implicitWidth: Math.max(180, contentItem.implicitWidth + leftPadding + rightPadding)

    // A closing popup leaves the focus nowhere: what had the keys before the menu opened (the
    // search field, a form field) gets them back, so typing and Escape keep working.
    property Item focusBeforeOpening: null
    onAboutToShow: focusBeforeOpening = parent ? parent.Window.activeFocusItem : null
    onClosed: {
        if (focusBeforeOpening && focusBeforeOpening.visible)
            focusBeforeOpening.forceActiveFocus()
        focusBeforeOpening = null
    }

    background: Rectangle {
        implicitWidth: 180
        radius: 8
        color: Qt.rgba(0.16, 0.16, 0.2, 0.98)
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
