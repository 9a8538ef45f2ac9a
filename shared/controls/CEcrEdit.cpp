#include "shared/controls/CEcrEdit.h"

#include "shared/controls/NumberText.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>

namespace {

constexpr int kQtMaxLength = 32767;

// Keys whose text the edit would insert (printable, no Ctrl or Meta).
bool isTypedText(const QKeyEvent* event)
{
    const QString text = event->text();
    if (text.isEmpty() || !(text.at(0).isPrint() || text.at(0).isSurrogate()))
        return false;
    return !(event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier));
}

} // namespace

CEcrEdit::CEcrEdit(QWidget* parent) : QLineEdit(parent)
{
    connect(this, &QLineEdit::textChanged, this, &CEcrEdit::OnTextChanged);
}

CEcrEdit::~CEcrEdit() = default;

void CEcrEdit::SetText(const QString& text)
{
    SetTextRaw(FilterSetText(text));
}

void CEcrEdit::ReplaceSel(const QString& text)
{
    InsertRaw(FilterReplaceSel(text));
}

void CEcrEdit::Paste(QClipboard::Mode mode)
{
    if (isReadOnly() || !IsPasteEnabled())
        return;
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(mode);
    if (!data || !data->hasText())
        return;
    PasteText(data->text());
}

void CEcrEdit::LimitText(int characters)
{
    m_nLimitText = qMax(0, characters);
    ApplyMaxLength(QLineEdit::text().size());
}

void CEcrEdit::ApplyMaxLength(qsizetype textLength)
{
    const int limit = m_nLimitText > 0 ? m_nLimitText : kQtMaxLength;
    setMaxLength(int(qMax<qsizetype>(limit, textLength)));
}

CEcrEdit::CharAction CEcrEdit::OnChar(QChar ch)
{
    if (ch == u'\t')
        return CharAction::Refuse;
    return CharAction::Default;
}

void CEcrEdit::SetTextRaw(const QString& text, bool reformatting)
{
    ApplyMaxLength(text.size());
    const bool saved = m_bReformatting;
    m_bReformatting = reformatting;
    QLineEdit::setText(text);
    m_bReformatting = saved;
}

void CEcrEdit::InsertRaw(const QString& text)
{
    QLineEdit::insert(text);
}

void CEcrEdit::ReplaceTextKeepCaret(const QString& text)
{
    const int caret = SelEnd();
    SetTextRaw(text);
    setCursorPosition(qMin<int>(caret, int(text.size())));
}

void CEcrEdit::OnTextChanged()
{
    ApplyMaxLength(QLineEdit::text().size());
    if (!m_bReformatting)
        OnTextChange();
}

void CEcrEdit::TypeText(const QString& text)
{
    for (QChar ch : text) {
        switch (OnChar(ch)) {
        case CharAction::Refuse:
            break;
        case CharAction::Insert:
            InsertRaw(QString(ch));
            break;
        case CharAction::Default:
            if (!m_bNumberStyle || IsAsciiDigit(ch))
                InsertRaw(QString(ch));
            break;
        }
    }
}

void CEcrEdit::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Tab && (event->modifiers() & Qt::ControlModifier)) {
        event->ignore(); // left to the dialog (tab pages)
        return;
    }
    if (event->matches(QKeySequence::Paste)) {
        Paste();
        event->accept();
        return;
    }
    if (!isReadOnly() && isTypedText(event)) {
        TypeText(event->text());
        event->accept();
        return;
    }
    QLineEdit::keyPressEvent(event);
}

void CEcrEdit::inputMethodEvent(QInputMethodEvent* event)
{
    const QString commit = event->commitString();
    if (commit.isEmpty() || isReadOnly()) {
        QLineEdit::inputMethodEvent(event);
        return;
    }
    // The pre-edit goes its normal way; what the input method commits is
    // typed character by character through the same filter as keys.
    QInputMethodEvent preedit(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preedit);
    TypeText(commit);
    event->accept();
}

std::unique_ptr<QMenu> CEcrEdit::CreateContextMenu()
{
    std::unique_ptr<QMenu> menu(createStandardContextMenu());
    if (!menu)
        return menu;
    // The standard Paste would bypass the filters: route it through ours.
    if (QAction* paste = FindPasteAction(*menu)) {
        disconnect(paste, &QAction::triggered, nullptr, nullptr);
        connect(paste, &QAction::triggered, this, [this] { Paste(); });
    }
    return menu;
}

QAction* CEcrEdit::FindPasteAction(const QMenu& menu)
{
    // Newer Qt names its entries; older ones are known by their (translated) text.
    const QString pasteText = QLineEdit::tr("&Paste");
    for (QAction* action : menu.actions()) {
        if (action->objectName() == QLatin1String("edit-paste") ||
            action->text().section(u'\t', 0, 0) == pasteText)
            return action;
    }
    return nullptr;
}

void CEcrEdit::contextMenuEvent(QContextMenuEvent* event)
{
    std::unique_ptr<QMenu> menu = CreateContextMenu();
    if (!menu) {
        event->ignore();
        return;
    }
    menu->exec(event->globalPos());
    event->accept();
}

void CEcrEdit::mouseReleaseEvent(QMouseEvent* event)
{
    // The X11 selection paste with the middle button goes through our paste.
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        if (!isReadOnly() && IsPasteEnabled()) {
            deselect();
            setCursorPosition(cursorPositionAt(event->position().toPoint()));
            Paste(QClipboard::Selection);
        }
        event->accept();
        return;
    }
    QLineEdit::mouseReleaseEvent(event);
}

void CEcrEdit::dragEnterEvent(QDragEnterEvent* event)
{
    if (!IsPasteEnabled()) {
        event->ignore();
        return;
    }
    QLineEdit::dragEnterEvent(event);
}

void CEcrEdit::dragMoveEvent(QDragMoveEvent* event)
{
    if (!IsPasteEnabled()) {
        event->ignore();
        return;
    }
    QLineEdit::dragMoveEvent(event);
}

void CEcrEdit::dropEvent(QDropEvent* event)
{
    if (isReadOnly() || !IsPasteEnabled() || !event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    // A drop is a paste at the drop point; copied, so a drag out of this edit
    // never removes its source text after the filter changed the drop.
    const int position = cursorPositionAt(event->position().toPoint());
    deselect();
    setCursorPosition(position);
    PasteText(event->mimeData()->text());
    event->setDropAction(Qt::CopyAction);
    event->accept();
    setFocus(Qt::OtherFocusReason);
}
