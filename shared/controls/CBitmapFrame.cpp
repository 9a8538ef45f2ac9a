#include "shared/controls/CBitmapFrame.h"

#include "shared/lang/CSarvikApp.h"
#include "shared/config/PitchFontName.h"

#include <QFontMetrics>
#include <QImage>
#include <QPainter>
#include <QPixmap>

namespace {

constexpr int kStartHeight = 32;
constexpr int kCanvasMargin = 40;
const QPoint kTextOrigin(13, 8);

} // namespace

CBitmapFrame::CBitmapFrame(QWidget* parent) : QLabel(parent) {}

CBitmapFrame::~CBitmapFrame() = default;

int CBitmapFrame::GetCustomFontHeight(int canvasWidth, const std::function<int(int)>& textWidth)
{
    int height = kStartHeight;
    while (height > 1 && textWidth(height) > canvasWidth - kCanvasMargin)
        --height;
    return height;
}

bool CBitmapFrame::SetFrameText(const QString& key)
{
    const QPixmap current = pixmap();
    if (current.isNull())
        return true;
    const QString text = LoadCommonString(key);
    const int w = current.width();
    const int h = current.height();

    // The text is drawn at twice the size and shrunk, which smooths it.
    QImage canvas(2 * w, 2 * h, QImage::Format_RGB32);
    canvas.fill(Qt::white);
    QFont font(GetPropoPitchFontName());
    font.setStyleStrategy(QFont::PreferAntialias);
    const int height = GetCustomFontHeight(canvas.width(), [&font, &text](int px) {
        QFont probe = font;
        probe.setPixelSize(px);
        return QFontMetrics(probe).horizontalAdvance(text);
    });
    font.setPixelSize(height);
    {
        QPainter painter(&canvas);
        painter.setFont(font);
        painter.setPen(Qt::black);
        painter.drawText(QRect(0, (kStartHeight - height) / 2, canvas.width(), canvas.height()),
                         Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text);
    }

    // Black wins over the picture, white leaves it as it was.
    QImage picture = current.toImage().convertToFormat(QImage::Format_RGB32);
    {
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Darken);
        painter.drawImage(QRect(kTextOrigin, QSize(w, h)),
                          canvas.scaled(w, h, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
    }
    setPixmap(QPixmap::fromImage(picture));
    return true;
}
