import QtQuick

// A view with a text that skips qsTr(): the translatable-text check must refuse it.
Item {
    Text { text: qsTr("Translated") }
    Text { text: "Left in English" }
}
