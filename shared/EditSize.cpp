#include "EditSize.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLineEdit>
#include <QStyle>
#include <QStyleOptionFrame>

namespace {

// QLineEdit keeps 2 pixels beside and 1 above and below its text on its own.
constexpr int kLineEditSideMargin = 2;

// What a widget draws around its contents: the Qt counterpart of the
// difference between window and client size.
QSize frameSize(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        if (!edit->hasFrame())
            return {0, 0};
        QStyleOptionFrame option;
        option.initFrom(edit);
        const int frame = edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit);
        return {2 * frame, 2 * frame};
    }
    if (const auto* frame = qobject_cast<const QFrame*>(widget))
        return {2 * frame->frameWidth(), 2 * frame->frameWidth()};
    const QRect contents = widget->contentsRect();
    return {widget->width() - contents.width(), widget->height() - contents.height()};
}

int horizontalTextMargins(const QWidget* widget)
{
    if (const auto* edit = qobject_cast<const QLineEdit*>(widget)) {
        const QMargins margins = edit->textMargins();
        return margins.left() + margins.right() + 2 * kLineEditSideMargin;
    }
    return 0;
}

} // namespace

QRect GetEditOneCharRect(const QFont& font, const QWidget* widget)
{
    const QFontMetrics metrics(font, widget);
    return QRect(0, 0, metrics.horizontalAdvance(QLatin1Char('0')), metrics.height());
}

void SetEditSize(const QFont& font, QWidget* widget, int lines, int characters, int flags)
{
    if (!widget)
        return;
    QSize size = widget->size();
    const QSize frame = frameSize(widget);
    if ((flags & EDITSIZE_WIDTH) && characters > 0) {
        const QFontMetrics metrics(font, widget);
        size.setWidth(metrics.horizontalAdvance(QString(characters, u'X')) +
                      horizontalTextMargins(widget) + frame.width() + 4);
    }
    if ((flags & EDITSIZE_HEIGHT) && lines > 0)
        size.setHeight(lines * GetEditOneCharRect(font, widget).height() + frame.height() + 2);
    widget->resize(size);
}
