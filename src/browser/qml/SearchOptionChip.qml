import QtQuick
import QtQuick.Controls
import Vorn.Style

// A search option that can be switched on and off: a check circle and its label.
AbstractButton {
    id: chip
    checkable: true
    focusPolicy: Qt.TabFocus
    hoverEnabled: true
    leftPadding: 10
    rightPadding: 12
    topPadding: 5
    bottomPadding: 5
    Accessible.role: Accessible.CheckBox
    Accessible.name: text
    Accessible.checked: checked

    contentItem: Row {
        spacing: 6
        SymbolIcon {
            anchors.verticalCenter: parent.verticalCenter
            symbol: chip.checked ? "checkmark.circle.fill" : "circle"
            size: 15
            color: chip.checked ? Style.brandPurple : Style.textSecondary
        }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: chip.text
            font: Style.captionFont
            color: chip.checked || chip.hovered ? Style.textPrimary : Style.textSecondary
        }
    }
    background: Rectangle {
        radius: 8
        color: chip.checked ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.12) : "transparent"
        border.color: chip.checked ? Qt.rgba(Style.brandPurple.r, Style.brandPurple.g, Style.brandPurple.b, 0.5)
                    : Style.glassStroke
        Behavior on color { ColorAnimation { duration: 300; easing.type: Easing.OutBack } }
    }
    FocusRing { radius: 10 }
}
