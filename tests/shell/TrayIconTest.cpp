#include "TrayIcon.h"

#include <QGuiApplication>

#include <gtest/gtest.h>

namespace {
// How many pixels of the picture are drawn (not transparent), and how many of those are close
// to the colour.
struct Coverage {
    int drawn = 0;
    int matching = 0;
};

Coverage coverage(const QImage &image, const QColor &color)
{
    Coverage result;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.alpha() < 200)
                continue;
            ++result.drawn;
            if (qAbs(pixel.red() - color.red()) < 20 && qAbs(pixel.green() - color.green()) < 20
                && qAbs(pixel.blue() - color.blue()) < 20)
                ++result.matching;
        }
    }
    return result;
}
} // namespace

TEST(TrayIcon, TheGlyphIsLightOnDarkTraysDarkOnLightOnesAndWholeAtEverySize)
{
    for (const QColor &panel : {QColor(0, 0, 0), QColor(0x1e, 0x1e, 0x1e), QColor(0x20, 0x30, 0x90)})
        EXPECT_GT(TrayIcon::glyphColorFor(panel).lightness(), 200) << panel.name().toStdString();
    for (const QColor &panel : {QColor(255, 255, 255), QColor(0xd6, 0xd6, 0xd6), QColor(0xf0, 0xe0, 0x60)})
        EXPECT_LT(TrayIcon::glyphColorFor(panel).lightness(), 60) << panel.name().toStdString();

    // It is drawn whole in the colour asked for, at every tray size.
    const QColor light = TrayIcon::glyphColorFor(Qt::black);
    const QIcon icon = TrayIcon::glyph(light);
    ASSERT_FALSE(icon.isNull());
    for (const int size : {16, 22, 24, 32}) {
        const QImage image = icon.pixmap(QSize(size, size)).toImage();
        ASSERT_EQ(image.size(), QSize(size, size));
        const Coverage covered = coverage(image, light);
        // A bubble around a V: a good part of the cell, never all of it.
        EXPECT_GT(covered.drawn, size * size / 4) << size;
        EXPECT_LT(covered.drawn, size * size * 9 / 10) << size;
        EXPECT_EQ(covered.matching, covered.drawn) << size;
        // The corners stay clear, so the tray shows through there.
        EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0) << size;
        EXPECT_EQ(image.pixelColor(size - 1, size - 1).alpha(), 0) << size;
    }
}

TEST(TrayIcon, TheBackgroundIsReadFromTheCornersOfTheCellAndTheThemeIconIsTheAppIds)
{
    QImage cell(22, 22, QImage::Format_RGB32);
    cell.fill(QColor(0x18, 0x18, 0x1c));
    // The glyph itself, in the middle, does not count.
    for (int y = 3; y < 19; ++y)
        for (int x = 3; x < 19; ++x)
            cell.setPixelColor(x, y, Qt::white);
    EXPECT_EQ(TrayIcon::backgroundOf(cell), QColor(0x18, 0x18, 0x1c));
    EXPECT_GT(TrayIcon::glyphColorFor(TrayIcon::backgroundOf(cell)).lightness(), 200);
    EXPECT_FALSE(TrayIcon::backgroundOf(QImage()).isValid());
    // The icon theme's name is the application id's symbolic icon.
    EXPECT_EQ(TrayIcon::themeName(), QStringLiteral(VORN_APP_ID "-symbolic"));
}
