#pragma once

#include "bases/CPreviewListBox.h"
#include "bases/CReceipt80Canvas.h"
#include "bases/ReceiptPreviewContent.h"

namespace dunmarel {

// The 58/80 mm receipt preview of a message page: the page sets the paper,
// the pictures, the message lines and switches, then calls Refresh.
class CReceipt80ListBox : public CPreviewListBox
{
    Q_OBJECT

public:
    explicit CReceipt80ListBox(QWidget* parent = nullptr);
    ~CReceipt80ListBox() override;

    void SetPaper(bool paper58);
    ReceiptPreviewInput& Input() { return m_input; }
    void SetTopImage(const QImage& image);
    void SetBottomImage(const QImage& image);
    const CReceipt80Canvas& Canvas() const { return m_canvas; }
    const ReceiptPreviewContent& Content() const { return m_content; }

protected:
    const QImage& BuildCanvas() override;

private:
    ReceiptPreviewInput m_input;
    QImage m_topImage;
    QImage m_bottomImage;
    ReceiptPreviewContent m_content;
    CReceipt80Canvas m_canvas;
};

} // namespace dunmarel
