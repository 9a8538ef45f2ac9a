#include "bases/CReceipt80Canvas.h"

#include "bases/CanvasFonts.h"
#include "bases/ReceiptText.h"

#include <QPainter>

namespace dunmarel {

namespace {

// Cell sizes (height, width in pixels) of the size kinds, single and double width.
struct CellSize
{
    int height;
    int width;
};
constexpr CellSize kCells[4][2] = {
    {{20, 10}, {20, 20}}, // normal
    {{40, 10}, {40, 20}}, // tall
    {{10, 10}, {10, 20}}, // small
    {{40, 20}, {40, 20}}, // tall and double width
};

} // namespace

CanvasGeometry CanvasGeometry::Paper58mm()
{
    return {32, 32, 32, 0, true};
}

CanvasGeometry CanvasGeometry::Paper80mm()
{
    return {62, 62, 40, -4, false};
}

QImage PictureOnWhite(const QImage& image)
{
    if (!image.hasAlphaChannel())
        return image.convertToFormat(QImage::Format_RGB32);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, image);
    return flat;
}

bool IsWhiteOnPrinter(QRgb pixel)
{
    return qRed(pixel) + qGreen(pixel) + qBlue(pixel) >= 383;
}

CReceipt80Canvas::CReceipt80Canvas() : m_geometry{32, 32, 32, 0, false}
{
    m_mono = QImage(kMonoWidth, kMonoHeight, QImage::Format_Mono);
    m_mono.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    m_mono.fill(1);
}

CReceipt80Canvas::~CReceipt80Canvas() = default;

int CReceipt80Canvas::Width() const
{
    return m_geometry.leftMargin + m_geometry.columns * kColumnWidth + m_geometry.rightMargin;
}

bool CReceipt80Canvas::Create(int lines)
{
    Release();
    lines = qBound(0, lines, MaxLines());
    m_image = QImage(Width(), HeightOf(lines), QImage::Format_RGB32);
    if (m_image.isNull())
        return false;
    m_nLines = lines;
    PaintPaper();
    return true;
}

void CReceipt80Canvas::Release()
{
    m_image = QImage();
    m_nLines = 0;
}

// The paper inside a 4-pixel border: torn edges 5 pixels high, hatched, at
// the top and 20 pixels below the last text line; solid sides.
void CReceipt80Canvas::PaintPaper()
{
    m_image.fill(Qt::white);
    const int left = 4;
    const int top = 4;
    const int right = m_image.width() - 4;
    const int bottom = m_image.height() - 22 - 4 + 20;
    QPainter painter(&m_image);
    const QBrush hatch(Qt::black, Qt::DiagCrossPattern);
    for (int y : {top + 1, bottom})
        painter.fillRect(QRect(left, y - 2, right - 1 - left, 5), hatch);
    for (int x : {left, right})
        painter.fillRect(QRect(x, top + 1, 1, bottom - top - 1), Qt::black);
}

void CReceipt80Canvas::DrawImage(int line, const QImage& image)
{
    if (line >= m_nLines || image.isNull() || m_image.isNull())
        return;
    DrawImageAt(line * kLineHeight + kTop, image);
}

void CReceipt80Canvas::DrawImageAt(int y, const QImage& image)
{
    const int x = m_geometry.leftMargin + m_geometry.imageOffset * kColumnWidth + 2;
    QPainter painter(&m_image);
    if (!m_geometry.monochrome) {
        painter.drawImage(x, y, PictureOnWhite(image));
        return;
    }
    // Cleared for every picture: a small picture must not show the last one around it.
    m_mono.fill(1);
    const int w = qMin(image.width(), kMonoWidth);
    const int h = qMin(image.height(), kMonoHeight);
    const QImage flat = PictureOnWhite(image.copy(0, 0, w, h));
    for (int row = 0; row < h; ++row) {
        const auto* src = reinterpret_cast<const QRgb*>(flat.constScanLine(row));
        uchar* dst = m_mono.scanLine(row);
        for (int col = 0; col < w; ++col)
            if (!IsWhiteOnPrinter(src[col]))
                dst[col >> 3] &= uchar(~(0x80 >> (col & 7)));
    }
    // Only the picture's part of the buffer: the rest would cover the paper's edge.
    painter.drawImage(QPoint(x, y), m_mono, QRect(0, 0, w, h));
}

void CReceipt80Canvas::DrawLines(int firstLine, const QStringList& lines, int doubleWidth,
                                 int align)
{
    for (qsizetype i = 0; i < lines.size(); ++i)
        DrawText(firstLine + 2 * int(i), lines[i], 0, doubleWidth, align);
}

QList<PlacedChar> CReceipt80Canvas::PlaceText(int line, const QString& text, int doubleWidth,
                                              int align) const
{
    QList<PlacedChar> placed;
    const int y = line * kLineHeight + kTop;
    int advance = 0;
    for (char32_t ch : AlignLine(text, m_geometry.columns, doubleWidth, align).toUcs4()) {
        placed.append({ch, QPoint(m_geometry.leftMargin + advance + 2, y)});
        advance += CharAdvance(IsFullWidthChar(ch), doubleWidth);
    }
    return placed;
}

int CReceipt80Canvas::DrawText(int line, const QString& text, int sizeKind, int doubleWidth,
                               int align)
{
    if (line >= m_nLines || m_image.isNull())
        return 0;
    if (!HasSizeKind(sizeKind))
        sizeKind = 0;
    const CellSize cell = kCells[sizeKind][doubleWidth == 1 ? 1 : 0];
    const QFont& font = CanvasFont(cell.height, cell.width);
    QPainter painter(&m_image);
    painter.setFont(font);
    painter.setPen(Qt::black);
    for (const PlacedChar& placed : PlaceText(line, text, doubleWidth, align))
        if (placed.ch != u' ')
            painter.drawStaticText(placed.topLeft, CanvasGlyph(cell.height, cell.width, placed.ch));
    return 1;
}

} // namespace dunmarel
