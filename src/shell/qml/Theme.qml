pragma Singleton
import QtQuick

// Colours and fonts of the panel until the shared style kit takes over.
QtObject {
    readonly property color brandPurple: Qt.rgba(191 / 255, 90 / 255, 242 / 255, 1)
    readonly property color brandIndigo: Qt.rgba(94 / 255, 92 / 255, 230 / 255, 1)
    readonly property color textPrimary: "white"
    readonly property color textSecondary: Qt.rgba(161 / 255, 161 / 255, 170 / 255, 1)
    readonly property color glassFill: Qt.rgba(1, 1, 1, 0.08)
    readonly property color glassStroke: Qt.rgba(1, 1, 1, 0.15)
    readonly property color panelBackground: Qt.rgba(0.09, 0.09, 0.11, 0.94)
    readonly property string fontFamily: "Inter"
    readonly property string iconFamily: "Material Icons"
}
