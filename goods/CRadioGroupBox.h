#pragma once

#include <QGroupBox>

namespace brelkin {

// The frame of a radio option that sits over the window's own background:
// it paints its whole area in the button face colour first, so nothing
// behind it shows through.
class CRadioGroupBox : public QGroupBox
{
    Q_OBJECT

public:
    explicit CRadioGroupBox(QWidget* parent = nullptr);
};

} // namespace brelkin
