#include "shared/data/CStringArrayPtrArray.h"

CStringArrayPtrArray::CStringArrayPtrArray() = default;

CStringArrayPtrArray::~CStringArrayPtrArray() = default;
