#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

// Shows a message of the library: the text of the key (LoadCommonString), or
// the key itself when the language file has no text for it, or the given
// text when one is given (a text already formatted from the key).
// Returns the platform::DialogResult of the answer.
int ShowCommonMessage(QWidget* parent, const QString& key, platform::MessageIcon icon,
                      platform::MessageButtons buttons = platform::MessageButtons::Ok,
                      const QString& text = QString());
