#include "monitor/MonMessage.h"

#include "goods/base/ProgramMessage.h"
#include "shared/lang/CProgramLang.h"

namespace mervolt {

// Captioned with the program's title (SetAppTitle).
int ShowMonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                   platform::MessageButtons buttons, const QString& text)
{
    return ShowProgramMessage(parent, key, icon, buttons,
                              text.isEmpty() ? GetLangString(key) : text);
}

} // namespace mervolt
