#include "images/StampText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

#include <algorithm>
#include <cmath>

namespace pellark {

namespace {

const QString kLineBreak = QStringLiteral("\r\n");

void AppendCut(QString& out, QStringView line, int maximum)
{
    if (maximum <= 0 || line.size() < maximum) {
        out += line;
        return;
    }
    for (qsizetype at = 0; at < line.size(); at += maximum) {
        if (at > 0)
            out += kLineBreak;
        out += line.mid(at, maximum);
    }
}

int ScreenDpiY()
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->logicalDotsPerInchY()) : 96;
}

} // namespace

QString WrapStampText(const QString& text, int maximum)
{
    QString out;
    qsizetype start = 0;
    for (;;) {
        const qsizetype end = text.indexOf(kLineBreak, start);
        if (end < 0) {
            AppendCut(out, QStringView(text).mid(start), maximum);
            return out;
        }
        AppendCut(out, QStringView(text).mid(start, end - start), maximum);
        out += kLineBreak;
        start = end + kLineBreak.size();
    }
}

QString EscapeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\\')
            out += QStringLiteral("\\\\");
        else
            out += c;
    }
    return out;
}

QString UnescapeText(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const QChar next = i + 1 < text.size() ? text[i + 1] : QChar();
        if (c == u'\\' && (next == u'r' || next == u'n' || next == u'\\')) {
            out += next == u'r' ? QChar(u'\r') : next == u'n' ? QChar(u'\n') : QChar(u'\\');
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}

namespace {

// The text as drawn: wrapped, its format flags and its font.
struct StampBlock
{
    QString lines;
    int flags = 0;
    QFont font;
};

StampBlock MakeBlock(const QFont& font, int alignment, const QString& text, int maximum)
{
    StampBlock block;
    block.lines = WrapStampText(text, maximum);
    block.lines.replace(kLineBreak, QStringLiteral("\n"));
    block.font = font;
    block.font.setStyleStrategy(QFont::NoAntialias);
    const int align = alignment == StampAlignLeft    ? Qt::AlignLeft
                      : alignment == StampAlignRight ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
    block.flags = align | Qt::AlignTop | Qt::TextDontClip;
    return block;
}

QSize BlockSize(const StampBlock& block)
{
    return QFontMetrics(block.font).boundingRect(QRect(), block.flags, block.lines).size();
}

bool IsInk(const QImage& image, int x, int y)
{
    return (image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF;
}

bool AnyInk(const QImage& image, const QRect& rect)
{
    for (int y = rect.top(); y <= rect.bottom(); ++y)
        for (int x = rect.left(); x <= rect.right(); ++x)
            if (IsInk(image, x, y))
                return true;
    return false;
}

// Where a block of size goes when centred on within.
QRect CentredBlock(const QRect& within, const QSize& size)
{
    return QRect(within.left() + within.width() / 2 - size.width() / 2,
                 within.top() + within.height() / 2 - size.height() / 2, size.width(),
                 size.height());
}

// The box around the centre of rect that dots close on all four sides,
// seen along the lines through the centre; empty when there is none.
// Marks inside it (a frame's corners) are left to the caller.
QRect EnclosedBox(const QImage& image, const QRect& rect)
{
    const QPoint centre = rect.center();
    if (IsInk(image, centre.x(), centre.y()))
        return {};
    int left = centre.x();
    while (left >= rect.left() && !IsInk(image, left, centre.y()))
        --left;
    int right = centre.x();
    while (right <= rect.right() && !IsInk(image, right, centre.y()))
        ++right;
    int top = centre.y();
    while (top >= rect.top() && !IsInk(image, centre.x(), top))
        --top;
    int bottom = centre.y();
    while (bottom <= rect.bottom() && !IsInk(image, centre.x(), bottom))
        ++bottom;
    if (left < rect.left() || right > rect.right() || top < rect.top() || bottom > rect.bottom())
        return {};
    return QRect(QPoint(left + 1, top + 1), QPoint(right - 1, bottom - 1));
}

void PreparePainter(QPainter& painter, const StampBlock& block)
{
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(block.font);
    painter.setPen(Qt::black);
}

// Whether the block drawn at placed keeps every dot within room: drawn
// again alone, with a margin for glyphs that reach past their box.
bool DotsWithin(const StampBlock& block, const QRect& placed, const QRect& room)
{
    const int margin = QFontMetrics(block.font).height();
    const QRect probed = placed.adjusted(-margin, -margin, margin, margin);
    if (room.contains(probed))
        return true;
    QImage probe(probed.size(), QImage::Format_RGB32);
    probe.fill(Qt::white);
    {
        QPainter painter(&probe);
        PreparePainter(painter, block);
        painter.drawText(placed.translated(-probed.topLeft()), block.flags, block.lines);
    }
    for (int y = 0; y < probe.height(); ++y)
        for (int x = 0; x < probe.width(); ++x)
            if (IsInk(probe, x, y) && !room.contains(probed.topLeft() + QPoint(x, y)))
                return false;
    return true;
}

} // namespace

bool DrawStampText(QImage& image, const QFont& font, int alignment, const QString& text,
                   int maximum, int dx, int dy, const QRect& area, const QRect& room)
{
    if (image.isNull())
        return true;
    const QRect within = area.isEmpty() ? image.rect() : area;
    const StampBlock block = MakeBlock(font, alignment, text, maximum);
    QPainter painter(&image);
    PreparePainter(painter, block);
    const QRect bounds =
        painter.boundingRect(QRect(QPoint(0, 0), within.size()), block.flags, block.lines);
    const QRect placed = CentredBlock(within, bounds.size()).translated(dx, dy);
    painter.drawText(placed, block.flags, block.lines);
    painter.end();
    return DotsWithin(block, placed, room.isEmpty() ? image.rect() : room & image.rect());
}

QSize StampTextSize(const QFont& font, int alignment, const QString& text, int maximum)
{
    return BlockSize(MakeBlock(font, alignment, text, maximum));
}

QRect StampTextArea(const QImage& stamp, const QRect& placed, const QRect& page, const QSize& block)
{
    const QRect drawn = placed.intersected(page).intersected(stamp.rect());
    if (drawn.isEmpty())
        return page;
    // The text stands centred in the box, so only that part need be white.
    const QRect free = EnclosedBox(stamp, drawn);
    if (!free.isEmpty() && free.width() >= block.width() && free.height() >= block.height() &&
        !AnyInk(stamp, CentredBlock(free, block)))
        return free;
    // Below the template; a block higher than the room left starts right
    // under it.
    const int top = drawn.bottom() + 1;
    return QRect(page.left(), top, page.width(),
                 std::max(page.bottom() + 1 - top, std::max(block.height(), 1)));
}

QFont StampFont(const QString& face, int height, int weight, bool italic)
{
    QFont font(face);
    const int pixels = height == 0 ? 20 * ScreenDpiY() / 72 : std::abs(height);
    font.setPixelSize(qMax(1, pixels));
    if (weight > 0)
        font.setWeight(QFont::Weight(qBound(1, weight, 1000)));
    font.setItalic(italic);
    font.setStyleStrategy(QFont::NoAntialias);
    return font;
}

int StampFontHeight(const QFont& font)
{
    if (font.pixelSize() > 0)
        return -font.pixelSize();
    return -qRound(font.pointSizeF() * ScreenDpiY() / 72.0);
}

} // namespace pellark
