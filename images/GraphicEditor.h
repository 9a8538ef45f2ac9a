#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace pellark {

// What the graphic list hands the image editor and gets back from it. The
// editor renders the 1-bit BMP into outputFile (in the local data folder)
// and names the image to store in fileName.
struct GraphicEditRequest
{
    QString sourceFile; // the stored image's temporary copy, "" when none
    QString fileName;   // the row's FILENAME
    int code = 0;
    bool narrow = false;    // 58 mm paper: the print area is 384 dots wide
    bool guideLines = true; // the paper-width guides under the picture
};

struct GraphicEditResult
{
    QString outputFile;
    QString fileName;
};

// Runs the editor modally; true when it ended with OK.
using GraphicEditor =
    std::function<bool(QWidget* parent, const GraphicEditRequest&, GraphicEditResult&)>;

} // namespace pellark
