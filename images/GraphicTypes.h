#pragma once

#include <QSize>
#include <QString>

namespace pellark {

// The six graphics the register prints, in the order in which codes are
// looked up and missing rows are created.
struct GraphicType
{
    int code;
    const char* nameKey;
    int width; // print size in dots
    int height;
};

constexpr GraphicType kGraphicTypes[] = {
    {1, "CRDS_IM_IMAGE_TYPE_NAME01", 576, 168},  {2, "CRDS_IM_IMAGE_TYPE_NAME02", 576, 168},
    {3, "CRDS_IM_IMAGE_TYPE_NAME03", 448, 128},  {4, "CRDS_IM_IMAGE_TYPE_NAME04", 448, 96},
    {11, "CRDS_IM_IMAGE_TYPE_NAME11", 576, 168}, {12, "CRDS_IM_IMAGE_TYPE_NAME12", 576, 168},
};

// The print width of 58 mm paper; it concerns codes 1 and 2 only.
constexpr int kNarrowPrintWidth = 384;

// The type of a code; an unknown code is taken as the first.
const GraphicType& GraphicTypeOf(int code);
QSize GraphicPrintSize(int code);
bool HasNarrowGuide(int code);
// The print size of a stored code ("000001"); (0, 0) for any other text.
QSize GetGraphicSize(const QString& code);
// "000001": the key of a code.
QString GraphicKey(int code);

} // namespace pellark
