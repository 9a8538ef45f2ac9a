#include "goods/base/RegisterDialogClass.h"

namespace {

QString& registeredName()
{
    static QString name;
    return name;
}

} // namespace

bool RegisterDialogClass(const QString& className)
{
    if (className.isEmpty())
        return false;
    registeredName() = className;
    return true;
}

QString RegisteredDialogClass()
{
    return registeredName();
}
