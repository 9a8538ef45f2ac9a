#pragma once

#include <QPlainTextEdit>

// A multi-line text (receipt messages, stamp texts): several lines that wrap at any character,
// Enter breaks the line. The register stores line breaks as CR LF, and the limit counts stored
// characters (a break counts two). A longer stored text is shown and kept whole; only typing and
// pasting stop at the limit.
class CMessageEdit : public QPlainTextEdit
{
    Q_OBJECT

public:
    explicit CMessageEdit(QWidget* parent = nullptr);
    ~CMessageEdit() override;

    void SetStoredText(const QString& text);
    QString StoredText() const;
    void LimitText(int characters) { m_nLimit = characters; }
    int GetLimitText() const { return m_nLimit; }

    // The stored length of a shown text.
    static qsizetype StoredLength(const QString& shown);
    // A text as stored: every line break (LF, CR or CR LF, and Qt's
    // paragraph and line separators) becomes CR LF.
    static QString ToStoredLineBreaks(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void insertFromMimeData(const QMimeData* source) override;

private:
    // How many stored characters may still be added in place of the selection.
    qsizetype Room() const;

    int m_nLimit = 0; // 0: none
};
