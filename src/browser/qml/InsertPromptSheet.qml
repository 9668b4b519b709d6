import QtQuick
import QtQuick.Controls
import Vorn.Admin

// The JSON import as a modal sheet over the browser; each opening starts empty (the sheet is
// made anew), and the import view takes the focus.
Popup {
    id: insertSheet
    objectName: "insertSheet"
    parent: Overlay.overlay
    anchors.centerIn: parent
    width: Math.min(parent ? parent.width - 48 : 600, 640)
    height: Math.min(parent ? parent.height - 48 : 480, 520)
    modal: true
    focus: true
    padding: 0
    closePolicy: Popup.NoAutoClose
    background: null
    onOpened: sheetLoader.item.forceActiveFocus()
    contentItem: Loader {
        id: sheetLoader
        active: insertSheet.visible
        sourceComponent: AdminInsertPromptView {
            onClosed: insertSheet.close()
        }
    }
}
