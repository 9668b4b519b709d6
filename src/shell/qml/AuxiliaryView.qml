import QtQuick
import QtQuick.Window
import Vorn.Settings
import Vorn.Style

// Content of an auxiliary window: "Settings", "Account" or "Feedback".
Rectangle {
    id: root
    property string windowName
    color: Style.panelBackground
    focus: true

    function closeWindow() { Window.window.close() }

    Loader {
        anchors.fill: parent
        focus: true
        sourceComponent: root.windowName === "Settings" ? settings
                       : root.windowName === "Feedback" ? feedback : account
    }
    Component {
        id: settings
        SettingsView { focus: true; onCloseRequested: root.closeWindow() }
    }
    Component {
        id: feedback
        FeedbackView { focus: true; onClosed: root.closeWindow() }
    }
    Component {
        id: account
        AccountView { focus: true; onClosed: root.closeWindow() }
    }
}
