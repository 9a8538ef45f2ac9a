#pragma once

#include "bases/CReceipt80Canvas.h"

#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace dunmarel {

// A horizontal formal receipt, 1126 x 440 pixels: 24 text lines of 16 pixels
// from y = 30, columns of 14 pixels from x = 24, pictures in rows of 32
// pixels laid over the paper by AND, torn (hatched) left and right edges.
class CYokoRyoushuCanvas
{
public:
    static constexpr int kWidth = 1126;
    static constexpr int kHeight = 440;
    static constexpr int kLines = 24;
    static constexpr int kLineHeight = 16;
    static constexpr int kColumnWidth = 14;
    static constexpr int kLeft = 24;
    static constexpr int kTop = 30;

    bool Create();
    void Release();
    int Lines() const { return m_nLines; }
    const QImage& Image() const { return m_image; }

    // Where the characters go: 14 pixels a half-width character, 28 a full
    // width one (twice that in size kind 3).
    QList<PlacedChar> PlaceText(int line, const QString& text, int sizeKind, int column) const;
    // sizeKind 0 normal, 1 tall, 2 small, 3 tall and wide; 0 past the last line.
    int DrawText(int line, const QString& text, int sizeKind, int column);
    // Line i at first + 2 i, normal size, from column 0.
    void DrawLines(int firstLine, const QStringList& lines);
    // White parts of the picture leave the canvas as it is.
    void DrawImage(int column, int row, const QImage& image);
    // A black line 2 pixels high under the line, from x = 136 to 752.
    void Underline(int line);

private:
    void PaintPaper();

    int m_nLines = 0;
    QImage m_image;
};

} // namespace dunmarel
