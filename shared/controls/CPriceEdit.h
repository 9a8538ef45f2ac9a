#pragma once

#include "shared/controls/CNumEdit.h"

// Unsigned amounts. Entering the field shows the amount as plain digits, all
// selected unless the field was entered by a click.
class CPriceEdit : public CNumEdit
{
    Q_OBJECT

public:
    explicit CPriceEdit(QWidget* parent = nullptr);

    // The limit applies from the next focus gain.
    bool SetDigits(int digits);
    int GetDigits() const { return m_nDigits; }
    // Plain digits.
    bool SetPrice(quint32 price);
    // Plain digits while the edit has the focus, else the amount text.
    bool SetPrice64(quint64 price);
    // The amount of the text (low 32 bits for GetPrice); false without out pointer.
    bool GetPrice(quint32* price) const;
    bool GetPrice64(qint64* price) const;

protected:
    void focusInEvent(QFocusEvent* event) override;

    int m_nDigits = 4;
};
