import QtQuick

// The staggered entrance of a list's rows: each row starts 50 px low and transparent and a
// spring (response 0.5 s, damping 0.7) brings it up into place and to full opacity, 50 ms
// after the row before it. One clock serves the whole list: a row binds to its progress
// for its position, so no row makes objects of its own for it.
QtObject {
    id: stagger
    readonly property real offset: 50
    // A row's spring counts as settled this long after it set off (less than a tenth of a pixel
    // from its place): it is then put exactly in place, not left trembling by a few
    // millionths of a pixel about it.
    readonly property real settleTime: 0.8
    // Rows further down set off together with the 13th.
    readonly property int lastIndex: 12
    // Seconds since start(); it stops once the last row has settled.
    readonly property real settled: 0.05 * lastIndex + settleTime
    property real clock: settled
    property NumberAnimation run: NumberAnimation {
        target: stagger
        property: "clock"
        from: 0
        to: stagger.settled
        duration: stagger.settled * 1000
    }

    readonly property bool running: run.running
    // Rows made in the entrance's first half second (the list filling in, or scrolled to)
    // still join it; later ones just appear.
    readonly property bool admitting: running && clock < 0.5

    function start() {
        run.restart()
    }

    // From 0 (not yet moving) to 1 (in place) for the row at that position; a spring
    // overshoots a little, so the value may pass 1 on its way.
    function progress(index) {
        const t = clock - 0.05 * Math.min(index, lastIndex)
        if (t <= 0)
            return 0
        if (t >= settleTime)
            return 1
        const damping = 0.7
        const natural = 2 * Math.PI / 0.5
        const damped = natural * Math.sqrt(1 - damping * damping)
        return 1 - Math.exp(-damping * natural * t)
                   * (Math.cos(damped * t) + damping * natural / damped * Math.sin(damped * t))
    }
}
