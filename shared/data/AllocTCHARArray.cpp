#include "shared/data/AllocTCHARArray.h"

#include <new>

std::unique_ptr<const QString* []> AllocTCHARArray(const QStringList* strings) {
    const qsizetype count = strings ? strings->size() : 0;
    std::unique_ptr<const QString*[]> array(new (std::nothrow) const QString*[count + 1]);
    if (!array)
        return array;
    for (qsizetype i = 0; i < count; ++i)
        array[i] = &strings->at(i);
    array[count] = nullptr;
    return array;
}
