#include "shared/controls/EditSize.h"

#include <QFontMetrics>
#include <QFrame>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QTextEdit>
#include <QtMath>
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
        // What the style draws around an empty line edit: frame and padding.
        QStyleOptionFrame option;
        option.initFrom(edit);
        option.lineWidth =
            edit->hasFrame()
                ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                : 0;
        option.midLineWidth = 0;
        option.state |= QStyle::State_Sunken;
        return edit->style()->sizeFromContents(QStyle::CT_LineEdit, &option, QSize(0, 0), edit);
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
    // A text box keeps its document's margin on either side, and room for
    // the cursor after the last character.
    if (const auto* box = qobject_cast<const QPlainTextEdit*>(widget))
        return 2 * qCeil(box->document()->documentMargin()) + box->cursorWidth();
    if (const auto* box = qobject_cast<const QTextEdit*>(widget))
        return 2 * qCeil(box->document()->documentMargin()) + box->cursorWidth();
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
