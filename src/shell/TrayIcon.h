#pragma once

#include <QColor>
#include <QIcon>
#include <QImage>
#include <QString>

// The tray icon. Where the icon theme has it (VORN installed), it goes by name, so a
// StatusNotifier host draws it in its panel's own colours. Otherwise it is the bundled glyph
// painted in one colour: light on a dark tray, dark on a light one.
namespace TrayIcon {
// "<application id>-symbolic".
QString themeName();
// The icon by theme name, or a null icon when no installed theme has it.
QIcon themed();
// The bundled glyph ("MenuBarIcon") in the given colour, at the sizes trays use.
QIcon glyph(const QColor &color);
// The glyph's colour for a tray of that background: near-white on dark, near-black on light.
QColor glyphColorFor(const QColor &background);
// The background of a tray cell, from a picture of it: the mean of its four corner pixels,
// which the glyph never covers.
QColor backgroundOf(const QImage &cell);
} // namespace TrayIcon
