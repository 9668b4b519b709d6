#include "QmlTestSupport.h"

#include <QElapsedTimer>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)

namespace {
void collect(QQuickItem *item, const QString &name, QList<QQuickItem *> &found)
{
    if (item->objectName() == name)
        found.append(item);
    for (QQuickItem *child : item->childItems())
        collect(child, name, found);
}

const char *const Panel = R"(
import QtQuick
import Vorn.Style
%1
Rectangle {
    id: panel
    width: %2; height: %3
    radius: 16
    color: Style.panelBackground
    border.color: Qt.rgba(1, 1, 1, 0.1)
%4
}
)";
} // namespace

QmlTestView::QmlTestView()
{
    static const bool styled = [] {
        QQuickStyle::setStyle(QStringLiteral("Basic"));
        return true;
    }();
    Q_UNUSED(styled);
    engine()->addImportPath(QStringLiteral("qrc:/qt/qml"));
    setColor(Qt::transparent);
}

bool QmlTestView::loadFile(const QString &url, const QVariantMap &properties)
{
    setInitialProperties(properties);
    setSource(QUrl(url));
    if (status() != QQuickView::Ready) {
        for (const QQmlError &error : errors())
            ADD_FAILURE() << error.toString().toStdString();
        return false;
    }
    return show(rootObject());
}

bool QmlTestView::showOnPanel(const QString &imports, const QString &content,
                              const QVariantMap &properties, QSize size)
{
    QQmlComponent component(engine());
    const QString qml =
        QString::fromLatin1(Panel).arg(imports).arg(size.width()).arg(size.height()).arg(content);
    component.setData(qml.toUtf8(), QUrl(QStringLiteral("qrc:/test/Panel.qml")));
    auto *root = qobject_cast<QQuickItem *>(component.createWithInitialProperties(properties));
    if (!root) {
        ADD_FAILURE() << component.errorString().toStdString();
        return false;
    }
    setContent(QUrl(), nullptr, root);
    return show(root);
}

bool QmlTestView::show(QQuickItem *root)
{
    resize(root->size().toSize());
    QQuickView::show();
    requestActivate();
    if (!QTest::qWaitForWindowExposed(this)) {
        ADD_FAILURE() << "the view was not exposed";
        return false;
    }
    QTest::qWait(50);
    return true;
}

QQuickItem *QmlTestView::item(const QString &name) const
{
    return items(name).value(0);
}

QList<QQuickItem *> QmlTestView::items(const QString &name) const
{
    QList<QQuickItem *> found;
    collect(contentItem(), name, found);
    return found;
}

QQuickItem *QmlTestView::findShown(QQuickItem *from, const std::function<bool(QQuickItem *)> &test)
{
    for (QQuickItem *child : from->childItems()) {
        if (!child->isVisible())
            continue;
        if (test(child))
            return child;
        if (QQuickItem *found = findShown(child, test))
            return found;
    }
    return nullptr;
}

void QmlTestView::type(const QString &text)
{
    // QTest types into widgets only; a window gets one key click per character.
    for (const QChar c : text)
        QTest::keyClick(this, c.toLatin1());
}

void QmlTestView::key(Qt::Key key, Qt::KeyboardModifiers modifiers)
{
    QTest::keyClick(this, key, modifiers);
}

void QmlTestView::click(QQuickItem *target, Qt::KeyboardModifiers modifiers, Qt::MouseButton button)
{
    if (!target) {
        ADD_FAILURE() << "click on a missing item";
        return;
    }
    const QPointF centre = target->mapToScene(QPointF(target->width() / 2, target->height() / 2));
    QTest::mouseClick(this, button, modifiers, centre.toPoint());
}

bool QmlTestView::screenshot(const QString &name, int settleMs)
{
    QTest::qWait(settleMs);
    const QImage image = grabWindow();
    const bool saved = !image.isNull() && image.save(QStringLiteral(VORN_DOCS_DIR "/") + name);
    EXPECT_TRUE(saved) << name.toStdString();
    return saved;
}

namespace QmlTest {
bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QTest::qWait(10);
    }
    return true;
}
} // namespace QmlTest
