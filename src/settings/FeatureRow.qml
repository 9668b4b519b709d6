import QtQuick
import QtQuick.Layouts
import Vorn.Style

// One planned feature: its symbol in the accent colour and a line of text.
RowLayout {
    id: row
    property string icon
    property string text

    spacing: 12
    Accessible.role: Accessible.StaticText
    Accessible.name: text

    SymbolIcon {
        Layout.preferredWidth: 24
        Layout.alignment: Qt.AlignVCenter
        symbol: row.icon
        size: 20
        color: Style.accentColor
    }
    Text {
        Layout.fillWidth: true
        Layout.alignment: Qt.AlignVCenter
        text: row.text
        font: Style.bodyFont
        color: Style.textPrimary
        wrapMode: Text.WordWrap
    }
}
