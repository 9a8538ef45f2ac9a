#include "monitor/AppTitle.h"

#include <QGuiApplication>

namespace mervolt {

void SetAppTitle(const QString& text)
{
    QGuiApplication::setApplicationDisplayName(text);
}

} // namespace mervolt
