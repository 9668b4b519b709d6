import QtQuick
import QtQuick.Controls
import Vorn.Shell
import Vorn.Settings
import Vorn.Style

// The panel's root view: its background, the settings and close buttons, the two sheets and
// the content that switches between library and detail.
Item {
    id: root
    objectName: "mainView"
    width: 750
    height: 600

    property bool showSettings: false
    property bool showFeedback: false
    property bool appeared: false

    MainViewModel {
        id: model
    }

    // Rounded and see-through over a compositing manager; square and opaque without one,
    // where the clear corners would show black.
    Rectangle {
        objectName: "panelBackground"
        anchors.fill: parent
        radius: PanelController.translucent ? 16 : 0
        color: PanelController.translucent ? Style.panelBackground : Style.sheetBackground
        border.color: Style.glassStroke
        border.width: 1
    }

    // The top strip moves the frameless panel.
    MouseArea {
        anchors.left: parent.left
        anchors.right: parent.right
        anchors.top: parent.top
        height: 24
        onPressed: PanelController.startMove()
    }

    SharedContentView {
        id: content
        anchors.fill: parent
        anchors.topMargin: 24
        focus: true
        showSettings: root.showSettings
        onShowSettingsChanged: root.showSettings = showSettings
        onCloseWindow: PanelController.hidePanel()
        onHideApplication: PanelController.hideApplication()
    }

    // The panel's own buttons give way while an editor or the image preview fills the panel,
    // so a click meant for its "Save" or close never lands on them.
    Row {
        objectName: "panelButtons"
        visible: !content.coversHeader
        anchors.top: parent.top
        anchors.right: parent.right
        anchors.topMargin: 24 + 4
        anchors.rightMargin: 16
        spacing: 2
        IconButton {
            objectName: "settingsButton"
            anchors.verticalCenter: parent.verticalCenter
            symbol: "gear"
            help: qsTr("Settings")
            onClicked: root.showSettings = true
        }
        IconButton {
            objectName: "closeButton"
            anchors.verticalCenter: parent.verticalCenter
            symbol: "xmark.circle.fill"
            help: qsTr("Close Window")
            glyphSize: 24
            onClicked: PanelController.hidePanel()
        }
    }

    Sheet {
        id: settingsSheet
        objectName: "settingsSheet"
        width: 550
        height: Math.min(600, root.height)
        visible: root.showSettings
        onClosed: {
            root.showSettings = false
            content.focusSearch()
        }
        SettingsView {
            anchors.fill: parent
            focus: true
            onCloseRequested: settingsSheet.close()
        }
    }
    Sheet {
        id: feedbackSheet
        objectName: "feedbackSheet"
        width: 500
        height: Math.min(700, root.height - 16)
        visible: root.showFeedback
        onClosed: {
            root.showFeedback = false
            content.focusSearch()
        }
        FeedbackView {
            anchors.fill: parent
            focus: true
            onClosed: feedbackSheet.close()
            // The sheet opens at start, in the way of someone who came to search: a typed
            // character closes it and goes on in the search field.
            Keys.onPressed: (event) => {
                if (event.text.length > 0 && event.text.charCodeAt(0) > 32
                        && !(event.modifiers & (Qt.ControlModifier | Qt.AltModifier | Qt.MetaModifier))) {
                    event.accepted = true
                    feedbackSheet.close()
                    content.typeIntoSearch(event.text)
                }
            }
        }
    }

    Connections {
        target: PanelController
        // The settings' shortcut, pressed in the panel.
        function onSettingsRequested() {
            root.showFeedback = false
            root.showSettings = true
        }
        function onShown() {
            // The welcome sheet opens the first time the panel's content appears.
            if (!root.appeared) {
                root.appeared = true
                if (model.showFeedbackOnStart)
                    root.showFeedback = true
            }
            if (!root.showFeedback && !root.showSettings)
                content.focusSearch(true)
        }
    }
}
