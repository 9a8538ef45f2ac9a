#pragma once

// A parse fed by an archive member as it is decompressed, so that the
// archive XML never lands on disk and parsing overlaps the decompression.

#include "archive/CCrxArchiver.h"
#include "archive/CCrxSaxReader.h"
#include "archive/CrxContent.h"

class CrxContentSink : public ICrxMemberSink
{
public:
    explicit CrxContentSink(ICrxDocument& document)
        : m_content(document), m_reader(m_content, document)
    {
    }

    bool Take(QByteArrayView bytes) override { return m_reader.Feed(bytes); }
    void End() override { m_reader.Finish(); }

private:
    CrxContent m_content;
    CCrxSaxReader m_reader;
};
