#pragma once

#include <QQmlEngine>
#include <QQuickItem>
#include <QQuickStyle>
#include <QQuickView>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>
#include <stdexcept>

// Loading the module's views offscreen, finding their items by objectName and driving them.
namespace ViewTesting {
inline const QString Docs = QStringLiteral(VORN_DOCS_DIR);

// Loads one of the module's views offscreen with the given view-model.
inline std::unique_ptr<QQuickView> load(const QString &file, const QVariantMap &properties)
{
    static const bool styled = [] {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        return true;
    }();
    Q_UNUSED(styled);
    auto view = std::make_unique<QQuickView>();
    view->engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    view->setColor(Qt::transparent);
    view->setInitialProperties(properties);
    view->setSource(QUrl(QStringLiteral("qrc:/qt/qml/Vorn/Settings/") + file));
    if (view->status() != QQuickView::Ready) {
        for (const QQmlError &error : view->errors())
            ADD_FAILURE() << error.toString().toStdString();
        return nullptr;
    }
    view->resize(view->rootObject()->size().toSize());
    view->show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(view.get()));
    return view;
}

// Searches the visual tree too: repeated delegates are not QObject children of the view.
inline QQuickItem *findItem(QQuickItem *in, const QString &name)
{
    if (in->objectName() == name)
        return in;
    for (QQuickItem *child : in->childItems())
        if (QQuickItem *found = findItem(child, name))
            return found;
    return nullptr;
}

inline QQuickItem *item(QQuickView &view, const char *name)
{
    QQuickItem *found = findItem(view.contentItem(), QString::fromLatin1(name));
    if (!found)
        throw std::runtime_error(std::string("no item ") + name);
    return found;
}

// Whether the item is shown: itself and every ancestor visible.
inline bool shown(QQuickItem *item)
{
    return item && item->isVisible();
}

inline void click(QQuickView &view, QQuickItem *target,
                  Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    ASSERT_NE(target, nullptr);
    const QPoint centre =
        target->mapToScene(QPointF(target->width() / 2, target->height() / 2)).toPoint();
    QTest::mouseClick(&view, Qt::LeftButton, modifiers, centre);
}

inline void type(QQuickView &view, const QString &text)
{
    for (const QChar c : text)
        QTest::keyClick(&view, c.toLatin1());
}

inline void screenshot(QQuickView &view, const QString &name)
{
    QTest::qWait(400); // let the entry animations settle
    EXPECT_TRUE(view.grabWindow().save(Docs + QLatin1Char('/') + name)) << name.toStdString();
}
} // namespace ViewTesting
