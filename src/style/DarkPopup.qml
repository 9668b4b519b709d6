import QtQuick
import QtQuick.Controls
import Vorn.Style

// A floating list or picker in the panel's dark look. Escape or a click outside closes it,
// and the keys go back to whatever had them when it opened.
Popup {
    id: popup
    focus: true
    margins: 8
    closePolicy: Popup.CloseOnEscape | Popup.CloseOnPressOutside
    readonly property FocusReturn focusReturn: FocusReturn { target: popup }

    background: Rectangle {
        radius: 10
        color: Qt.rgba(0.13, 0.13, 0.17, 1)
        border.color: Style.glassStroke
    }
}
