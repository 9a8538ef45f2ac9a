#pragma once

#include "shared/controls/CNumEdit.h"

// Zero-filled codes: leaving the field pads a shorter code with leading zeros.
class CNumZeroEdit : public CNumEdit
{
    Q_OBJECT

public:
    explicit CNumZeroEdit(QWidget* parent = nullptr);

    // 0 switches the zero fill off.
    bool SetDigits(int digits);
    int GetDigits() const { return m_nZeroDigits; }

protected:
    void focusOutEvent(QFocusEvent* event) override;

private:
    int m_nZeroDigits = 0;
};
