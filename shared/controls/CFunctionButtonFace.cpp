#include "shared/controls/CFunctionButtonFace.h"

#include "shared/config/PitchFontName.h"

#include <QFile>
#include <QFontMetrics>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

namespace {

constexpr char kStateLetters[4] = {'N', 'F', 'S', 'D'};
const QSize kImageSize(208, 48);

struct Palette
{
    const char* name;
    QRgb top;
    QRgb bottom;
    QRgb border;
};

// The library's own button colours, drawn here rather than shipped.
constexpr Palette kPalettes[] = {
    {"BTNDARK", 0xff5a5f6b, 0xff2e3138, 0xff1c1e22},
    {"BTNPINK", 0xfffbd3df, 0xfff29ab3, 0xffc9607f},
    {"BTNPURPLE", 0xffe0d3f5, 0xffb79ae6, 0xff7d5bb5},
    {"BTNGREEN", 0xffd5f0cf, 0xff9dd692, 0xff5c9b50},
};

// Disabled faces are light, whatever their colour, so the grey label reads.
QColor grey(const QColor& c)
{
    const int v = 160 + qGray(c.rgb()) * 3 / 10;
    return QColor(v, v, v);
}

QImage drawImage(const Palette& palette, int state)
{
    QColor top(palette.top), bottom(palette.bottom), border(palette.border);
    switch (state) {
    case CFunctionButtonFace::BTNCOND_FOCUS:
        top = top.lighter(112);
        bottom = bottom.lighter(112);
        break;
    case CFunctionButtonFace::BTNCOND_SELECT:
        std::swap(top, bottom); // the pressed look: lit from below
        top = top.darker(110);
        break;
    case CFunctionButtonFace::BTNCOND_DISABLE:
        top = grey(top);
        bottom = grey(bottom);
        border = grey(border);
        break;
    default:
        break;
    }
    QImage image(kImageSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    QLinearGradient gradient(0, 0, 0, kImageSize.height());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    const QRectF frame = QRectF(QPointF(0, 0), kImageSize).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(border, 1));
    painter.setBrush(gradient);
    painter.drawRoundedRect(frame, 6, 6);
    if (state == CFunctionButtonFace::BTNCOND_FOCUS) {
        painter.setPen(QPen(QColor(255, 255, 255, 170), 2));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(2, 2, -2, -2), 5, 5);
    }
    return image;
}

} // namespace

QString CFunctionButtonFace::GetImageName(int type, const QString& controlText)
{
    switch (type) {
    case BTNTYPE_TEMPLATE:
        return controlText;
    case BTNTYPE_PINK:
        return QStringLiteral("BTNPINK");
    case BTNTYPE_PURPLE:
        return QStringLiteral("BTNPURPLE");
    case BTNTYPE_GREEN:
        return QStringLiteral("BTNGREEN");
    default:
        return QStringLiteral("BTNDARK");
    }
}

bool CFunctionButtonFace::LoadImages(const QString& baseName, Images& images)
{
    if (baseName.isEmpty())
        return false;
    Images loaded;
    bool all = true;
    for (int state = 0; state < 4 && all; ++state) {
        const QString path = QStringLiteral(":/buttons/%1%2.png")
                                 .arg(baseName)
                                 .arg(QLatin1Char(kStateLetters[state]));
        all = QFile::exists(path) && loaded[state].load(path);
    }
    if (all) {
        images = loaded;
        return true;
    }
    for (const Palette& palette : kPalettes) {
        if (baseName.compare(QLatin1String(palette.name), Qt::CaseInsensitive) == 0) {
            for (int state = 0; state < 4; ++state)
                images[state] = drawImage(palette, state);
            return true;
        }
    }
    return false;
}

int CFunctionButtonFace::GetCustomFontHeight(const std::function<int(int)>& labelWidth,
                                             int imageWidth)
{
    int height = kLargestHeight;
    while (height > kSmallestHeight && labelWidth(height) > kScale * imageWidth - 136)
        height -= kHeightStep;
    return height;
}

QColor CFunctionButtonFace::GetDrawTextColor(int type, int state)
{
    if (state == BTNCOND_DISABLE)
        return QColor(96, 96, 96);
    return type == BTNTYPE_TEMPLATE || type == BTNTYPE_DARK ? QColor(Qt::white) : QColor(Qt::black);
}

QPoint CFunctionButtonFace::GetDrawTextGeometry(int type, int state, const QSize& imageSize,
                                                int largeLabelWidth, int fontHeight)
{
    int x = type == BTNTYPE_DARK ? 12 : (imageSize.width() - largeLabelWidth / kScale) / 2 - 2;
    int y = type == BTNTYPE_TEMPLATE ? imageSize.height() - 24 : (imageSize.height() - 16) / 2 - 2;
    if (state == BTNCOND_SELECT) {
        x += 2;
        y += 2;
    }
    // A smaller label stays in the middle of the line.
    y += (kLargestHeight - fontHeight) / kHeightStep;
    return {x, y};
}

QFont CFunctionButtonFace::LabelFont(int height)
{
    QFont font(GetPropoPitchFontName());
    font.setPixelSize(height);
    font.setWeight(QFont::Bold);
    font.setStyleStrategy(QFont::PreferAntialias);
    return font;
}

void CFunctionButtonFace::SetButtonText(Images& images, int type, const QString& label)
{
    for (int state = 0; state < 4; ++state)
        SetDrawText(images[state], type, state, label);
}

void CFunctionButtonFace::SetDrawText(QImage& image, int type, int state, const QString& label)
{
    if (label.isEmpty() || image.isNull())
        return;
    const int height = GetCustomFontHeight(
        [&label](int h) { return QFontMetrics(LabelFont(h)).horizontalAdvance(label); },
        image.width());
    const QFont font = LabelFont(height);
    const QFontMetrics metrics(font);
    const int largeWidth = metrics.horizontalAdvance(label);
    if (largeWidth <= 0)
        return;

    // Drawn large on a transparent scratch image, then shrunk smoothly and
    // laid over the picture: the label keeps soft edges at its small size.
    QImage large(largeWidth, metrics.height(), QImage::Format_ARGB32_Premultiplied);
    large.fill(Qt::transparent);
    {
        QPainter painter(&large);
        painter.setRenderHint(QPainter::TextAntialiasing);
        painter.setFont(font);
        painter.setPen(GetDrawTextColor(type, state));
        painter.drawText(0, metrics.ascent(), label);
    }
    const QImage small =
        large.scaled(qMax(1, largeWidth / kScale), qMax(1, metrics.height() / kScale),
                     Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    if (image.format() != QImage::Format_ARGB32_Premultiplied)
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter painter(&image);
    painter.drawImage(GetDrawTextGeometry(type, state, image.size(), largeWidth, height), small);
}
