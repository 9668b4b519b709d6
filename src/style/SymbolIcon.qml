import QtQuick
import Vorn.Style

// A symbol by name, drawn from the Material Icons font.
Text {
    property string symbol
    property real size: 16
    text: Symbols.glyph(symbol)
    font.family: Style.iconFamily
    font.pixelSize: size
    color: Style.textPrimary
    verticalAlignment: Text.AlignVCenter
    horizontalAlignment: Text.AlignHCenter
    Accessible.ignored: true
}
