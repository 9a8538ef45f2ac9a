#pragma once

#include <QClipboard>
#include <QLineEdit>

#include <memory>

class QAction;
class QMenu;

// The base edit of every settings program. Every way text can enter (typed
// keys, input-method commits, paste, drops and text set from code) passes
// through one of the hooks below, so subclasses filter all of them in one place.
// Set texts only with SetText: QLineEdit::setText is not virtual.
class CEcrEdit : public QLineEdit
{
    Q_OBJECT

public:
    explicit CEcrEdit(QWidget* parent = nullptr);
    ~CEcrEdit() override;

    // Text set from code; filtered as the edit filters texts from outside.
    void SetText(const QString& text);
    // Hides QLineEdit::setText so that calls through the edit's own type are filtered too.
    void setText(const QString& text) { SetText(text); }
    // Replaces the selection (undoable), filtered like a paste.
    void ReplaceSel(const QString& text);
    // Pastes the clipboard text as the edit allows.
    void Paste(QClipboard::Mode mode = QClipboard::Clipboard);

    // The number style lets only digits be typed; pastes and drops are the
    // edits' own business.
    void SetNumberStyle(bool numberStyle) { m_bNumberStyle = numberStyle; }
    bool HasNumberStyle() const { return m_bNumberStyle; }

    // Limits what typing and pasting can add; a longer text already shown is
    // kept whole (QLineEdit would cut it).
    void LimitText(int characters);
    int GetLimitText() const { return m_nLimitText; }

    // The context menu this edit would show; null when it shows none.
    virtual std::unique_ptr<QMenu> CreateContextMenu();
    // The Paste entry of a standard edit context menu, or null.
    static QAction* FindPasteAction(const QMenu& menu);

protected:
    enum class CharAction { Default, Refuse, Insert };

    // A typed character: Default lets the number style decide, Insert puts it
    // in unfiltered, Refuse drops it.
    virtual CharAction OnChar(QChar ch);
    // Texts from outside (SetText) and replace-selection requests.
    virtual QString FilterSetText(const QString& text) { return text; }
    virtual QString FilterReplaceSel(const QString& text) { return text; }
    virtual bool IsPasteEnabled() const { return true; }
    // Clipboard or dropped text arriving at the caret.
    virtual void PasteText(const QString& text) { ReplaceSel(text); }
    // After every change of the text, unless the edit is setting its own text.
    virtual void OnTextChange() {}

    // The edit's own text and insertions, unfiltered.
    void SetTextRaw(const QString& text, bool reformatting = true);
    void InsertRaw(const QString& text);
    bool IsReformatting() const { return m_bReformatting; }
    // The selection as [SelStart, SelEnd); a caret is an empty selection.
    int SelStart() const { return hasSelectedText() ? selectionStart() : cursorPosition(); }
    int SelEnd() const { return hasSelectedText() ? selectionEnd() : cursorPosition(); }
    // Sets a re-formatted text and puts the caret where it was, or at the end.
    void ReplaceTextKeepCaret(const QString& text);

    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dragMoveEvent(QDragMoveEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void TypeText(const QString& text);
    void OnTextChanged();
    void ApplyMaxLength(qsizetype textLength);

    bool m_bNumberStyle = false;
    bool m_bReformatting = false;
    int m_nLimitText = 0; // 0: no limit of ours
};
