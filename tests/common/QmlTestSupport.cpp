#include "QmlTestSupport.h"

#include "UiLanguage.h"

#include <QColor>
#include <QElapsedTimer>
#include <QLocale>
#include <QQmlComponent>
#include <QQmlEngine>
#include <QQuickStyle>
#include <QTest>
#include <QtQml/qqmlextensionplugin.h>

#include <gtest/gtest.h>

#include <algorithm>

Q_IMPORT_QML_PLUGIN(Vorn_StylePlugin)

namespace {
struct ShownText {
    QQuickItem *item;
    QRectF drawn; // in scene coordinates
};

// The area the text's glyphs take, from its alignment and painted size.
QRectF drawnArea(QQuickItem *text)
{
    const qreal width = text->width(), height = text->height();
    const qreal contentWidth = std::min(text->property("contentWidth").toReal(), std::max(width, 0.0));
    const qreal contentHeight = std::min(text->property("contentHeight").toReal(), std::max(height, 0.0));
    const int horizontal = text->property("effectiveHorizontalAlignment").toInt();
    const int vertical = text->property("verticalAlignment").toInt();
    const qreal x = horizontal & Qt::AlignRight ? width - contentWidth
                    : horizontal & Qt::AlignHCenter ? (width - contentWidth) / 2 : 0;
    const qreal y = vertical & Qt::AlignBottom ? height - contentHeight
                    : vertical & Qt::AlignVCenter ? (height - contentHeight) / 2 : 0;
    return text->mapRectToScene(QRectF(x, y, contentWidth, contentHeight));
}

QString describe(const QQuickItem *text)
{
    const QString name = text->objectName().isEmpty() ? QString() : QStringLiteral(" (%1)").arg(text->objectName());
    return QStringLiteral("\"%1\"%2").arg(text->property("text").toString().left(60), name);
}

// The children in the order they are drawn: by z, then as declared.
QList<QQuickItem *> paintOrder(QQuickItem *item)
{
    QList<QQuickItem *> children = item->childItems();
    std::stable_sort(children.begin(), children.end(), [](QQuickItem *a, QQuickItem *b) { return a->z() < b->z(); });
    return children;
}

QRectF sceneRect(const QQuickItem *item)
{
    return item->mapRectToScene(QRectF(0, 0, item->width(), item->height()));
}

// Whether this item, or an item inside it, paints something opaque at the scene point.
bool paintsOpaqueAt(QQuickItem *item, QPointF point)
{
    if (!item->isVisible() || item->opacity() < 0.5)
        return false;
    const bool inside = sceneRect(item).contains(point);
    if (inside && item->inherits("QQuickRectangle") && item->property("color").value<QColor>().alphaF() >= 0.5)
        return true;
    if (inside && item->inherits("QQuickImage"))
        return true;
    if (item->clip() && !inside)
        return false;
    const QList<QQuickItem *> children = item->childItems();
    return std::any_of(children.begin(), children.end(), [&](QQuickItem *child) { return paintsOpaqueAt(child, point); });
}

// Whether something drawn after the text covers it at the scene point: the path from the
// root to the text is followed, and at each level the siblings drawn above it are looked at.
bool coveredAt(QQuickItem *root, QQuickItem *text, QPointF point)
{
    QQuickItem *level = root;
    while (level && level != text) {
        const QList<QQuickItem *> children = paintOrder(level);
        QQuickItem *next = nullptr;
        bool above = false;
        for (QQuickItem *child : children) {
            if (child == text || child->isAncestorOf(text)) {
                next = child;
                above = true;
                continue;
            }
            if (above && paintsOpaqueAt(child, point))
                return true;
        }
        level = next;
    }
    return false;
}

// The part of the text's area that its clipping ancestors (a scrolled list, say) let through.
QRectF unclipped(const QQuickItem *text, QRectF drawn)
{
    for (const QQuickItem *at = text->parentItem(); at; at = at->parentItem())
        if (at->clip())
            drawn = drawn.intersected(sceneRect(at));
    return drawn;
}

// The texts shown below the item; the walk stops at anything hidden, so every text found has
// all its ancestors shown.
void collectTexts(QQuickItem *item, QList<ShownText> &found)
{
    if (!item->isVisible() || item->opacity() < 0.05)
        return;
    if (item->inherits("QQuickText") && !item->property("text").toString().trimmed().isEmpty()) {
        const QRectF drawn = unclipped(item, drawnArea(item));
        if (drawn.width() > 1 && drawn.height() > 1)
            found.append({item, drawn});
    }
    for (QQuickItem *child : item->childItems())
        collectTexts(child, found);
}

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
    [[maybe_unused]] static const bool styled = (QQuickStyle::setStyle(QStringLiteral("Basic")), true);
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
    for (const QString &problem : textProblems())
        ADD_FAILURE() << name.toStdString() << ": " << problem.toStdString();
    const QImage image = grabWindow();
    const bool saved = !image.isNull() && image.save(QStringLiteral(VORN_DOCS_DIR "/") + name);
    EXPECT_TRUE(saved) << name.toStdString();
    return saved;
}

