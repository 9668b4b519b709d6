import QtQuick
import QtQuick.Controls
import Vorn.Style

// One field of the form: the label over the control for the variable's kind.
FocusScope {
    id: field
    required property int index
    required property string kind
    required property string label
    required property string labelLine
    required property string value
    required property real numberValue
    required property var dateValue
    required property string dateText
    required property var menuEntries
    required property bool hasSortButton
    required property bool isSorted
    required property string sortHelp
    required property real sliderFrom
    required property real sliderTo
    required property string message
    property var fields   // the FormFieldModel

    implicitHeight: column.implicitHeight
    objectName: "field_" + index
    // Leaving a field is what lets its message show.
    onActiveFocusChanged: if (!activeFocus) fields.leave(index)

    // Focus for the keyboard: the control itself, not the scope around it.
    function takeFocus() {
        const control = firstControl()
        if (control)
            control.forceActiveFocus(Qt.TabFocusReason)
    }
    function firstControl() {
        if (!loader.item)
            return null
        return field.kind === "comboBox" ? loader.item.textInput : loader.item
    }
    // Tab leaves multi-line editors instead of typing a tab character.
    function moveFocus(item, forward) {
        const next = item.nextItemInFocusChain(forward)
        if (next)
            next.forceActiveFocus(forward ? Qt.TabFocusReason : Qt.BacktabFocusReason)
    }

    Column {
        id: column
        width: parent.width
        spacing: 6
        Text {
            width: parent.width
            text: field.labelLine
            elide: Text.ElideRight
            color: Style.textPrimary
            font.family: Style.family
            font.pixelSize: 13
            font.weight: Font.Medium
        }
        Loader {
            id: loader
            width: parent.width
            focus: true
            sourceComponent: field.kind === "multilineText" ? textComponent
                           : field.kind === "number" ? numberComponent
                           : field.kind === "comboBox" ? choiceComponent
                           : field.kind === "range" ? rangeComponent
                           : dateComponent
        }
        Text {
            objectName: "fieldMessage"
            width: parent.width
            visible: field.message.length > 0
            text: field.message
            wrapMode: Text.WordWrap
            color: Style.errorRed
            font.family: Style.family
            font.pixelSize: 12
        }
    }

    Component {
        id: textComponent
        TextArea {
            objectName: "fieldControl"
            text: field.value
            wrapMode: TextEdit.Wrap
            color: Style.textPrimary
            selectionColor: Style.brandPurple
            selectedTextColor: Style.textPrimary
            selectByMouse: true
            activeFocusOnTab: true
            // Reached by the keyboard, a field offers its whole value, so typing replaces it.
            onActiveFocusChanged: if (activeFocus && (focusReason === Qt.TabFocusReason || focusReason === Qt.BacktabFocusReason)) selectAll()
            font.family: Style.family
            font.pixelSize: 14
            padding: 8
            Accessible.name: field.label
            onTextChanged: if (text !== field.value) field.fields.setValue(field.index, text)
            Keys.onTabPressed: field.moveFocus(this, true)
            Keys.onBacktabPressed: field.moveFocus(this, false)
            background: Rectangle {
                implicitHeight: 60
                radius: 8
                color: Qt.rgba(1, 1, 1, 0.05)
                border.width: parent.activeFocus ? 2 : 1
                border.color: parent.activeFocus ? Style.brandPurple : Style.glassStroke
            }
        }
    }
    Component {
        id: numberComponent
        TextField {
            objectName: "fieldControl"
            text: field.value
            color: Style.textPrimary
            selectionColor: Style.brandPurple
            selectedTextColor: Style.textPrimary
            selectByMouse: true
            activeFocusOnTab: true
            // Reached by the keyboard, a field offers its whole value, so typing replaces it.
            onActiveFocusChanged: if (activeFocus && (focusReason === Qt.TabFocusReason || focusReason === Qt.BacktabFocusReason)) selectAll()
            inputMethodHints: Qt.ImhFormattedNumbersOnly
            validator: RegularExpressionValidator { regularExpression: field.fields.numberPattern }
            font.family: Style.family
            font.pixelSize: 14
            Accessible.name: field.label
            onTextEdited: field.fields.setValue(field.index, text)
            background: Rectangle {
                implicitHeight: 34
                radius: 8
                color: Qt.rgba(1, 1, 1, 0.05)
                border.width: parent.activeFocus ? 2 : 1
                border.color: parent.activeFocus ? Style.brandPurple : Style.glassStroke
            }
        }
    }
    Component {
        id: choiceComponent
        Row {
            property alias textInput: combo.textInput
            spacing: 8
            ChoiceComboBox {
                id: combo
                objectName: "fieldControl"
                width: parent.width - (sortButton.visible ? sortButton.width + parent.spacing : 0)
                text: field.value
                menuEntries: field.menuEntries
                Accessible.name: field.label
                onEdited: (text) => field.fields.setValue(field.index, text)
            }
            // Not a stop of the Tab order, which goes from field to field: the mouse or
            // Alt+S in the field sorts.
            HeaderIconButton {
                id: sortButton
                objectName: "sortButton"
                activeFocusOnTab: false
                focusPolicy: Qt.NoFocus
                visible: field.hasSortButton
                symbol: "arrow.up.arrow.down"
                symbolSize: 16
                help: qsTr("%1 (Alt+S)").arg(field.sortHelp)
                tint: field.isSorted ? Style.brandPurple : Style.textSecondary
                onClicked: field.fields.toggleSort(field.index)
            }
            Shortcut {
                sequence: "Alt+S"
                enabled: field.hasSortButton && combo.activeFocus
                onActivated: field.fields.toggleSort(field.index)
            }
        }
    }
    Component {
        id: rangeComponent
        Slider {
            id: slider
            objectName: "fieldControl"
            from: field.sliderFrom
            to: field.sliderTo
            stepSize: 1
            snapMode: Slider.SnapAlways
            value: field.numberValue
            activeFocusOnTab: true
            Accessible.name: field.label
            onMoved: field.fields.setNumberValue(field.index, value)
            background: Rectangle {
                x: slider.leftPadding
                y: slider.topPadding + slider.availableHeight / 2 - height / 2
                width: slider.availableWidth
                height: 4
                radius: 2
                color: Qt.rgba(1, 1, 1, 0.15)
                Rectangle {
                    width: slider.visualPosition * parent.width
                    height: parent.height
                    radius: 2
                    color: Style.brandPurple
                }
            }
            handle: Rectangle {
                x: slider.leftPadding + slider.visualPosition * (slider.availableWidth - width)
                y: slider.topPadding + slider.availableHeight / 2 - height / 2
                implicitWidth: 18
                implicitHeight: 18
                radius: 9
                color: slider.pressed ? "#e6e6e6" : "#ffffff"
                border.width: slider.activeFocus ? 3 : 0
                border.color: Style.brandPurple
            }
        }
    }
    Component {
        id: dateComponent
        DatePickerField {
            objectName: "fieldControl"
            date: field.dateValue
            dateText: field.dateText
            Accessible.name: field.label
            onPicked: (year, month, day) => field.fields.setDate(field.index, year, month, day)
            onStepped: (days) => field.fields.addDays(field.index, days)
        }
    }
}
