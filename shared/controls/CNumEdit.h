#pragma once

#include "shared/controls/CEcrEdit.h"

// An edit for digits only. It has the number style from the start; while it
// has it, texts from outside and pastes are reduced to their digits.
class CNumEdit : public CEcrEdit
{
    Q_OBJECT

public:
    explicit CNumEdit(QWidget* parent = nullptr);

    // Returns the previous setting. Without pasting there is no context menu
    // and neither the paste keys nor drops insert anything.
    bool SetPasteEnable(bool enable);
    bool GetPasteEnable() const { return m_bPasteEnable; }

    std::unique_ptr<QMenu> CreateContextMenu() override;

protected:
    // The amount of the text, for the amount edits; false without out pointer.
    bool ReadPrice(quint32* price) const;
    bool ReadPrice64(qint64* price) const;
    // Entering an amount field: shows `plain` (when given), applies the digit
    // limit and selects all unless the field was clicked into.
    void EnterAmountField(const QFocusEvent* event, const QString* plain, int digits);

    QString FilterSetText(const QString& text) override;
    QString FilterReplaceSel(const QString& text) override;
    bool IsPasteEnabled() const override { return m_bPasteEnable; }

private:
    bool m_bPasteEnable = true;
};
