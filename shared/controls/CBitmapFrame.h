#pragma once

#include <QLabel>
#include <QString>

#include <functional>

// A picture label whose picture serves as a frame: SetFrameText writes a
// language text into the picture itself, in black, at half the size it is
// drawn at. A second call draws over the first.
class CBitmapFrame : public QLabel
{
    Q_OBJECT
public:
    explicit CBitmapFrame(QWidget* parent = nullptr);
    ~CBitmapFrame() override;

    // The text of key (module "Sarvik" and its fallbacks) into the picture.
    // Always true; without a picture nothing is drawn.
    bool SetFrameText(const QString& key);

    // The pixel height, from 32 down, at which the text is no wider than
    // canvasWidth - 40; never below 1.
    static int GetCustomFontHeight(int canvasWidth, const std::function<int(int)>& textWidth);
};
