#pragma once

#include <QIcon>

#include <initializer_list>

class QPainter;

// Icons the program draws in code rather than ships as files: the painter
// draws on a square grid, and the icon holds a pixmap of it at each size.
namespace PaintedIcon {
using Painter = void (*)(QPainter &);

QIcon render(Painter paint, qreal grid, std::initializer_list<int> sizes);
} // namespace PaintedIcon
