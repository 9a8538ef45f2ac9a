#include "CStringArrayPtrList.h"

CStringArrayPtrList::CStringArrayPtrList() = default;

CStringArrayPtrList::~CStringArrayPtrList() = default;
