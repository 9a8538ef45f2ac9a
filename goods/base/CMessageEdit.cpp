#include "goods/base/CMessageEdit.h"

#include "goods/base/CEnterKeyFilter.h"

#include <QKeyEvent>
#include <QMimeData>
#include <QTextBlock>

#include <limits>

CMessageEdit::CMessageEdit(QWidget* parent) : QPlainTextEdit(parent)
{
    setWordWrapMode(QTextOption::WrapAnywhere);
    setTabChangesFocus(true);
    setProperty(kWantReturnProperty, true);
}

CMessageEdit::~CMessageEdit() = default;

void CMessageEdit::SetStoredText(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    setPlainText(shown);
}

QString CMessageEdit::StoredText() const
{
    return ToStoredLineBreaks(toPlainText());
}

QString CMessageEdit::ToStoredLineBreaks(const QString& text)
{
    QString stored;
    stored.reserve(text.size() + text.count(u'\n'));
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch == u'\r') {
            if (i + 1 < text.size() && text.at(i + 1) == u'\n')
                ++i;
            stored += QLatin1String("\r\n");
        } else if (ch == u'\n' || ch == QChar::ParagraphSeparator || ch == QChar::LineSeparator) {
            stored += QLatin1String("\r\n");
        } else {
            stored += ch;
        }
    }
    return stored;
}

qsizetype CMessageEdit::StoredLength(const QString& shown)
{
    return shown.size() + shown.count(u'\n');
}

qsizetype CMessageEdit::Room() const
{
    if (m_nLimit <= 0)
        return std::numeric_limits<qsizetype>::max();
    const qsizetype used =
        StoredLength(toPlainText()) -
        StoredLength(textCursor().selectedText().replace(QChar::ParagraphSeparator, u'\n'));
    return qMax<qsizetype>(0, m_nLimit - used);
}

void CMessageEdit::keyPressEvent(QKeyEvent* event)
{
    const bool lineBreak = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (lineBreak) {
        if (Room() >= 2)
            textCursor().insertText(QStringLiteral("\n"));
        return;
    }
    const QString text = event->text();
    const bool typing = !text.isEmpty() && text[0].isPrint() &&
                        !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (typing && Room() < StoredLength(text))
        return;
    QPlainTextEdit::keyPressEvent(event);
}

void CMessageEdit::insertFromMimeData(const QMimeData* source)
{
    if (!source || !source->hasText())
        return;
    QString text = source->text();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    qsizetype room = Room();
    QString fits;
    for (QChar c : text) {
        const qsizetype cost = c == u'\n' ? 2 : 1;
        if (cost > room)
            break;
        room -= cost;
        fits += c;
    }
    textCursor().insertText(fits);
}
