#include "bases/CReceipt80ListBox.h"

#include "shared/lang/CProgramLang.h"

namespace dunmarel {

namespace {

QStringList LangTexts(const QStringList& keys)
{
    QStringList texts;
    for (const QString& key : keys)
        texts << GetLangString(key);
    return texts;
}

} // namespace

CReceipt80ListBox::CReceipt80ListBox(QWidget* parent) : CPreviewListBox(parent) {}

CReceipt80ListBox::~CReceipt80ListBox() = default;

void CReceipt80ListBox::SetPaper(bool paper58)
{
    m_input.paper58 = paper58;
    m_canvas.SetGeometry(paper58 ? CanvasGeometry::Paper58mm() : CanvasGeometry::Paper80mm());
}

void CReceipt80ListBox::SetTopImage(const QImage& image)
{
    m_topImage = image;
    m_input.topImage = image.size();
}

void CReceipt80ListBox::SetBottomImage(const QImage& image)
{
    m_bottomImage = image;
    m_input.bottomImage = image.size();
}

const QImage& CReceipt80ListBox::BuildCanvas()
{
    m_content =
        BuildReceiptPreview(m_input, LangTexts(ReceiptHeaderKeys(m_input.paper58)),
                            LangTexts(ReceiptItemKeys(m_input.paper58, m_input.taxContents)));
    DrawReceiptPreview(m_content, m_canvas, m_topImage, m_bottomImage);
    return m_canvas.Image();
}

} // namespace dunmarel
