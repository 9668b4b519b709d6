import QtQuick
import QtQuick.Controls
import Vorn.Style

// The dark, translucent ground of the settings, welcome and account views, with a palette
// that keeps the stock controls (pickers, text fields, scroll bars) in the same look.
Pane {
    padding: 0
    focusPolicy: Qt.NoFocus
    font.family: Style.family

    palette.window: Style.panelBackground
    palette.windowText: Style.textPrimary
    palette.base: Qt.rgba(0.16, 0.16, 0.19, 1)
    palette.alternateBase: Qt.rgba(0.2, 0.2, 0.24, 1)
    palette.text: Style.textPrimary
    palette.placeholderText: Qt.rgba(1, 1, 1, 0.35)
    palette.button: Qt.rgba(0.22, 0.22, 0.26, 1)
    palette.buttonText: Style.textPrimary
    palette.highlight: Style.accentColor
    palette.highlightedText: "white"
    palette.light: Qt.rgba(0.3, 0.3, 0.35, 1)
    palette.midlight: Qt.rgba(0.28, 0.28, 0.32, 1)
    palette.mid: Qt.rgba(0.25, 0.25, 0.3, 1)
    palette.dark: Qt.rgba(0.45, 0.45, 0.5, 1)
    palette.shadow: Qt.rgba(0, 0, 0, 0.5)

    background: Rectangle {
        radius: 14
        color: Style.panelBackground
        border.color: Style.glassStroke
    }
}
