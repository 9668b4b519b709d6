#include "SpotlightPanel.h"

#include "ShellTrace.h"

SpotlightPanel::SpotlightPanel(QQmlEngine *engine, QWindow *parent) : QQuickView(engine, parent)
{
    setFlags(Qt::Tool | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint);
    setTitle(QStringLiteral("VORN"));
    // The rounded dark background is drawn by the view; the window itself stays clear.
    setColor(Qt::transparent);
    setResizeMode(QQuickView::SizeRootObjectToView);
    resize(DefaultWidth, DefaultHeight);
}

void SpotlightPanel::exposeEvent(QExposeEvent *event)
{
    QQuickView::exposeEvent(event);
    if (isExposed())
        ShellTrace::mark("panel exposed");
}

void SpotlightPanel::focusInEvent(QFocusEvent *event)
{
    QQuickView::focusInEvent(event);
    ShellTrace::mark("panel focused");
}

bool SpotlightPanel::event(QEvent *event)
{
    // Closing (Alt+F4 from a window manager) only hides: the panel lives for the whole process.
    if (event->type() == QEvent::Close) {
        event->ignore();
        hide();
        return true;
    }
    return QQuickView::event(event);
}
