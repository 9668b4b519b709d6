#pragma once

#include <QQuickView>

// The floating panel: a frameless tool window above other windows that takes the keyboard
// focus for the search field. It is hidden, never closed, so its views keep their state.
class SpotlightPanel : public QQuickView {
    Q_OBJECT

public:
    static constexpr int DefaultWidth = 750;
    static constexpr int DefaultHeight = 600;
    // The window's own colour when nothing may show through it (no compositing manager).
    static QColor opaqueColor() { return QColor(20, 20, 28); }

    explicit SpotlightPanel(QQmlEngine *engine, QWindow *parent = nullptr);

protected:
    void exposeEvent(QExposeEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    bool event(QEvent *event) override;
};
