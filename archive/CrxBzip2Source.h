#pragma once

// The bzip2 streams of an archive file decompressed for the tar reader: by
// lbzip2 (CCrxBzip2Process) where it is installed and wanted, else
// in-process. Every stream of the file is decoded in turn, as bzip2 -d does,
// and bytes after the last one that do not begin another are ignored, as
// bzip2 and lbzip2 ignore them. What was read is only vouched for once
// Finish has read on to the file's end: every stream was whole and held its
// CRC, and lbzip2 exited with 0 (it may stop short of a damaged stream and
// still close its output cleanly). A damaged stream fails either way.

#include "archive/CrxFd.h"
#include "archive/CrxResult.h"

#include <QString>

#include <functional>
#include <memory>
#include <sys/types.h>

class CCrxBzip2Process;

class CrxBzip2Source
{
public:
    CrxBzip2Source();
    ~CrxBzip2Source();
    CrxBzip2Source(const CrxBzip2Source&) = delete;
    CrxBzip2Source& operator=(const CrxBzip2Source&) = delete;

    // Opens the archive: false when it cannot be read or does not begin as
    // a bzip2 stream ("BZh", the level, then a block or the stream's end).
    // parallel: by lbzip2, where it starts.
    bool Open(const QString& archivePath, bool parallel);

    // Up to size decompressed bytes: their count, 0 at the end, -1 on an
    // error (a damaged or cut stream, lbzip2's output failing).
    ssize_t Read(char* data, size_t size);
    // Reads on to the end, each block's size handed to count (a code from it
    // stops the reading and is the result); then CRX_OK when every stream
    // was whole and lbzip2 exited with 0, else CRX_E_UNPACK (CRX_E_CANCELLED
    // when abort is set while lbzip2 is waited for).
    CrxResult Finish(const std::function<CrxResult(qint64 bytes)>& count,
                     const CrxAbortFlag* abort);
    // Stops decompressing: lbzip2 is killed, and what was read stays
    // unvouched for.
    void Stop();

private:
    struct Decoder;
    ssize_t Decode(char* data, size_t size);
    bool FillInput(size_t atLeast);

    CrxFd m_in;
    std::unique_ptr<CCrxBzip2Process> m_pChild;
    std::unique_ptr<Decoder> m_pDecoder;
};
