#include "images/MonoConversion.h"

#include <QPainter>

#include <algorithm>
#include <vector>

namespace pellark {

namespace {

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kBlack = qRgb(0, 0, 0);

QImage WorkImage(const QRect& dest, QRgb fill)
{
    QImage work(WorkSize(dest), QImage::Format_RGB888);
    work.fill(fill);
    return work;
}

// The source part smoothly scaled to the destination size (unchanged at
// the same size), laid on the work image at the destination.
void PlaceScaled(QImage& work, const QImage& picture, const QRect& source, const QRect& dest)
{
    QImage part = picture.copy(source);
    if (part.size() != dest.size())
        part = part.scaled(dest.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&work);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(dest.topLeft(), part);
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

QImage ConvertMono(const QImage& picture, const QRect& source, const QRect& dest)
{
    if (!Usable(picture, source, dest))
        return QImage();
    QImage work = WorkImage(dest, kWhite);
    PlaceScaled(work, picture, source, dest);
    const QRect visible = Visible(dest);
    for (int y = visible.top(); y <= visible.bottom(); ++y)
        for (int x = visible.left(); x <= visible.right(); ++x) {
            const QRgb p = work.pixel(x, y);
            work.setPixel(x, y, qRed(p) + qGreen(p) + qBlue(p) >= 383 ? kWhite : kBlack);
        }
    return work;
}

QImage ConvertGrey(const QImage& picture, const QRect& source, const QRect& dest)
{
    if (!Usable(picture, source, dest))
        return QImage();
    QImage work = WorkImage(dest, qRgb(128, 128, 128));
    PlaceScaled(work, picture, source, dest);
    ErrorDiffuse(work);
    return work;
}

void ErrorDiffuse(QImage& image)
{
    const int width = image.width();
    std::vector<double> current(size_t(width) + 2, 0.0);
    std::vector<double> next(size_t(width) + 2, 0.0);
    for (int y = image.height() - 1; y >= 0; --y) {
        std::fill(next.begin(), next.end(), 0.0);
        for (int x = 0; x < width; ++x) {
            const QRgb p = image.pixel(x, y);
            double v = (qBlue(p) + qGreen(p) + qRed(p)) / 755.0 + current[size_t(x)];
            if (v >= 1.0) {
                image.setPixel(x, y, kWhite);
                v -= 1.0;
            } else {
                image.setPixel(x, y, kBlack);
            }
            current[size_t(x) + 1] += v * 0.4375;
            if (x > 0)
                next[size_t(x) - 1] += v * 0.1875;
            next[size_t(x)] += v * 0.3125;
            next[size_t(x) + 1] += v * 0.0625;
        }
        current.swap(next);
    }
}

} // namespace pellark
