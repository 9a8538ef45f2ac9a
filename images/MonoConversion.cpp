#include "images/MonoConversion.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace pellark {

namespace {

const QRgb kWhite = qRgb(255, 255, 255);

// Null when it cannot be allocated: the conversion then draws nothing.
QImage WorkImage(const QRect& dest, QRgb fill)
{
    QImage work(WorkSize(dest), QImage::Format_RGB888);
    if (!work.isNull())
        work.fill(fill);
    return work;
}

// The source part laid on the work image at the destination: copied at the
// same size; shrunk by area average (the result is never larger than the
// picture); enlarged by a smooth transform that only touches what the work
// image shows, so a large zoom never makes a huge copy.
void PlaceScaled(QImage& work, const QImage& picture, const QRect& source, const QRect& dest)
{
    QPainter painter(&work);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    if (dest.size() == source.size()) {
        painter.drawImage(dest.topLeft(), picture, source);
    } else if (qint64(dest.width()) * dest.height() <= qint64(source.width()) * source.height()) {
        painter.drawImage(dest.topLeft(),
                          picture.copy(source).scaled(dest.size(), Qt::IgnoreAspectRatio,
                                                      Qt::SmoothTransformation));
    } else {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(QRectF(dest), picture, QRectF(source));
    }
}

bool Usable(const QImage& picture, const QRect& source, const QRect& dest)
{
    return !picture.isNull() && !source.isEmpty() && !dest.isEmpty() && !WorkSize(dest).isEmpty();
}

} // namespace

QSize WorkSize(const QRect& dest)
{
    const int width = dest.left() > 0 ? dest.left() + dest.width() : dest.width();
    const int height = dest.top() > 0 ? dest.top() + dest.height() : dest.height();
    return QSize(width, height);
}

QRect Visible(const QRect& dest)
{
    return dest.intersected(QRect(QPoint(0, 0), WorkSize(dest)));
}

QImage ConvertOneBit(const QImage& picture, const QRect& source, const QRect& dest)
{
    if (!Usable(picture, source, dest))
        return QImage();
    QImage work = WorkImage(dest, kWhite);
    if (work.isNull())
        return work;
    const QRect visible = Visible(dest);
    const qint64 sw = source.width(), sh = source.height();
    const qint64 dw = dest.width(), dh = dest.height();
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        const qint64 dy = y - dest.top();
        const int y0 = int(dy * sh / dh);
        const int y1 = std::max<int>(y0 + 1, int(((dy + 1) * sh + dh - 1) / dh));
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const qint64 dx = x - dest.left();
            const int x0 = int(dx * sw / dw);
            const int x1 = std::max<int>(x0 + 1, int(((dx + 1) * sw + dw - 1) / dw));
            QRgb combined = 0xffffffu;
            for (int sy = y0; sy < y1; ++sy)
                for (int sx = x0; sx < x1; ++sx)
                    combined &= picture.pixel(source.left() + sx, source.top() + sy);
            work.setPixel(x, y, qRgb(qRed(combined), qGreen(combined), qBlue(combined)));
        }
    }
    return work;
}

QImage ConvertMono(const QImage& picture, const QRect& source, const QRect& dest,
                   const QRect& shown)
{
    if (!Usable(picture, source, dest))
        return QImage();
    QImage work = WorkImage(dest, kWhite);
    if (work.isNull())
        return work;
    PlaceScaled(work, picture, source, dest);
    // Each pixel on its own: only what is shown needs the threshold.
    const QRect visible = shown.isNull() ? Visible(dest) : Visible(dest).intersected(shown);
    for (int y = visible.top(); y <= visible.bottom(); ++y) {
        uchar* p = work.scanLine(y) + 3 * visible.left();
        for (int x = visible.left(); x <= visible.right(); ++x, p += 3) {
            const uchar v = p[0] + p[1] + p[2] >= 383 ? 255 : 0;
            p[0] = p[1] = p[2] = v;
        }
    }
    return work;
}

QImage ConvertGrey(const QImage& picture, const QRect& source, const QRect& dest)
{
    if (!Usable(picture, source, dest))
        return QImage();
    QImage work = WorkImage(dest, qRgb(128, 128, 128));
    if (work.isNull())
        return work;
    PlaceScaled(work, picture, source, dest);
    ErrorDiffuse(work);
    return work;
}

void ErrorDiffuse(QImage& image)
{
    if (image.format() != QImage::Format_RGB888)
        image = image.convertToFormat(QImage::Format_RGB888);
    const int width = image.width();
    std::vector<double> current(size_t(width) + 2, 0.0);
    std::vector<double> next(size_t(width) + 2, 0.0);
    for (int y = image.height() - 1; y >= 0; --y) {
        std::fill(next.begin(), next.end(), 0.0);
        uchar* p = image.scanLine(y);
        for (size_t x = 0; x < size_t(width); ++x, p += 3) {
            double v = (p[0] + p[1] + p[2]) / 755.0 + current[x];
            if (v >= 1.0) {
                p[0] = p[1] = p[2] = 255;
                v -= 1.0;
            } else {
                p[0] = p[1] = p[2] = 0;
            }
            current[x + 1] += v * 0.4375;
            if (x > 0)
                next[x - 1] += v * 0.1875;
            next[x] += v * 0.3125;
            next[x + 1] += v * 0.0625;
        }
        current.swap(next);
    }
}

} // namespace pellark
