#include "shared/data/CStringArrayPtrList.h"

CStringArrayPtrList::CStringArrayPtrList() = default;

CStringArrayPtrList::~CStringArrayPtrList() = default;
