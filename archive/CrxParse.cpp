#include "archive/CrxParse.h"

#include "archive/CCrxArchiver.h"
#include "archive/CCrxDirEnv.h"
#include "archive/CCrxSaxReader.h"
#include "archive/CrxContent.h"
#include "archive/CrxContentSink.h"
#include "archive/ICrxDocument.h"

#include <QFile>
#include <QFileInfo>

#include <vector>

namespace {

constexpr size_t kChunk = 256 * 1024;

} // namespace

CrxResult CrxParseFile(ICrxDocument& document, const QString& path)
{
    CrxContent content(document);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        content.fatalError();
        return document.GetLastError();
    }
    CCrxSaxReader reader(content, document);
    std::vector<char> buffer(kChunk);
    for (;;) {
        const qint64 n = file.read(buffer.data(), qint64(buffer.size()));
        if (n < 0) {
            content.fatalError();
            break;
        }
        if (n == 0) {
            reader.Finish();
            break;
        }
        if (!reader.Feed(QByteArrayView(buffer.data(), n)))
            break;
    }
    return document.GetLastError();
}

CrxResult CrxParseDataXml(ICrxDocument& document, const CCrxDirEnv& env, const QString& archivePath)
{
    if (QFileInfo(env.DataXmlPath()).size() > 0)
        return CrxParseFile(document, env.DataXmlPath());
    CrxContentSink sink(document);
    CCrxArchiver archiver;
    archiver.SetAbortFlag(document.GetCancelFlag());
    bool found = false;
    const CrxResult rc =
        archiver.ReadMember(archivePath, QString::fromLatin1(CCrxDirEnv::kDataXmlName), sink, found,
                            env.UnpackFolder());
    if (document.GetLastError() != CRX_OK)
        return document.GetLastError();
    if (rc != CRX_OK)
        return rc;
    return found ? CRX_OK : CRX_E_NO_DATAXML;
}
