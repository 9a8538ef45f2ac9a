#include "archive/CrxDetail.h"

namespace {

// Per thread: the launcher runs each call on a worker thread and reads the
// detail there, right after the call.
thread_local CrxDetail t_detail;

} // namespace

const CrxDetail& CrxLastDetail()
{
    return t_detail;
}

CrxDetail& CrxCurrentDetail()
{
    return t_detail;
}

void CrxResetDetail()
{
    t_detail = CrxDetail();
}
