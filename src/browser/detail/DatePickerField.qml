import QtQuick
import QtQuick.Controls
import Vorn.Style

// A date field showing the day only. The button opens a month calendar; with the keyboard,
// Left/Right move by a day, Up/Down by a week, Return or Space opens the calendar. In the
// open calendar the arrows move the day, Page Up and Page Down the month, Return or Space
// picks the day, Escape closes it and Tab closes it and goes on to the next field.
AbstractButton {
    id: field
    property date date: new Date()
    property string dateText
    signal picked(int year, int month, int day)   // month 1-12
    signal stepped(int days)

    implicitHeight: 34
    implicitWidth: 200
    activeFocusOnTab: true
    focusPolicy: Qt.StrongFocus
    hoverEnabled: true
    Accessible.role: Accessible.Button
    onClicked: openCalendar()

    // The day the calendar's keys are on.
    property date cursor: new Date()
    function openCalendar() {
        showDay(new Date(field.date.getFullYear(), field.date.getMonth(), field.date.getDate()))
        calendar.open()
    }
    function showDay(day) {
        field.cursor = day
        grid.month = day.getMonth()
        grid.year = day.getFullYear()
    }
    function moveCursor(days) {
        showDay(new Date(cursor.getFullYear(), cursor.getMonth(), cursor.getDate() + days))
    }
    // The same day of another month, or that month's last day when it is shorter.
    function moveMonth(months) {
        const first = new Date(cursor.getFullYear(), cursor.getMonth() + months, 1)
        const length = new Date(first.getFullYear(), first.getMonth() + 1, 0).getDate()
        showDay(new Date(first.getFullYear(), first.getMonth(), Math.min(cursor.getDate(), length)))
    }
    function pick(day) {
        field.picked(day.getFullYear(), day.getMonth() + 1, day.getDate())
        calendar.close()
        field.forceActiveFocus()
    }
    Keys.onLeftPressed: field.stepped(-1)
    Keys.onRightPressed: field.stepped(1)
    Keys.onUpPressed: field.stepped(-7)
    Keys.onDownPressed: field.stepped(7)
    Keys.onReturnPressed: openCalendar()
    Keys.onEnterPressed: openCalendar()

    background: Rectangle {
        radius: 8
        color: field.hovered ? Qt.rgba(1, 1, 1, 0.09) : Qt.rgba(1, 1, 1, 0.05)
        border.width: field.activeFocus ? 2 : 1
        border.color: field.activeFocus ? Style.brandPurple : Style.glassStroke
    }
    contentItem: Row {
        spacing: 8
        leftPadding: 10
        SymbolIcon { anchors.verticalCenter: parent.verticalCenter; symbol: "calendar"; size: 16; color: Style.brandPurple }
        Text {
            anchors.verticalCenter: parent.verticalCenter
            text: field.dateText
            color: Style.textPrimary
            font.family: Style.family
            font.pixelSize: 14
        }
    }

    DarkPopup {
        id: calendar
        objectName: "datePickerPopup"
        y: field.height + 4
        padding: 10
        contentItem: Column {
            spacing: 6
            focus: true
            Accessible.role: Accessible.Table
            Accessible.name: grid.title
            Keys.onPressed: (event) => {
                switch (event.key) {
                case Qt.Key_Left: field.moveCursor(-1); break
                case Qt.Key_Right: field.moveCursor(1); break
                case Qt.Key_Up: field.moveCursor(-7); break
                case Qt.Key_Down: field.moveCursor(7); break
                case Qt.Key_PageUp: field.moveMonth(-1); break
                case Qt.Key_PageDown: field.moveMonth(1); break
                case Qt.Key_Return:
                case Qt.Key_Enter:
                case Qt.Key_Space:
                    field.pick(field.cursor)
                    break
                case Qt.Key_Tab:
                case Qt.Key_Backtab:
                    calendar.close()
                    field.forceActiveFocus()
                    field.nextItemInFocusChain(event.key === Qt.Key_Tab).forceActiveFocus(
                        event.key === Qt.Key_Tab ? Qt.TabFocusReason : Qt.BacktabFocusReason)
                    break
                default:
                    return
                }
                event.accepted = true
            }
            Item {
                width: grid.width
                height: 28
                AbstractButton {
                    id: previousMonth
                    anchors.left: parent.left
                    width: 28; height: 28
                    Accessible.name: qsTr("Previous month")
                    contentItem: SymbolIcon { symbol: "chevron.left"; size: 18; color: Style.textPrimary }
                    background: null
                    focusPolicy: Qt.NoFocus
                    onClicked: field.moveMonth(-1)
                }
                Text {
                    anchors.centerIn: parent
                    text: grid.title
                    color: Style.textPrimary
                    font: Style.headlineFont
                }
                AbstractButton {
                    anchors.right: parent.right
                    width: 28; height: 28
                    Accessible.name: qsTr("Next month")
                    contentItem: SymbolIcon { symbol: "chevron.right"; size: 18; color: Style.textPrimary }
                    background: null
                    focusPolicy: Qt.NoFocus
                    onClicked: field.moveMonth(1)
                }
            }
            DayOfWeekRow {
                width: grid.width
                locale: grid.locale
                delegate: Text {
                    required property string shortName
                    text: shortName
                    horizontalAlignment: Text.AlignHCenter
                    color: Style.textSecondary
                    font: Style.captionFont
                }
            }
            MonthGrid {
                id: grid
                width: 7 * 34
                height: 6 * 30
                locale: Qt.locale()
                onClicked: (day) => field.pick(day)
                delegate: Rectangle {
                    required property var model
                    readonly property bool chosen: model.year === field.date.getFullYear()
                                                   && model.month === field.date.getMonth()
                                                   && model.day === field.date.getDate()
                    readonly property bool atCursor: model.year === field.cursor.getFullYear()
                                                     && model.month === field.cursor.getMonth()
                                                     && model.day === field.cursor.getDate()
                    objectName: atCursor ? "calendarCursor" : ""
                    radius: 15
                    FocusRing { shown: parent.atCursor; anchors.margins: 0; radius: 15 }
                    color: chosen ? Style.brandPurple : "transparent"
                    border.width: model.today && !chosen ? 1 : 0
                    border.color: Style.brandPurple
                    Accessible.name: model.date.toLocaleDateString(grid.locale, Locale.LongFormat)
                    Text {
                        anchors.centerIn: parent
                        text: parent.model.day
                        color: parent.model.month === grid.month ? Style.textPrimary : Style.textSecondary
                        opacity: parent.model.month === grid.month ? 1 : 0.5
                        font.family: Style.family
                        font.pixelSize: 13
                    }
                }
            }
        }
    }
}
