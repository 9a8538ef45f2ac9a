#pragma once

#include <QSize>
#include <QStringList>

#include <vector>

class QImage;

namespace dunmarel {

class CReceipt80Canvas;

// How a message block prints: the print form's "newline", "double_size" and
// "align" (0 right, 1 centre, 2 left).
struct ReceiptBlockAttr
{
    int newline = 0;
    int doubleWidth = 0;
    int align = 1;
};

// What the 58/80 mm receipt preview shows.
struct ReceiptPreviewInput
{
    enum Block { TOP1, TOP2, BOTTOM1, BOTTOM2, BLOCK_COUNT };

    bool paper58 = true;
    QSize topImage; // the picture sizes; a null size counts no lines
    bool topImageOn = false;
    QSize bottomImage;
    bool bottomImageOn = false;
    QStringList messages[BLOCK_COUNT]; // the preview lines of each block
    ReceiptBlockAttr attrs[BLOCK_COUNT];
    int taxContents = 0; // 0 none, 1 all four tax lines, 2 the second and fourth
};

// One drawing of the preview, from its canvas line down.
struct ReceiptPreviewBlock
{
    enum Kind { TopImage, BottomImage, Text };
    Kind kind = Text;
    int line = 0;
    QStringList lines; // text: each takes two canvas lines
    int doubleWidth = 0;
    int align = 2;
};

struct ReceiptPreviewContent
{
    std::vector<ReceiptPreviewBlock> blocks;
    int lineCount = 0;
};

// The language keys of the sample lines between the messages: the header,
// then the items with the tax lines of the tax contents and the totals.
QStringList ReceiptHeaderKeys(bool paper58);
QStringList ReceiptItemKeys(bool paper58, int taxContents);

// The preview's blocks and canvas lines: top picture, top messages, header
// and item lines (single width, left), bottom messages, bottom picture.
ReceiptPreviewContent BuildReceiptPreview(const ReceiptPreviewInput& input,
                                          const QStringList& headerLines,
                                          const QStringList& itemLines);

// Creates the canvas for the content and draws it. A block whose first line
// lies past the canvas is not drawn.
bool DrawReceiptPreview(const ReceiptPreviewContent& content, CReceipt80Canvas& canvas,
                        const QImage& topImage, const QImage& bottomImage);

} // namespace dunmarel
