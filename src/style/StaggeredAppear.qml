import QtQuick

// Slides its target up into place and fades it in, 50 ms later for each position in a list.
Item {
    id: stagger
    required property Item target
    property int index: 0
    property real offset: 50

    visible: false
    Component.onCompleted: {
        target.opacity = 0
        target.transform = [shift]
        run.start()
    }
    Translate { id: shift; y: stagger.offset }
    SequentialAnimation {
        id: run
        PauseAnimation { duration: stagger.index * 50 }
        ParallelAnimation {
            SpringAnimation { target: stagger; property: "offset"; to: 0; spring: 4; damping: 0.35; epsilon: 0.25 }
            NumberAnimation { target: stagger.target; property: "opacity"; to: 1; duration: 350 }
        }
    }
}
