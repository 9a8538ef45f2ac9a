#include "images/StampText.h"

#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>

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

void DrawStampText(QImage& image, const QFont& font, int alignment, const QString& text,
                   int maximum, int dx, int dy, int layoutWidth)
{
    if (image.isNull())
        return;
    const int width = layoutWidth != 0 ? layoutWidth : image.width();
    const int height = image.height();
    QString wrapped = WrapStampText(text, maximum);
    wrapped.replace(kLineBreak, QStringLiteral("\n"));
    QFont plain = font;
    plain.setStyleStrategy(QFont::NoAntialias);
    const int align = alignment == StampAlignLeft    ? Qt::AlignLeft
                      : alignment == StampAlignRight ? Qt::AlignRight
                                                     : Qt::AlignHCenter;
    const int flags = align | Qt::AlignTop | Qt::TextDontClip;
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::TextAntialiasing, false);
    painter.setFont(plain);
    painter.setPen(Qt::black);
    const QRect block = painter.boundingRect(QRect(0, 0, width, height), flags, wrapped);
    const int left = width / 2 - block.width() / 2 + dx;
    const int top = height / 2 - block.height() / 2 + dy;
    painter.drawText(QRect(left, top, block.width(), block.height()), flags, wrapped);
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
