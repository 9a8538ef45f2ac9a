#pragma once

#include <QPushButton>

class QImage;

namespace kesmond {

struct KeyStyle;

// A button drawn from a nine-slice image (not owned): the image stretched
// around its corners over the button, the content on it, then the focus
// decorations and the disabled veil, each painted over the rectangle.
class CNinePatchButton : public QPushButton
{
    Q_OBJECT
public:
    explicit CNinePatchButton(QWidget* parent = nullptr);
    ~CNinePatchButton() override;

    void SetImage(const QImage* image);
    const QImage* Image() const { return m_pImage; }
    // The image and colours of a key style; the image is loaded here.
    void SetKeyStyle(const KeyStyle& style);
    void SetSelected(bool selected);
    bool IsSelected() const { return m_bSelected; }
    // The font the content is drawn with: bold at the font height, in the
    // proportional face.
    QFont GetDrawFont() const;

    bool m_bTint = false;    // red tint while focused or selected
    bool m_bHandles = false; // three resize handles while focused or selected
    bool m_bInvert = false;  // inverted while focused or selected
    bool m_bVeil = false;    // grey veil while disabled
    // An image too small for its slices, not loaded or missing gives a
    // plain face of the colours, with the content and decorations on it.
    bool m_bPlainFace = false;
    int m_nCornerSize = 8;
    int m_nOverhangX = 3;
    int m_nOverhangY = 1;
    int m_nFontHeight = 20;
    int m_nForeColor = 0;
    int m_nBackColor = 0;
    int m_nOptionColor = 0;

protected:
    void paintEvent(QPaintEvent* event) override;
    // The content over the image: the text, centred on one line.
    virtual void DrawContent(QPainter& painter, const QRect& rect);

private:
    const QImage* m_pImage = nullptr;
    bool m_bSelected = false;
};

// Three white, black-framed 8 x 8 circles at the right edge, the bottom
// right corner and the bottom edge of rect: where a key is resized.
void DrawResizeHandles(QPainter& painter, const QRect& rect);

// The palette's key-kind buttons take the default key style when its image
// exists.
void PaintKindButtons(const KeyStyle& style, CNinePatchButton* const (&buttons)[5]);

} // namespace kesmond
