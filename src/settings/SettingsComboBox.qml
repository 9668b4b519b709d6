import QtQuick
import QtQuick.Controls
import Vorn.Style

// A picker in the settings' dark look: a rounded field with a chevron and a dark list.
ComboBox {
    id: control
    font: Style.bodyFont
    implicitHeight: 32
    leftPadding: 10
    rightPadding: 28

    contentItem: Text {
        text: control.displayText
        font: control.font
        color: Style.textPrimary
        verticalAlignment: Text.AlignVCenter
        elide: Text.ElideRight
    }
    indicator: SymbolIcon {
        x: control.width - width - 8
        y: (control.height - height) / 2
        symbol: "chevron.down"
        size: 16
        color: Style.textSecondary
    }
    background: Rectangle {
        radius: 7
        color: control.down ? Qt.rgba(1, 1, 1, 0.16) : control.hovered ? Qt.rgba(1, 1, 1, 0.14) : Style.systemButtonColor
        border.width: control.visualFocus ? 2 : 1
        border.color: control.visualFocus ? Style.accentColor : Style.glassStroke
    }
    delegate: ItemDelegate {
        id: entry
        required property int index
        required property var modelData
        width: ListView.view ? ListView.view.width : control.width
        highlighted: control.highlightedIndex === index
        text: String(entry.modelData)
        Accessible.name: text
        contentItem: Text {
            text: entry.text
            font: control.font
            color: Style.textPrimary
            verticalAlignment: Text.AlignVCenter
        }
        background: Rectangle {
            radius: 5
            color: entry.highlighted ? Style.accentColor : "transparent"
        }
    }
    popup: Popup {
        y: control.height + 2
        width: Math.max(control.width, 60)
        implicitHeight: Math.min(contentItem.implicitHeight + 8, 260)
        padding: 4
        contentItem: ListView {
            clip: true
            implicitHeight: contentHeight
            model: control.popup.visible ? control.delegateModel : null
            currentIndex: control.highlightedIndex
            ScrollIndicator.vertical: ScrollIndicator {}
        }
        background: Rectangle {
            radius: 8
            color: Qt.rgba(0.15, 0.15, 0.18, 1)
            border.color: Style.glassStroke
        }
    }
}
