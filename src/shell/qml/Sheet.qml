import QtQuick
import QtQuick.Controls
import Vorn.Style
import Vorn.Shell

// A modal sheet over the panel holding one view; Escape and the view's own close end it.
Popup {
    id: sheet
    default property alias content: holder.data

    modal: true
    focus: true
    closePolicy: Popup.CloseOnEscape
    anchors.centerIn: Overlay.overlay
    padding: 0

    Overlay.modal: Rectangle { color: Qt.rgba(0, 0, 0, 0.45); radius: PanelController.translucent ? 16 : 0 }
    background: Rectangle {
        radius: 16
        color: Style.sheetBackground
        border.color: Style.glassStroke
    }
    contentItem: FocusScope {
        id: holder
        focus: true
        clip: true
    }
}
