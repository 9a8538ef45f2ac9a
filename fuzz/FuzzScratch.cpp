#include "fuzz/FuzzScratch.h"

#include <QFile>

#include <cstdio>
#include <cstdlib>

FuzzScratch& FuzzScratch::Instance()
{
    static FuzzScratch scratch;
    return scratch;
}

FuzzScratch::FuzzScratch()
{
    if (!m_dir.isValid()) {
        std::fprintf(stderr, "no temporary folder for the fuzzer\n");
        std::abort();
    }
}

QString FuzzScratch::WriteInput(const QString& name, const uint8_t* data, size_t size) const
{
    const QString path = m_dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size) ||
        !file.flush()) {
        std::fprintf(stderr, "cannot write the fuzz input\n");
        std::abort();
    }
    return path;
}
