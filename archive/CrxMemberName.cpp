#include "archive/CrxMemberName.h"

#include "platform/LegacyCodePage.h"

#include <QUtf8StringView>

QString CrxMemberNameText(const QByteArray& bytes)
{
    bool known = false;
    return CrxNativeNameText(bytes, known);
}

QString CrxNativeNameText(const QByteArray& bytes, bool& known)
{
    if (QUtf8StringView(bytes).isValidUtf8()) {
        known = true;
        return QString::fromUtf8(bytes);
    }
    return platform::LegacyCodePage::decode(bytes, &known);
}
