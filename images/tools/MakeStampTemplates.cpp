// Draws the stamp templates the suite ships: frames and ribbons in 1, 4 and
// 8 bits, one wider than 58 mm paper prints.
#include "images/StampTemplate.h"

#include <QFile>
#include <QImage>
#include <QPainter>

#include <cstdio>

namespace {

QList<QRgb> Greys(int count)
{
    QList<QRgb> table;
    for (int i = 0; i < count; ++i) {
        const int level = i * 255 / (count - 1);
        table << qRgb(level, level, level);
    }
    return table;
}

QImage Canvas(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

// A double frame with square corner marks.
QImage Frame(int width, int height)
{
    QImage image = Canvas(width, height);
    QPainter painter(&image);
    painter.setPen(QPen(Qt::black, 3));
    painter.drawRect(2, 2, width - 5, height - 5);
    painter.setPen(QPen(Qt::black, 1));
    painter.drawRect(8, 8, width - 17, height - 17);
    for (const QPoint corner : {QPoint(0, 0), QPoint(width - 12, 0), QPoint(0, height - 12),
                                QPoint(width - 12, height - 12)})
        painter.fillRect(QRect(corner, QSize(12, 12)), Qt::black);
    return image;
}

// A ribbon in grey steps with folded ends.
QImage Ribbon()
{
    QImage image = Canvas(300, 80);
    QPainter painter(&image);
    for (int band = 0; band < 8; ++band) {
        const int level = 64 + band * 20;
        painter.fillRect(40, 12 + band * 7, 220, 7, QColor(level, level, level));
    }
    const QPolygon left{{0, 20}, {40, 20}, {40, 70}, {0, 70}, {14, 45}};
    const QPolygon right{{300, 20}, {260, 20}, {260, 70}, {300, 70}, {286, 45}};
    painter.setBrush(QColor(40, 40, 40));
    painter.setPen(Qt::NoPen);
    painter.drawPolygon(left);
    painter.drawPolygon(right);
    return image;
}

// Concentric rings in 256 greys.
QImage Badge()
{
    QImage image = Canvas(160, 100);
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    for (int ring = 0; ring < 12; ++ring) {
        const int level = ring * 21;
        painter.setBrush(QColor(level, level, level));
        painter.drawEllipse(QPoint(80, 50), 48 - ring * 4, 48 - ring * 4);
    }
    return image;
}

bool Write(const QString& path, const QImage& image, int bitCount)
{
    QImage source = image;
    if (bitCount < 24)
        source = image.convertToFormat(QImage::Format_Indexed8, Greys(1 << bitCount),
                                       Qt::ThresholdDither);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) &&
           file.write(pellark::MakeStampTemplate(source, bitCount, pellark::kStampTemplateKind)) >
               0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: MakeStampTemplates <folder>\n");
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');
    const bool written = Write(folder + QStringLiteral("Frame.dat"), Frame(200, 60), 1) &&
                         Write(folder + QStringLiteral("Ribbon.dat"), Ribbon(), 4) &&
                         Write(folder + QStringLiteral("Badge.dat"), Badge(), 8) &&
                         Write(folder + QStringLiteral("WideFrame.dat"), Frame(576, 120), 1);
    if (!written) {
        std::fprintf(stderr, "MakeStampTemplates: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}
