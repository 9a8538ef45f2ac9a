#include "shared/controls/ToolsColor.h"

#include <QGuiApplication>
#include <QPalette>

#include <array>

namespace {

struct Rgb
{
    int red, green, blue;
};

constexpr std::array<Rgb, 14> kColors{{
    {255, 255, 255}, // kind 0 comes from the palette
    {191, 201, 255},
    {255, 191, 191},
    {211, 201, 255},
    {214, 255, 189},
    {255, 224, 192},
    {255, 200, 208},
    {198, 212, 255},
    {192, 255, 192},
    {255, 255, 191},
    {255, 216, 216},
    {255, 127, 39},
    {255, 255, 191},
    {225, 255, 182},
}};

} // namespace

void GetToolsColor(EnumColorNameTag kind, int* red, int* green, int* blue)
{
    if (!red || !green || !blue)
        return;
    *red = *green = *blue = 255;
    if (kind == TOOLCOLOR_BTNFACE) {
        const QColor face = QGuiApplication::palette().color(QPalette::Button);
        *red = face.red();
        *green = face.green();
        *blue = face.blue();
    } else if (kind > 0 && kind < int(kColors.size())) {
        *red = kColors[kind].red;
        *green = kColors[kind].green;
        *blue = kColors[kind].blue;
    }
}

QColor GetToolsColorRGB(EnumColorNameTag kind)
{
    int red = 255, green = 255, blue = 255;
    GetToolsColor(kind, &red, &green, &blue);
    return QColor(red, green, blue);
}
