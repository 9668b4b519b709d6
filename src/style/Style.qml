pragma Singleton
import QtQuick

// The shared look of the panel and its windows: palette, type styles, named colours.
QtObject {
    readonly property color brandPurple: Qt.rgba(191 / 255, 90 / 255, 242 / 255, 1)
    readonly property color brandIndigo: Qt.rgba(94 / 255, 92 / 255, 230 / 255, 1)
    readonly property color textPrimary: "#ffffff"
    readonly property color textSecondary: Qt.rgba(161 / 255, 161 / 255, 170 / 255, 1)
    readonly property color glassFill: Qt.rgba(1, 1, 1, 0.08)
    readonly property color glassStroke: Qt.rgba(1, 1, 1, 0.15)
    readonly property color favoriteYellow: Qt.rgba(1, 214 / 255, 10 / 255, 1)
    readonly property color panelBackground: Qt.rgba(0.08, 0.08, 0.11, 0.92)
    // Sheets and popups are opaque, so what lies under them never reads through.
    readonly property color sheetBackground: Qt.rgba(0.08, 0.08, 0.11, 1)

    // Named colours.
    readonly property color accentColor: brandPurple
    // Whether colour emoji ("🔥") can be drawn; asked once, not by every row that shows one.
    readonly property bool hasEmojiFont: Qt.fontFamilies().some((family) => /emoji/i.test(family))
    readonly property color valueColor: Qt.rgba(0.36, 0.78, 0.98, 1)
    readonly property color systemButtonColor: Qt.rgba(1, 1, 1, 0.12)
    readonly property color missingColor: Qt.rgba(1, 0.62, 0.26, 1)
    readonly property color errorRed: "#ff453a"

    // Type styles: Inter stands in for Avenir Next; Qt falls back quietly when it is absent.
    readonly property string family: "Inter"
    readonly property font titleFont: Qt.font({ family: family, pixelSize: 28, weight: Font.Bold })
    readonly property font headlineFont: Qt.font({ family: family, pixelSize: 16, weight: Font.DemiBold })
    readonly property font bodyFont: Qt.font({ family: family, pixelSize: 16, weight: Font.Normal })
    readonly property font captionFont: Qt.font({ family: family, pixelSize: 12, weight: Font.Medium })
    readonly property string iconFamily: "Material Icons"

    // Timings.
    readonly property int staggerStep: 50
    readonly property int defaultAnimation: 250
}
