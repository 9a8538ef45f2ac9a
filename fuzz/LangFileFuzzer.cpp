// The language-file reader on arbitrary bytes: it must load or refuse, never
// crash, and lookups afterwards must be safe whatever it kept.
#include "shared/lang/CResourceLangDatas.h"
#include "fuzz/FuzzScratch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QString path =
        FuzzScratch::Instance().WriteInput(QStringLiteral("NolvarLANG.xml"), data, size);
    CResourceLangDatas datas;
    const bool loaded = datas.LoadDocumentFile(path);
    const int result = datas.GetLoadResult();
    if (loaded != (result == CResourceLangDatas::LANGLOAD_OK))
        std::abort();
    // Modules and keys of the seed files, in other cases: the lookups fold case.
    static const char* const modules[] = {"Sarvik", "sarvik", "Tovanel", ""};
    static const char* const keys[] = {"CRDS_CMN_OK", "crds_cmn_ok", "K", ""};
    for (const char* module : modules)
        for (const char* key : keys)
            (void)datas.LoadResString(QString::fromLatin1(module), QString::fromLatin1(key));
    datas.ReleaseDocumentDatas();
    if (!datas.LoadResString(QStringLiteral("Sarvik"), QStringLiteral("K")).isEmpty())
        std::abort();
    return 0;
}
