#pragma once

#include <QPushButton>

class QImage;

// A button that shows either an image (from GetImageData) or its text in an
// edit-like field. Subclasses keep the image; this class never owns one.
class CItemSetButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CItemSetButton(QWidget* parent = nullptr);
    ~CItemSetButton() override;

    void SetReadOnly(bool readOnly);

    virtual QImage* GetImageData() { return nullptr; }
    virtual void SetImageData(QImage*) {}

    bool m_bImageMode = false;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;
    bool m_bReadOnly = false;

protected:
    void paintEvent(QPaintEvent* event) override;
};
