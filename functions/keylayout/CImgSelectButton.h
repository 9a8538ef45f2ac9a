#pragma once

#include "shared/controls/CItemSetButton.h"

namespace kesmond {

// The key dialog's picture preview: the base class draws the picture it is
// given (not owned).
class CImgSelectButton : public CItemSetButton
{
    Q_OBJECT
public:
    explicit CImgSelectButton(QWidget* parent = nullptr);
    ~CImgSelectButton() override;

    QImage* GetImageData() override { return m_pPicture; }
    void SetImageData(QImage* picture) override;

private:
    QImage* m_pPicture = nullptr;
};

} // namespace kesmond
