#pragma once

#include <QImage>
#include <QList>
#include <QPoint>
#include <QString>
#include <QStringList>

namespace dunmarel {

// A character of a text line and the top left of its cell.
struct PlacedChar
{
    char32_t ch;
    QPoint topLeft;
};

// The paper width of a vertical receipt canvas.
struct CanvasGeometry
{
    int leftMargin = 32;     // pixels left of column 0
    int rightMargin = 32;    // pixels right of the last column
    int columns = 32;        // half-width characters per line
    int imageOffset = 0;     // picture position in columns from the left margin
    bool monochrome = false; // pictures pass through the 1-bit buffer

    static CanvasGeometry Paper58mm();
    static CanvasGeometry Paper80mm();
};

// A 58 mm or 80 mm receipt drawn in character cells into an image: 12 pixels
// a column, 14 a line, text and pictures from y = 30, the paper with its
// torn (hatched) top and bottom edges.
class CReceipt80Canvas
{
public:
    static constexpr int kColumnWidth = 12;
    static constexpr int kLineHeight = 14;
    static constexpr int kTop = 30;
    // A canvas never grows past this height, whatever a stored text or
    // picture asks for: lines past it are not drawn.
    static constexpr int kMaxHeight = 32000;
    static constexpr int kMonoWidth = 384;
    static constexpr int kMonoHeight = 168;

    CReceipt80Canvas();
    virtual ~CReceipt80Canvas();

    // The constructor sets the 58 mm values without the 1-bit buffer.
    void SetGeometry(const CanvasGeometry& geometry) { m_geometry = geometry; }
    const CanvasGeometry& Geometry() const { return m_geometry; }

    int Width() const;
    static int HeightOf(int lines) { return lines * kLineHeight + 56; }
    static int MaxLines() { return (kMaxHeight - 56) / kLineHeight; }

    // A white canvas of the given lines (at most MaxLines) with its paper.
    bool Create(int lines);
    void Release();
    bool IsNull() const { return m_image.isNull(); }
    int Lines() const { return m_nLines; }
    const QImage& Image() const { return m_image; }

    // The picture at the line: in colour, or in black and white and cut to
    // 384 x 168 pixels with the monochrome flag. Nothing past the last line.
    void DrawImage(int line, const QImage& image);
    // Text line i at line first + 2 i (each text line takes two lines).
    void DrawLines(int firstLine, const QStringList& lines, int doubleWidth, int align);
    // Where the characters of an aligned line go (spaces included).
    QList<PlacedChar> PlaceText(int line, const QString& text, int doubleWidth, int align) const;
    // sizeKind 0 normal, 1 tall, 2 small; 0 when line lies past the last line.
    int DrawText(int line, const QString& text, int sizeKind, int doubleWidth, int align);

protected:
    // Size kinds the canvas draws (the formal receipt adds 3, tall and wide).
    virtual bool HasSizeKind(int sizeKind) const { return sizeKind >= 0 && sizeKind <= 2; }
    void DrawImageAt(int y, const QImage& image);

private:
    void PaintPaper();

    CanvasGeometry m_geometry;
    int m_nLines = 0;
    QImage m_image;
    QImage m_mono; // the 1-bit buffer of monochrome pictures
};

// A picture as the printer sees it: transparent parts lie on white paper.
QImage PictureOnWhite(const QImage& image);

// A pixel of a picture is printed white when r + g + b >= 383.
bool IsWhiteOnPrinter(QRgb pixel);

} // namespace dunmarel
