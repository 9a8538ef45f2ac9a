#pragma once

#include <QColor>
#include <QPushButton>
#include <QRect>

#include <functional>
#include <optional>

// The coloured push button of the bottom button rows. The face colour is read
// at paint time; setting it does not repaint.
class CColorButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CColorButton(QWidget* parent = nullptr);
    ~CColorButton() override;

    void SetColor(const QColor& color) { m_crColor = color; }

    // Places the button in a row at the bottom of parent: align 0 centred
    // (index of count), 1 from the right (index 0 rightmost), 2 from the left
    // (index 0 leftmost); any other align leaves it where it is. Row 0 is the
    // lowest. Call again whenever the parent is resized.
    void Adjust(QWidget* parent, uint align, int index, int count, int row, bool wide);

    // The rectangles Adjust computes from the parent's client rectangle and
    // its frame width; nullopt for an align that does not move the button.
    static std::optional<QRect> AdjustRect(const QRect& client, int border, uint align, int index,
                                           int count, int row, bool wide);
    static QRect AdjustCenter(const QRect& client, int border, int index, int count, int row,
                              bool wide);
    static QRect AdjustRight(const QRect& client, int border, int index, int row, bool wide);
    static QRect AdjustLeft(const QRect& client, int border, int index, int row, bool wide);
    static int CalcButtonWidth(bool wide) { return wide ? 240 : 112; }

    // The largest pixel height from `height` toward zero at which the text is
    // no wider than maxWidth; 0 when it fits at no height.
    static int FitFontHeight(int height, int maxWidth, const std::function<int(int)>& textWidth);

    QColor m_crColor;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    static int RowTop(const QRect& client, int border, int row);
};
