#pragma once

#include <QQuickItem>
#include <QQuickView>
#include <QVariantMap>

#include <functional>

// Shows one of the program's views offscreen, finds its items and drives it like a user.
class QmlTestView : public QQuickView {
public:
    QmlTestView();

    // Loads a view file of a module (e.g. "qrc:/qt/qml/Vorn/Settings/SettingsView.qml") at the
    // size of its root item.
    bool loadFile(const QString &url, const QVariantMap &properties);
    // Puts `content` (QML declarations, `panel` is the background's id) on the panel's dark
    // rounded background, with `imports` added to QtQuick and Vorn.Style.
    bool showOnPanel(const QString &imports, const QString &content,
                     const QVariantMap &properties = {}, QSize size = {750, 600});

    // The first item of the visual tree with that objectName (repeated delegates are not
    // QObject children, so this walks the items), or null.
    QQuickItem *item(const QString &name) const;
    QList<QQuickItem *> items(const QString &name) const;
    // The first shown item below `from` that passes the test.
    static QQuickItem *findShown(QQuickItem *from, const std::function<bool(QQuickItem *)> &test);

    void type(const QString &text);
    void key(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    void click(QQuickItem *target, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
               Qt::MouseButton button = Qt::LeftButton);
    // Saves the window in the screenshot folder once the animations have settled.
    bool screenshot(const QString &name, int settleMs = 400);

private:
    bool show(QQuickItem *root);
};

namespace QmlTest {
// Spins the event loop until the condition holds; false after the timeout.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 3000);
} // namespace QmlTest
