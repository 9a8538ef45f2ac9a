#pragma once

#include <QLabel>

class QImage;

// The label form of CItemSetButton: an image or a text field, no focus mark.
class CItemSetStatic : public QLabel
{
    Q_OBJECT
public:
    explicit CItemSetStatic(QWidget* parent = nullptr);
    ~CItemSetStatic() override;

    virtual QImage* GetImageData() { return nullptr; }
    virtual void SetImageData(QImage*) {}

    bool m_bImageMode = false;
    int m_nImageWidth = 0;
    int m_nImageHeight = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
};
