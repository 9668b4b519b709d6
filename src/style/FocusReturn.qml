import QtQuick
import QtQuick.Controls

// Gives the keys back, when its popup closes, to whatever had them when it opened. Qt Quick
// leaves the focus nowhere after a popup, so the next Escape or typed letter would be lost.
// Set the popup as the target.
Connections {
    id: focusReturn
    property Item focusBeforeOpening: null

    function onAboutToShow() {
        focusReturn.focusBeforeOpening = target.parent ? target.parent.Window.activeFocusItem : null
    }
    function onClosed() {
        const item = focusReturn.focusBeforeOpening
        focusReturn.focusBeforeOpening = null
        if (item && item.visible)
            item.forceActiveFocus()
    }
}
