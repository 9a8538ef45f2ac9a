#include "images/CImgCanvas.h"

#include "images/MonoConversion.h"

#include "shared/data/ReadImageFile.h"

#include "platform/AtomicFile.h"

#include <QPaintDevice>
#include <QPainter>
#include <QtEndian>

#include <algorithm>

namespace pellark {

namespace {

void PutLe16(QByteArray& bytes, int offset, quint16 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

void PutLe32(QByteArray& bytes, int offset, quint32 value)
{
    qToLittleEndian(value, bytes.data() + offset);
}

constexpr int kMonoHeaderSize = 62;

// What the painter can show; null when it has no device size.
QRect TargetArea(const QPainter& target)
{
    const QPaintDevice* device = target.device();
    if (!device)
        return QRect();
    return target.transform().inverted().mapRect(QRect(0, 0, device->width(), device->height()));
}

} // namespace

bool CImgCanvas::Create(int width, int height)
{
    Release();
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide)
        return false;
    QImage image(width, height, QImage::Format_RGB888);
    if (image.isNull())
        return false;
    image.fill(Qt::white);
    m_image = image;
    return true;
}

bool CImgCanvas::Load(const QString& path)
{
    Release();
    QImage decoded;
    if (!ReadImageFile(path, decoded))
        return false;
    const bool oneBit = decoded.depth() == 1;
    if (!decoded.hasAlphaChannel()) {
        // Opaque: a plain conversion, the same pixels as drawing it.
        m_image = decoded.convertToFormat(QImage::Format_RGB888);
        m_bSourceOneBit = oneBit;
        return !m_image.isNull();
    }
    if (!Create(decoded.width(), decoded.height()))
        return false;
    // Transparent pixels keep some hidden colour (often black): laid on
    // white, a logo on a transparent background stays a logo.
    QPainter painter(&m_image);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.drawImage(0, 0, decoded);
    painter.end();
    m_bSourceOneBit = oneBit;
    return true;
}

void CImgCanvas::Release()
{
    m_image = QImage();
    m_bSourceOneBit = false;
}

void CImgCanvas::SetFrame(bool on, const QColor& color, int width, Qt::PenStyle style)
{
    m_bFrame = on;
    m_frameColor = color;
    m_nFrameWidth = width;
    m_framePenStyle = style;
}

bool CImgCanvas::Draw(QPainter& target, std::optional<QRect> dest,
                      std::optional<QRect> source) const
{
    if (IsEmpty())
        return false;
    const QRect whole(0, 0, Width(), Height());
    const QRect src = source ? source->intersected(whole) : whole;
    const QRect dst = dest ? *dest : QRect(QPoint(0, 0), src.size());
    QImage work;
    if (m_bSourceOneBit)
        work = ConvertOneBit(m_image, src, dst);
    else if (m_nConvert == ConvertDiffuse)
        work = ConvertGrey(m_image, src, dst);
    else
        work = ConvertMono(m_image, src, dst, TargetArea(target));
    const bool converted = !work.isNull();
    if (converted) {
        const QRect visible = Visible(dst);
        target.save();
        target.setCompositionMode(QPainter::CompositionMode_Source);
        target.drawImage(visible.topLeft(), work, visible);
        target.restore();
    }
    if (m_bFrame && m_nFrameWidth != 0)
        DrawFrame(target, dst);
    return converted;
}

void CImgCanvas::DrawFrame(QPainter& target, const QRect& dest) const
{
    const QPaintDevice* device = target.device();
    const int dpiY = device ? device->logicalDpiY() : 96;
    const int dpiX = device ? device->logicalDpiX() : 96;
    target.save();
    target.setRenderHint(QPainter::Antialiasing, false);
    const int right = dest.left() + dest.width();
    const int bottom = dest.top() + dest.height();
    target.setPen(QPen(m_frameColor, std::max(1, m_nFrameWidth * dpiY / 254), m_framePenStyle));
    target.drawLine(dest.left(), dest.top(), right, dest.top());
    target.drawLine(dest.left(), bottom, right, bottom);
    target.setPen(QPen(m_frameColor, std::max(1, m_nFrameWidth * dpiX / 254), m_framePenStyle));
    target.drawLine(dest.left(), dest.top(), dest.left(), bottom);
    target.drawLine(right, dest.top(), right, bottom + 1);
    target.restore();
}

bool CImgCanvas::RenderInto(CImgCanvas& output, const QSize& size, const QRect& dest,
                            const QRect& source) const
{
    if (!output.Create(size.width(), size.height()))
        return false;
    QPainter painter(&output.m_image);
    return Draw(painter, dest, source);
}

bool CImgCanvas::WriteMonoBmp(const QString& path) const
{
    if (IsEmpty())
        return false;
    const int width = Width();
    const int height = Height();
    const int rowLength = ((width + 7) / 8 + 3) / 4 * 4;
    const qint64 imageSize = qint64(rowLength) * height;
    QByteArray bytes(kMonoHeaderSize + imageSize, '\0');
    bytes[0] = 'B';
    bytes[1] = 'M';
    PutLe32(bytes, 2, quint32(kMonoHeaderSize + imageSize));
    PutLe32(bytes, 10, kMonoHeaderSize);
    PutLe32(bytes, 14, 40);
    PutLe32(bytes, 18, quint32(width));
    PutLe32(bytes, 22, quint32(height));
    PutLe16(bytes, 26, 1);
    PutLe16(bytes, 28, 1);
    PutLe32(bytes, 34, quint32(imageSize));
    // Colour 0 black (0, 0, 0, 0), colour 1 white.
    bytes[58] = char(255);
    bytes[59] = char(255);
    bytes[60] = char(255);
    for (int y = 0; y < height; ++y) {
        // Bottom-up: the top row is the file's last.
        char* row = bytes.data() + kMonoHeaderSize + qint64(height - 1 - y) * rowLength;
        const uchar* pixels = m_image.constScanLine(y);
        for (int x = 0; x < width; ++x) {
            const uchar* p = pixels + 3 * x;
            if (p[0] | p[1] | p[2])
                row[x / 8] = char(uchar(row[x / 8]) | (0x80 >> (x % 8)));
        }
    }
    return platform::writeFileAtomically(path, bytes);
}

} // namespace pellark
