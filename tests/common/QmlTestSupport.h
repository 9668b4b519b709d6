#pragma once

#include <QQuickItem>
#include <QQuickView>
#include <QVariantMap>

#include <QLocale>

#include <functional>
#include <memory>

class UiLanguage;

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
    // Saves the window in the screenshot folder once the animations have settled, after
    // checking that every text shown fits (see textProblems); a text that does not fails the
    // test.
    bool screenshot(const QString &name, int settleMs = 400);
    // The shown texts that are cut off or drawn over one another: a text that is neither
    // elided nor wrapped but wider or taller than its item, or reaching outside the window;
    // and two texts whose drawn areas cross. One line per problem, naming the texts.
    QStringList textProblems() const;

private:
    bool show(QQuickItem *root);
};

namespace QmlTest {
// The program's catalogue (and Qt's) for a language while the object lives, with that
// language's formats for numbers and dates: QmlTest::Language german(QStringLiteral("de"));
// Create it before loading a view.
class Language {
public:
    explicit Language(const QString &language);
    ~Language();
    Language(const Language &) = delete;
    Language &operator=(const Language &) = delete;

private:
    std::unique_ptr<UiLanguage> m_language;
    QLocale m_previousLocale;
};

// Spins the event loop until the condition holds; false after the timeout.
bool waitFor(const std::function<bool()> &condition, int timeoutMs = 3000);
} // namespace QmlTest
