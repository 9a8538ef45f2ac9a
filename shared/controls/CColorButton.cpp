#include "shared/controls/CColorButton.h"

#include <QFontMetrics>
#include <QPaintEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <qdrawutil.h>

#include "shared/controls/ToolsColor.h"

namespace {

constexpr int kButtonHeight = 32;
constexpr int kGap = 16;
constexpr int kRowPitch = 44;
constexpr int kBottomMargin = 8;
constexpr int kSideMargin = 32;
constexpr int kTextMargin = 6;

int pitchOf(bool wide)
{
    return CColorButton::CalcButtonWidth(wide) + kGap;
}

} // namespace

CColorButton::CColorButton(QWidget* parent)
    : QPushButton(parent), m_crColor(GetToolsColorRGB(TOOLCOLOR_BTNFACE))
{
}

CColorButton::~CColorButton() = default;

int CColorButton::RowTop(const QRect& client, int border, int row)
{
    const int bottom = client.y() + client.height() - border - kBottomMargin - kRowPitch * row;
    return bottom - kButtonHeight;
}

QRect CColorButton::AdjustCenter(const QRect& client, int border, int index, int count, int row,
                                 bool wide)
{
    const int pitch = pitchOf(wide);
    const int left = client.width() / 2 - (count * pitch - kGap) / 2 + pitch * index;
    return QRect(left, RowTop(client, border, row), CalcButtonWidth(wide), kButtonHeight);
}

QRect CColorButton::AdjustRight(const QRect& client, int border, int index, int row, bool wide)
{
    const int w = CalcButtonWidth(wide);
    const int right = client.x() + client.width();
    const int left = right + border - (index + 1) * w - kGap * (index + 2);
    return QRect(left, RowTop(client, border, row), w, kButtonHeight);
}

QRect CColorButton::AdjustLeft(const QRect& client, int border, int index, int row, bool wide)
{
    const int left = client.x() + pitchOf(wide) * index - border + kSideMargin;
    return QRect(left, RowTop(client, border, row), CalcButtonWidth(wide), kButtonHeight);
}

std::optional<QRect> CColorButton::AdjustRect(const QRect& client, int border, uint align,
                                              int index, int count, int row, bool wide)
{
    switch (align) {
    case 0:
        return AdjustCenter(client, border, index, count, row, wide);
    case 1:
        return AdjustRight(client, border, index, row, wide);
    case 2:
        return AdjustLeft(client, border, index, row, wide);
    default:
        return std::nullopt;
    }
}

void CColorButton::Adjust(QWidget* parent, uint align, int index, int count, int row, bool wide)
{
    if (!parent)
        return;
    // Only a top-level window has a frame round its client area.
    const int border =
        parent->isWindow() ? (parent->frameGeometry().width() - parent->width()) / 2 : 0;
    const auto rect = AdjustRect(parent->rect(), border, align, index, count, row, wide);
    if (!rect)
        return;
    setGeometry(*rect);
    update();
}

int CColorButton::FitFontHeight(int height, int maxWidth, const std::function<int(int)>& textWidth)
{
    while (height > 0 && textWidth(height) > maxWidth)
        --height;
    return height;
}

void CColorButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect item = rect();
    const bool pressed = isDown();
    const QPalette& pal = palette();

    painter.fillRect(item, m_crColor);
    if (hasFocus()) {
        painter.setPen(pal.color(QPalette::WindowText));
        painter.drawRect(item.adjusted(0, 0, -1, -1));
        qDrawWinButton(&painter, item.adjusted(1, 1, -1, -1), pal, pressed);
        painter.fillRect(item.adjusted(2, 2, -2, -2), m_crColor);
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = item.adjusted(4, 4, -4, -4);
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    } else {
        qDrawWinButton(&painter, item, pal, false);
        painter.fillRect(item.adjusted(1, 1, -2, -2), m_crColor);
    }

    const QString label = text();
    if (label.isEmpty())
        return;
    QRect textRect = item;
    if (pressed)
        textRect.translate(1, 1);

    QFont drawFont = font();
    const int startHeight =
        drawFont.pixelSize() > 0 ? drawFont.pixelSize() : QFontInfo(drawFont).pixelSize();
    const int height =
        FitFontHeight(startHeight, item.width() - kTextMargin, [&drawFont, &label](int h) {
            QFont probe = drawFont;
            probe.setPixelSize(h);
            return QFontMetrics(probe).horizontalAdvance(label);
        });
    // A text that fits at no height is not drawn at all.
    if (height <= 0)
        return;
    drawFont.setPixelSize(height);
    painter.setFont(drawFont);

    const int flags = Qt::AlignCenter | Qt::TextSingleLine;
    if (!isEnabled()) {
        // Embossed, as the system draws disabled text.
        painter.setPen(pal.color(QPalette::Light));
        painter.drawText(textRect.translated(1, 1), flags, label);
        painter.setPen(pal.color(QPalette::Disabled, QPalette::ButtonText));
        painter.drawText(textRect, flags, label);
    } else {
        painter.setPen(pal.color(QPalette::ButtonText));
        painter.drawText(textRect, flags, label);
    }
}