QStringList QmlTestView::textProblems() const
{
    QList<ShownText> all;
    collectTexts(contentItem(), all);
    // Texts hidden under a sheet, an alert or a menu are not read.
    QList<ShownText> texts;
    for (const ShownText &text : std::as_const(all))
        if (!coveredAt(contentItem(), text.item, text.drawn.center()))
            texts.append(text);
    QStringList problems;
    const QRectF window(QPointF(0, 0), size());
    for (const ShownText &text : std::as_const(texts)) {
        QQuickItem *item = text.item;
        const bool elided = item->property("elide").toInt() != 0 && item->property("truncated").toBool();
        const bool wraps = item->property("wrapMode").toInt() != 0;
        // A width the layout gave the text, narrower than the text needs.
        if (!elided && !wraps && item->implicitWidth() > item->width() + 1)
            problems.append(QStringLiteral("%1 is cut off: it needs %2 px, has %3 px")
                                .arg(describe(item)).arg(item->implicitWidth()).arg(item->width()));
        // Rich text reports a little more height than it draws; a cut-off line is more.
        else if (!elided && item->property("contentHeight").toReal() > item->height() + 3
                 && item->property("maximumLineCount").toInt() >= 2147483647)
            problems.append(QStringLiteral("%1 is cut off: it needs %2 px of height, has %3 px")
                                .arg(describe(item)).arg(item->property("contentHeight").toReal()).arg(item->height()));
        // Everything inside a scrolling view may leave the window; the rest may not.
        bool scrolled = false;
        for (const QQuickItem *at = item->parentItem(); at && !scrolled; at = at->parentItem())
            scrolled = at->inherits("QQuickFlickable");
        if (!scrolled && !window.adjusted(-1, -1, 1, 1).contains(text.drawn))
            problems.append(QStringLiteral("%1 reaches outside the window").arg(describe(item)));
    }
    for (qsizetype i = 0; i < texts.size(); ++i) {
        for (qsizetype j = i + 1; j < texts.size(); ++j) {
            const QRectF crossing = texts[i].drawn.intersected(texts[j].drawn);
            if (crossing.width() > 2 && crossing.height() > 2 && !coveredAt(contentItem(), texts[i].item, crossing.center())
                && !coveredAt(contentItem(), texts[j].item, crossing.center()))
                problems.append(QStringLiteral("%1 and %2 are drawn over each other")
                                    .arg(describe(texts[i].item), describe(texts[j].item)));
        }
    }
    return problems;
}

namespace QmlTest {
Language::Language(const QString &language)
    : m_previousLocale(QLocale())
{
    UiLanguage::Environment environment;
    environment.lang = language + QStringLiteral(".UTF-8");
    m_language = std::make_unique<UiLanguage>(environment);
    QLocale::setDefault(QLocale(language));
}

Language::~Language()
{
    m_language.reset();
    QLocale::setDefault(m_previousLocale);
}

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
