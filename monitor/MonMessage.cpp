#include "monitor/MonMessage.h"

#include "shared/lang/CProgramLang.h"
#include "shared/lang/CommonMessage.h"

namespace mervolt {

int ShowMonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                   platform::MessageButtons buttons, const QString& text)
{
    return ShowCommonMessage(parent, key, icon, buttons,
                             text.isEmpty() ? GetLangString(key) : text);
}

} // namespace mervolt
