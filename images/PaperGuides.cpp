#include "images/PaperGuides.h"

#include "shared/lang/CProgramLang.h"

#include <QPainter>
#include <QWidget>

#include <algorithm>

namespace pellark {

namespace {

constexpr int kLabelGap = 8;
constexpr int kTick = 30;

} // namespace

void DrawPaperGuides(QPainter& painter, const QWidget& widget, const QRect& area, int x58,
                     const char* label58Key)
{
    const int right = area.left() + area.width();
    const int bottom = area.top() + area.height();
    painter.save();
    // The line inverts what lies under it, so it shows on black and white.
    painter.setCompositionMode(QPainter::RasterOp_NotDestination);
    painter.setPen(QPen(Qt::black, std::max(1, widget.logicalDpiX() / 254), Qt::DashDotDotLine));
    painter.drawLine(x58, area.top(), x58, bottom);
    painter.drawLine(x58, bottom, x58, bottom + kTick);
    painter.drawLine(right, bottom, right, bottom + kTick);
    painter.restore();

    painter.save();
    QFont bold = widget.font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(Qt::black);
    const QFontMetrics metrics(bold);
    const auto label = [&](const char* key, int endX) {
        const QString text = GetLangString(QLatin1String(key));
        const int width = metrics.horizontalAdvance(text);
        painter.drawText(
            QRect(endX - kLabelGap - width, bottom + kLabelGap, width, metrics.height()),
            Qt::AlignLeft | Qt::AlignTop, text);
    };
    label(label58Key, x58);
    label("CRDS_IM_MSG_80mmSEPARATE", right);
    painter.restore();
}

} // namespace pellark
