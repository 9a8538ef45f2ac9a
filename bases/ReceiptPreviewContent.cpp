#include "bases/ReceiptPreviewContent.h"

#include "bases/CReceipt80Canvas.h"

#include <QImage>

namespace dunmarel {

namespace {

constexpr int kAlignLeft = 2;

int ImageLines(const QSize& size, bool on)
{
    return on && size.isValid() ? size.height() / CReceipt80Canvas::kLineHeight : 0;
}

} // namespace

QStringList ReceiptHeaderKeys(bool paper58)
{
    if (paper58)
        return {QStringLiteral("CRDS_BS_HEADER_58_001"), QStringLiteral("CRDS_BS_HEADER_58_002"),
                QStringLiteral("CRDS_BS_HEADER_58_003"), QStringLiteral("CRDS_BS_HEADER_58_004"),
                QStringLiteral("CRDS_BS_HEADER_58_005")};
    return {QStringLiteral("CRDS_BS_HEADER_80_001"), QStringLiteral("CRDS_BS_HEADER_80_002"),
            QStringLiteral("CRDS_BS_HEADER_80_003"), QStringLiteral("CRDS_BS_HEADER_80_004")};
}

QStringList ReceiptItemKeys(bool paper58, int taxContents)
{
    QStringList keys;
    QStringList tax;
    if (paper58) {
        keys = {QStringLiteral("CRDS_BS_ITEM_58___001"), QStringLiteral("CRDS_BS_ITEM_58___002"),
                QStringLiteral("CRDS_BS_ITEM_58___003"), QStringLiteral("CRDS_BS_ITEM_58___004")};
        tax = {QStringLiteral("CRDS_BS_TAX_58____001"), QStringLiteral("CRDS_BS_TAX_58____002"),
               QStringLiteral("CRDS_BS_TAX_58____003"), QStringLiteral("CRDS_BS_TAX_58____004")};
    } else {
        keys = {QStringLiteral("CRDS_BS_ITEM_80___001"), QStringLiteral("CRDS_BS_ITEM_80___002"),
                QStringLiteral("CRDS_BS_ITEM_80___003"), QStringLiteral("CRDS_BS_ITEM_80___004")};
        tax = {QStringLiteral("CRDS_BS_TAX_80____001"), QStringLiteral("CRDS_BS_TAX_80____002"),
               QStringLiteral("CRDS_BS_TAX_80____003"), QStringLiteral("CRDS_BS_TAX_80____004")};
    }
    if (taxContents == 1)
        keys += tax;
    else if (taxContents == 2)
        keys << tax[1] << tax[3];
    if (paper58)
        keys << QStringLiteral("CRDS_BS_TOTAL_58__001") << QStringLiteral("CRDS_BS_TOTAL_58__002");
    else
        keys << QStringLiteral("CRDS_BS_TOTAL_80__001") << QStringLiteral("CRDS_BS_TOTAL_80__002");
    return keys;
}

ReceiptPreviewContent BuildReceiptPreview(const ReceiptPreviewInput& input,
                                          const QStringList& headerLines,
                                          const QStringList& itemLines)
{
    using In = ReceiptPreviewInput;
    ReceiptPreviewContent content;
    int line = 0;
    const auto addText = [&](const QStringList& lines, int doubleWidth, int align) {
        content.blocks.push_back({ReceiptPreviewBlock::Text, line, lines, doubleWidth, align});
        line += 2 * int(lines.size());
    };
    const auto addMessage = [&](int block) {
        addText(input.messages[block], input.attrs[block].doubleWidth, input.attrs[block].align);
    };
    if (const int lines = ImageLines(input.topImage, input.topImageOn); lines > 0) {
        content.blocks.push_back({ReceiptPreviewBlock::TopImage, line, {}, 0, kAlignLeft});
        line += lines;
    }
    addMessage(In::TOP1);
    addMessage(In::TOP2);
    addText(headerLines, 0, kAlignLeft);
    addText(itemLines, 0, kAlignLeft);
    addMessage(In::BOTTOM1);
    addMessage(In::BOTTOM2);
    if (const int lines = ImageLines(input.bottomImage, input.bottomImageOn); lines > 0) {
        content.blocks.push_back({ReceiptPreviewBlock::BottomImage, line, {}, 0, kAlignLeft});
        line += lines;
    }
    content.lineCount = line;
    return content;
}

bool DrawReceiptPreview(const ReceiptPreviewContent& content, CReceipt80Canvas& canvas,
                        const QImage& topImage, const QImage& bottomImage)
{
    if (!canvas.Create(content.lineCount))
        return false;
    for (const ReceiptPreviewBlock& block : content.blocks) {
        if (block.line >= canvas.Lines())
            break;
        switch (block.kind) {
        case ReceiptPreviewBlock::TopImage:
            canvas.DrawImage(block.line, topImage);
            break;
        case ReceiptPreviewBlock::BottomImage:
            canvas.DrawImage(block.line, bottomImage);
            break;
        case ReceiptPreviewBlock::Text:
            canvas.DrawLines(block.line, block.lines, block.doubleWidth, block.align);
            break;
        }
    }
    return true;
}

} // namespace dunmarel
