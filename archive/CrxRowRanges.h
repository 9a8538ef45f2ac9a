#pragma once

// A large row section written on several threads: its rows are cut into
// ranges of row ids, each thread reads its ranges on a connection of its own
// and writes their elements into memory, and the ranges go into the archive
// XML in row order. The bytes are those of a read on one thread: a range is
// read in row id order, which is the order of a plain scan of the table,
// and the section's connection holds a read transaction meanwhile, so that
// no commit lands between the reads. At most two ranges per thread are in
// memory at once, whatever the number of rows.

#include "archive/CrxExportContext.h"
#include "archive/CrxResult.h"

class CCrxRecord;

namespace CrxRowRanges {

// Rows at most in one range.
constexpr qint64 kRowsPerRange = 64;
// A section with fewer rows is written on one thread.
constexpr qint64 kMinRows = 2048;

// Writes every row of the read CrxExportWalk::PrepareRowRead prepared, with
// taken true, when the section can be cut: it has no blob column, its read
// scans the table itself, its row ids are dense enough and the file is no
// write-ahead log (whose readers could see different commits). Each range is
// written by CrxExportWalk::WriteRows. Else taken stays false, nothing is
// written and the caller reads on one thread. The code is that of the first
// range, in row order, that fails, with its detail (CrxDetail.h).
CrxResult WriteRows(CCrxRecord& record, bool keysOnly, CrxExportContext& context, bool& taken);

} // namespace CrxRowRanges
