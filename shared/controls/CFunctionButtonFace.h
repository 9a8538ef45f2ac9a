#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <array>
#include <functional>

// The pictures of a launcher menu button and the label drawn on them, without
// any widget. A colour type names four state images; the label is drawn at
// eight times its size and shrunk smoothly onto each of them.
class CFunctionButtonFace
{
public:
    // Colour types of a menu button.
    enum EnumBtnTypetag : int {
        BTNTYPE_TEMPLATE = 0, // images named after the control's own text
        BTNTYPE_DARK = 1,
        BTNTYPE_PINK = 2,
        BTNTYPE_PURPLE = 3,
        BTNTYPE_GREEN = 4,
    };
    // Button states, in the order of the images.
    enum EnumBtnCondTag : int {
        BTNCOND_NORMAL = 0,
        BTNCOND_FOCUS = 1,
        BTNCOND_SELECT = 2,
        BTNCOND_DISABLE = 3
    };
    using Images = std::array<QImage, 4>; // indexed by EnumBtnCondTag

    static constexpr int kScale = 8;
    static constexpr int kLargestHeight = 128; // eight times the final height
    static constexpr int kSmallestHeight = 16;
    static constexpr int kHeightStep = 16;

    // "BTNDARK", "BTNPINK", ... for the type; the control's text for type 0;
    // "BTNDARK" for any other type.
    static QString GetImageName(int type, const QString& controlText);
    // The four images of a base name: the program's resources
    // ":/buttons/<base><N|F|S|D>.png" when all four exist, else the images
    // this library draws for its own base names. False when neither exists.
    static bool LoadImages(const QString& baseName, Images& images);

    // The large font height for a label: from 128 down in steps of 16 while
    // the label (measured at that height) is wider than eight times the image
    // width less 136; never below 16.
    static int GetCustomFontHeight(const std::function<int(int height)>& labelWidth,
                                   int imageWidth);
    static QColor GetDrawTextColor(int type, int state);
    // Top-left of the shrunk label on an image.
    static QPoint GetDrawTextGeometry(int type, int state, const QSize& imageSize,
                                      int largeLabelWidth, int fontHeight);
    // The bold label font of the given large height.
    static QFont LabelFont(int height);

    // Draws the label onto all four images.
    static void SetButtonText(Images& images, int type, const QString& label);

private:
    static void SetDrawText(QImage& image, int type, int state, const QString& label);
};
