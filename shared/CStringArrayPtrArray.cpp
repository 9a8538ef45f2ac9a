#include "CStringArrayPtrArray.h"

CStringArrayPtrArray::CStringArrayPtrArray() = default;

CStringArrayPtrArray::~CStringArrayPtrArray() = default;
