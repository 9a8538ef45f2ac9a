// The archive unpacker (libarchive with our extraction rules) on arbitrary
// bytes, into a folder of its own: whatever the archive says, nothing may
// land outside that folder and nothing but plain files and folders inside.
// When the first byte is odd the rest is taken as a tar stream and packed
// with bzip2 here first, so the mutations reach the tar headers and the
// extraction rules rather than dying in the decompressor. The second bit
// picks lbzip2 or the in-process bzip2 for the unpack. The third streams the
// archive XML as the header read does, so that what follows it may be taken
// from the archive's last blocks.
#include "archive/CCrxArchiver.h"
#include "fuzz/FuzzScratch.h"

#include <QFile>

#include <bzlib.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "unpack rule broken: %s\n", what);
        std::abort();
    }
}

std::vector<char> Bzip2(const uint8_t* data, size_t size)
{
    unsigned int length = unsigned(size + size / 100 + 600);
    std::vector<char> packed(length);
    const int rc = BZ2_bzBuffToBuffCompress(packed.data(), &length,
                                            reinterpret_cast<char*>(const_cast<uint8_t*>(data)),
                                            unsigned(size), 1, 0, 0);
    Require(rc == BZ_OK, "bzip2 of the input");
    packed.resize(length);
    return packed;
}

// The names in a folder, without following anything.
std::vector<fs::path> Names(const fs::path& folder)
{
    std::vector<fs::path> names;
    for (const fs::directory_entry& e : fs::directory_iterator(folder))
        names.push_back(e.path().filename());
    return names;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const FuzzScratch& scratch = FuzzScratch::Instance();
    const fs::path root = QFile::encodeName(scratch.Folder()).toStdString();
    // root/in.crx is the archive, root/box/out the unpack folder; root and
    // box must hold nothing else afterwards.
    QString archive;
    if (data[0] & 1) {
        const std::vector<char> packed = Bzip2(data + 1, size - 1);
        archive =
            scratch.WriteInput(QStringLiteral("in.crx"),
                               reinterpret_cast<const uint8_t*>(packed.data()), packed.size());
    } else {
        archive = scratch.WriteInput(QStringLiteral("in.crx"), data + 1, size - 1);
    }
    const fs::path box = root / "box";
    const fs::path out = box / "out";
    fs::remove_all(box);
    fs::create_directories(out);

    CCrxArchiver archiver;
    archiver.SetUnpackLimit(qint64(16) << 20); // keeps each run short
    archiver.SetParallel((data[0] & 2) != 0);
    struct FirstBytes : ICrxMemberSink
    {
        bool Take(QByteArrayView bytes) override { return (taken += bytes.size()) < 64; }
        void End() override {}
        qsizetype taken = 0;
    } sink;
    archiver.SetMemberEnd(QByteArrayLiteral("</crxparse>"));
    const CrxResult rc =
        (data[0] & 4) ? archiver.UnpackStreaming(archive, QFile::decodeName(out.c_str()),
                                                 QStringLiteral("Korvane_REG_DATA.xml"), &sink)
                      : archiver.Unpack(archive, QFile::decodeName(out.c_str()));
    Require(rc == CRX_OK || rc == CRX_E_UNPACK, "result code");
    Require(rc == CRX_OK || fs::is_empty(out), "a failed unpack left entries");

    Require(Names(root).size() == 2, "entry beside the archive");
    Require(Names(box).size() == 1, "entry beside the unpack folder");
    for (fs::recursive_directory_iterator it(out), end; it != end; ++it) {
        const fs::file_type type = it->symlink_status().type();
        Require(type == fs::file_type::regular || type == fs::file_type::directory,
                "entry that is neither file nor folder");
    }
    fs::remove_all(box);
    return 0;
}
