#pragma once

#include "shared/controls/CNumEdit.h"

// Percentages with a fixed number of integer and decimal digits. Values are
// scaled by 10^decimal digits (1250 with 2 decimals is 12.5).
class CPercentEdit : public CNumEdit
{
    Q_OBJECT

public:
    explicit CPercentEdit(QWidget* parent = nullptr);

    // Stores both counts and limits the text to integer + decimal + 1 characters.
    bool SetDigits(int integerDigits, int decimalDigits);
    int GetIntegerDigits() const { return m_nIntegerDigits; }
    int GetDecimalDigits() const { return m_nDecimalDigits; }
    // Shows the value and keeps it.
    bool SetPercent(qint64 value);
    // False when the text does not fit the digit counts or without out pointer.
    bool GetPercent(qint64* value) const;
    // Shows the kept value again.
    bool SetTrueValue();

protected:
    CharAction OnChar(QChar ch) override;
    QString FilterSetText(const QString& text) override;
    QString FilterReplaceSel(const QString& text) override;
    void PasteText(const QString& text) override;
    void OnTextChange() override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_nIntegerDigits = 2;
    int m_nDecimalDigits = 2;
    qint64 m_nValue = 0;
};
