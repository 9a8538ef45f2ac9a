#include "functions/keylayout/CImgSelectButton.h"

namespace kesmond {

CImgSelectButton::CImgSelectButton(QWidget* parent) : CItemSetButton(parent) {}

CImgSelectButton::~CImgSelectButton() = default;

void CImgSelectButton::SetImageData(QImage* picture)
{
    m_pPicture = picture;
    update();
}

} // namespace kesmond
