#include "goods/CRadioGroupBox.h"

namespace brelkin {

CRadioGroupBox::CRadioGroupBox(QWidget* parent) : QGroupBox(parent)
{
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
}

} // namespace brelkin
