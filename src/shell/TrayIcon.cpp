#include "TrayIcon.h"

#include <QPainter>
#include <QSvgRenderer>

namespace TrayIcon {
QString themeName()
{
    return QStringLiteral(VORN_APP_ID "-symbolic");
}

QIcon themed()
{
    return QIcon::fromTheme(themeName());
}

QIcon glyph(const QColor &color)
{
    QSvgRenderer renderer(QStringLiteral(":/icons/MenuBarIcon.svg"));
    if (!renderer.isValid())
        return {};
    QIcon icon;
    for (const int size : {16, 22, 24, 32, 48, 64}) {
        QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
        image.fill(Qt::transparent);
        QPainter painter(&image);
        renderer.render(&painter);
        // Keep the glyph's shape (its alpha), take the colour.
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
        painter.end();
        icon.addPixmap(QPixmap::fromImage(image));
    }
    return icon;
}

QColor glyphColorFor(const QColor &background)
{
    // Perceived lightness, so a saturated blue panel counts as dark.
    const double luma = 0.299 * background.redF() + 0.587 * background.greenF() + 0.114 * background.blueF();
    return luma < 0.5 ? QColor(0xf2, 0xf2, 0xf5) : QColor(0x1c, 0x1c, 0x1f);
}

QColor backgroundOf(const QImage &cell)
{
    if (cell.width() < 2 || cell.height() < 2)
        return {};
    const int right = cell.width() - 1;
    const int bottom = cell.height() - 1;
    int red = 0;
    int green = 0;
    int blue = 0;
    for (const QPoint corner : {QPoint(0, 0), QPoint(right, 0), QPoint(0, bottom), QPoint(right, bottom)}) {
        const QColor pixel = cell.pixelColor(corner);
        red += pixel.red();
        green += pixel.green();
        blue += pixel.blue();
    }
    return QColor(red / 4, green / 4, blue / 4);
}
} // namespace TrayIcon
