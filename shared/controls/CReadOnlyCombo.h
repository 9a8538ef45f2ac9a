#pragma once

#include <QComboBox>
#include <QPalette>

// A combo box that can be made read-only: it then shows its value on the
// button-face colour and takes no clicks, wheel turns or keys except Return,
// Escape and Tab, so the dialog's default button and focus chain still work.
class CReadOnlyCombo : public QComboBox
{
    Q_OBJECT

public:
    explicit CReadOnlyCombo(QWidget* parent = nullptr);
    ~CReadOnlyCombo() override;

    void SetCmbReadOnly(bool readOnly);
    bool IsCmbReadOnly() const { return m_bReadOnly; }

    void showPopup() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    bool m_bReadOnly = false;
    QPalette m_normalPalette;
};
