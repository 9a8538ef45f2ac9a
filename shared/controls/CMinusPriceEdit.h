#pragma once

#include "shared/controls/CNumEdit.h"

// Signed amounts: digits and one leading "-". Every text that enters,
// whatever the number style, is filtered to that form.
class CMinusPriceEdit : public CNumEdit
{
    Q_OBJECT

public:
    explicit CMinusPriceEdit(QWidget* parent = nullptr);

    bool SetDigits(int digits);
    int GetDigits() const { return m_nDigits; }
    bool SetPrice(quint32 price);
    bool SetPrice64(qint64 price);
    bool GetPrice(quint32* price) const;
    bool GetPrice64(qint64* price) const;
    // With 0, entering the field leaves the text as it is.
    void SetIngtegrity(int integrity) { m_nIntegrity = integrity; }

protected:
    CharAction OnChar(QChar ch) override;
    QString FilterSetText(const QString& text) override;
    QString FilterReplaceSel(const QString& text) override;
    void PasteText(const QString& text) override;
    void OnTextChange() override;
    void focusInEvent(QFocusEvent* event) override;

private:
    int m_nDigits = 4;
    int m_nIntegrity = 1;
};
