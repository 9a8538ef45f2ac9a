#pragma once

#include "platform/MessageBox.h"

#include <QString>

class QWidget;

namespace mervolt {

// Shows a message of this program: the text given (already formatted from
// the key), else the key's text. Returns the platform::DialogResult.
int ShowMonMessage(QWidget* parent, const QString& key,
                   platform::MessageIcon icon = platform::MessageIcon::Warning,
                   platform::MessageButtons buttons = platform::MessageButtons::Ok,
                   const QString& text = QString());

} // namespace mervolt
