import QtQuick

// Takes the right clicks over its parent and asks for the context menu at the click. It lies
// above the parent's content because Qt Quick buttons act on every mouse button: without it a
// right click on a row or a chip would also click it. Left clicks pass through untouched.
MouseArea {
    signal menuRequested(real x, real y)

    anchors.fill: parent
    z: 1000
    acceptedButtons: Qt.RightButton
    onClicked: (mouse) => menuRequested(mouse.x, mouse.y)
}
