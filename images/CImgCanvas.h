#pragma once

#include <QColor>
#include <QImage>
#include <QRect>
#include <QString>

#include <optional>

class QPainter;

namespace pellark {

// The program's picture holder: a 24-bit picture that draws itself scaled
// and converted to black and white, and writes itself as the printer's
// 1-bit BMP. No widgets: the list's preview, the editor and its renderer
// all draw through it.
class CImgCanvas
{
public:
    enum EConvert { ConvertNearest = 0, ConvertDiffuse = 1 };

    // A white canvas; false (and empty) for a size that cannot be made.
    bool Create(int width, int height);
    // Decodes the file (ReadImageFile) onto a new canvas; a transparent
    // picture is laid on white first. Remembers whether the file was 1-bit.
    bool Load(const QString& path);
    void Release();

    // Draws the source rectangle (all of the canvas when none; clamped to
    // it) converted into the destination rectangle (the source's size at
    // (0, 0) when none). False when empty or nothing could be converted.
    bool Draw(QPainter& target, std::optional<QRect> dest = std::nullopt,
              std::optional<QRect> source = std::nullopt) const;
    // Makes output a white canvas of the size and draws this one into it.
    bool RenderInto(CImgCanvas& output, const QSize& size, const QRect& dest,
                    const QRect& source) const;
    // The canvas as a 1-bit BMP file, written beside the path and renamed
    // over it: a failed write leaves the old file.
    bool WriteMonoBmp(const QString& path) const;

    bool IsEmpty() const { return m_image.isNull(); }
    int Width() const { return m_image.width(); }
    int Height() const { return m_image.height(); }
    const QImage& Image() const { return m_image; }
    QImage& Image() { return m_image; }

    bool IsSourceOneBit() const { return m_bSourceOneBit; }
    int ConvertMode() const { return m_nConvert; }
    void SetConvertMode(int mode) { m_nConvert = mode; }
    // The frame around the drawn picture (the editor's red dotted line).
    void SetFrame(bool on, const QColor& color = Qt::black, int width = 10,
                  Qt::PenStyle style = Qt::SolidLine);
    bool HasFrame() const { return m_bFrame; }

private:
    void DrawFrame(QPainter& target, const QRect& dest) const;

    QImage m_image;
    bool m_bSourceOneBit = false;
    int m_nConvert = ConvertNearest;
    bool m_bFrame = false;
    QColor m_frameColor = Qt::black;
    int m_nFrameWidth = 10;
    Qt::PenStyle m_framePenStyle = Qt::SolidLine;
};

} // namespace pellark
