#include "bases/CYokoRyoushuCanvas.h"

#include "bases/CanvasFonts.h"
#include "bases/ReceiptText.h"

#include <QPainter>

namespace dunmarel {

namespace {

struct CellSize
{
    int height;
    int width;
};
constexpr CellSize kCells[4] = {{28, 14}, {56, 14}, {14, 14}, {56, 28}};

} // namespace

bool CYokoRyoushuCanvas::Create()
{
    Release();
    m_image = QImage(kWidth, kHeight, QImage::Format_RGB32);
    if (m_image.isNull())
        return false;
    m_nLines = kLines;
    PaintPaper();
    return true;
}

void CYokoRyoushuCanvas::Release()
{
    m_image = QImage();
    m_nLines = 0;
}

// Solid top and bottom, torn sides.
void CYokoRyoushuCanvas::PaintPaper()
{
    m_image.fill(Qt::white);
    const int left = 4;
    const int top = 4;
    const int right = kWidth - 4;
    const int bottom = 410 - 4 + 28;
    QPainter painter(&m_image);
    for (int y : {top + 1, bottom})
        painter.fillRect(QRect(left, y, right - left, 1), Qt::black);
    const QBrush hatch(Qt::black, Qt::DiagCrossPattern);
    for (int x : {left, right})
        painter.fillRect(QRect(x - 2, top + 1, 5, bottom - top - 1), hatch);
}

QList<PlacedChar> CYokoRyoushuCanvas::PlaceText(int line, const QString& text, int sizeKind,
                                                int column) const
{
    QList<PlacedChar> placed;
    const int step = sizeKind == 3 ? 2 * kColumnWidth : kColumnWidth;
    QPoint at(column * kColumnWidth + kLeft, line * kLineHeight + kTop);
    for (char32_t ch : text.toUcs4()) {
        placed.append({ch, at});
        at.rx() += IsFullWidthChar(ch) ? 2 * step : step;
    }
    return placed;
}

int CYokoRyoushuCanvas::DrawText(int line, const QString& text, int sizeKind, int column)
{
    if (line >= m_nLines || m_image.isNull())
        return 0;
    if (sizeKind < 0 || sizeKind > 3)
        sizeKind = 0;
    const CellSize cell = kCells[sizeKind];
    QPainter painter(&m_image);
    painter.setFont(CanvasFont(cell.height, cell.width));
    painter.setPen(Qt::black);
    for (const PlacedChar& placed : PlaceText(line, text, sizeKind, column))
        if (placed.ch != u' ')
            painter.drawStaticText(placed.topLeft, CanvasGlyph(cell.height, cell.width, placed.ch));
    return 1;
}

void CYokoRyoushuCanvas::DrawLines(int firstLine, const QStringList& lines)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        DrawText(firstLine + 2 * int(i), lines[i], 0, 0);
}

void CYokoRyoushuCanvas::DrawImage(int column, int row, const QImage& image)
{
    if (image.isNull() || row >= m_nLines || m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(column * kColumnWidth + kLeft, row * 32 + kTop, PictureOnWhite(image));
}

void CYokoRyoushuCanvas::Underline(int line)
{
    if (m_image.isNull())
        return;
    QPainter painter(&m_image);
    painter.fillRect(QRect(136, line * kLineHeight + 28 - 1, 752 - 136, 2), Qt::black);
}

} // namespace dunmarel
