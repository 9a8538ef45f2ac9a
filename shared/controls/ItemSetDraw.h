#pragma once

#include <QRect>

class QImage;
class QPainter;
class QWidget;

// Drawing shared by the item button and the item label.

// Where an image lands in its box (the smaller side of width x height,
// keeping the image's proportions) from topLeft; an empty rectangle when
// there is nothing to draw.
QRect ItemImageRect(const QImage* image, int boxWidth, int boxHeight, const QPoint& topLeft);
// Stretches the image into ItemImageRect smoothly; draws nothing (not even a
// background) without an image or with an empty box.
void DrawItemImage(QPainter& painter, const QImage* image, int boxWidth, int boxHeight,
                   const QPoint& topLeft);
// The text field: face, sunken edge and the widget's text 4 pixels inside,
// left-aligned, elided at the right.
void DrawItemText(QPainter& painter, const QWidget* widget, const QString& text, bool editable);
