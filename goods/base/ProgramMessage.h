#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

// A message of a settings program: the text of the key in the program's
// module (then "Sarvik"), the key itself when neither has it, or the given
// text (already formatted from the key); captioned with the program's title.
int ShowProgramMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                       platform::MessageButtons buttons = platform::MessageButtons::Ok,
                       const QString& text = QString());
