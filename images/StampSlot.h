#pragma once

#include "images/CImgCanvas.h"

#include <QFont>
#include <QString>

class CMessageEdit;
class QComboBox;
class QGroupBox;
class QLabel;
class QPushButton;
class QSlider;

namespace pellark {

class CGpImgButton;

// The control ids of one stamp on its page; 0 where the page has none.
struct StampIds
{
    uint group, previewCaption, preview, selectFile, clear, templateCaption, prev, next,
        templatePreview, textCaption, edit, font, apply, align, sliderX, sliderY, explain;
};

// One stamp of an easy page: what is stored, how it is composed, and the
// controls that show it.
struct StampSlot
{
    QString code;     // "000001"
    QString fileName; // the row's FILENAME
    QString prefix;   // of its profile keys: "SHOP1", "R_ADDR", ...
    bool acceptsDrops = false;

    CImgCanvas image;  // what is shown and saved
    CImgCanvas loaded; // the stored picture the stamp is composed from

    QString face; // "" until read: the fixed-pitch face
    int height = 0;
    int weight = 0;
    bool italic = false;
    QFont font;

    int browse = 0;       // the template shown in the template preview
    int applied = -1;     // the template composed in, -1 for none
    bool textCut = false; // the drawn text runs over the printed edge

    QGroupBox* group = nullptr; // its title names the stamp in messages

    CGpImgButton* preview = nullptr;
    CGpImgButton* templatePreview = nullptr;
    QPushButton* prev = nullptr;
    QPushButton* next = nullptr;
    CMessageEdit* edit = nullptr;
    QComboBox* align = nullptr;
    QSlider* sliderX = nullptr;
    QSlider* sliderY = nullptr;
    QLabel* explain = nullptr;
};

} // namespace pellark
