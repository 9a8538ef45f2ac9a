#include "shared/textfiles/TextValueChars.h"

qsizetype FindUncarriedChar(QStringView value)
{
    for (qsizetype i = 0; i < value.size(); ++i) {
        const char16_t c = value[i].unicode();
        if (c < 0x20 && c != u'\t')
            return i;
    }
    return -1;
}
