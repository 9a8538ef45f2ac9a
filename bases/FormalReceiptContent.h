#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QImage;

namespace dunmarel {

class CRyoushuuCanvas;
class CYokoRyoushuCanvas;

// What the formal-receipt page sets on its previews.
struct FormalReceiptInput
{
    bool paper58 = true;
    bool stampOn = false;
    QSize stampImage;  // a null size counts no lines
    int titleWord = 0; // 1: the title ends in "証", 0: in "書"
    bool breakdown = false;
    bool logo = false; // horizontal: the two logos in place of the texts
    QString title;
    QString messages[3];
};

// A text of a preview: lines from line on (each on two canvas lines of a
// vertical canvas), or at a column of the horizontal one.
struct FormalTextDraw
{
    int line = 0;
    QStringList lines;
    int sizeKind = 0;
    int doubleWidth = 0;
    int column = 0;
};

struct FormalReceiptContent
{
    int stampLines = 0;
    int lineCount = 0;
    std::vector<FormalTextDraw> texts;
};

// The text cut to the paper width: characters while they stay within the
// columns (a full-width one that would pass them ends the text); on 80 mm
// after four spaces.
QString CutFormalText(const QString& text, int columns, bool indent);

// The vertical preview's message block: the cut title when there is one,
// then the three cut messages when any of them has text.
QStringList FormalMessageBlock(const FormalReceiptInput& input);

// The vertical preview: the stamp's lines, the title, dates, addressee,
// amount, tax, message and revenue-stamp blocks and the canvas lines.
FormalReceiptContent BuildVerticalFormalReceipt(const FormalReceiptInput& input);
bool DrawVerticalFormalReceipt(const FormalReceiptContent& content, CRyoushuuCanvas& canvas,
                               const QImage& stamp);

// The horizontal preview's texts and pictures.
struct HorizontalFormalReceipt
{
    std::vector<FormalTextDraw> texts;
    enum Which { SEAL_RIGHT, SEAL_LEFT, LOGO_LEFT, LOGO_RIGHT, PICTURE_COUNT };
    struct Picture
    {
        Which which; // bitmap 141, bitmap 140, the left and right logos
        int column;
        int row; // rows of 32 pixels
    };
    std::vector<Picture> pictures;
    int underlines[2] = {8, 12};
};
HorizontalFormalReceipt BuildHorizontalFormalReceipt(const FormalReceiptInput& input,
                                                     bool hasLeftLogo, bool hasRightLogo);
// pictures: by HorizontalFormalReceipt::Which.
bool DrawHorizontalFormalReceipt(const HorizontalFormalReceipt& form, CYokoRyoushuCanvas& canvas,
                                 const QImage (&pictures)[HorizontalFormalReceipt::PICTURE_COUNT]);

} // namespace dunmarel
