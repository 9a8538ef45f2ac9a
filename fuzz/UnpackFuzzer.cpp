// The archive unpacker (libarchive with our extraction rules) on arbitrary
// bytes, into a folder of its own: whatever the archive says, nothing may
// land outside that folder and nothing but plain files and folders inside.
// When the first byte is odd the rest is taken as a tar stream and packed
// with bzip2 here first, so the mutations reach the tar headers and the
// extraction rules rather than dying in the decompressor. The second bit
// picks lbzip2 or the in-process bzip2 for the unpack. The third streams the
// archive XML as the header read does, so that what follows it may be taken
// from the archive's last blocks.
// The fourth bit makes the rest of the input what follows a fixed archive
// XML: the tar after it, packed with it into one bzip2 stream, or (fifth
// bit) into a stream of its own after the XML's, or (sixth bit) the bytes
// after the XML's stream as they come. The mutations then reach what the
// header read takes from the archive's end, and the open (the header read's
// unpack, then the read of the XML that proves the unpack folder) must
// stand on what an unpack from the start gives, or fail.
#include "archive/CCrxArchiver.h"
#include "fuzz/FuzzScratch.h"

#include <QFile>

#include <bzlib.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
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

std::vector<char> Bzip2(const char* data, size_t size)
{
    unsigned int length = unsigned(size + size / 100 + 600);
    std::vector<char> packed(length);
    const int rc = BZ2_bzBuffToBuffCompress(packed.data(), &length, const_cast<char*>(data),
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

constexpr char kXmlName[] = "Korvane_REG_DATA.xml";

// A ustar header of a plain file.
std::string TarHeader(const char* name, size_t size)
{
    std::string header(512, '\0');
    std::snprintf(&header[0], 100, "%s", name);
    std::snprintf(&header[100], 8, "%07o", 0644u);
    std::snprintf(&header[108], 8, "%07o", 0u);
    std::snprintf(&header[116], 8, "%07o", 0u);
    std::snprintf(&header[124], 12, "%011zo", size);
    std::snprintf(&header[136], 12, "%011o", 0u);
    header[156] = '0';
    std::memcpy(&header[257], "ustar", 6);
    std::memcpy(&header[263], "00", 2);
    std::memset(&header[148], ' ', 8);
    unsigned sum = 0;
    for (unsigned char c : header)
        sum += c;
    std::snprintf(&header[148], 8, "%06o", sum);
    return header;
}

// The archive XML and its padding: a header read has what it wants after
// its first bytes, and the XML's end lies in the last bzip2 block.
std::string XmlMember()
{
    std::string xml = "<?xml version='1.0'?>\n<crxparse>\n";
    for (int i = 0; i < 2000; ++i)
        xml += "<datarec><A>" + std::to_string(i) + "</A></datarec>\n";
    xml += "</crxparse>\n";
    return TarHeader(kXmlName, xml.size()) + xml +
           std::string((512 - xml.size() % 512) % 512, '\0');
}

// Every entry below folder with a file's bytes; the XML's own stand-in and
// the XML itself (an unpack from the start writes it) are left out.
std::map<std::string, std::string> Tree(const fs::path& folder)
{
    std::map<std::string, std::string> tree;
    for (fs::recursive_directory_iterator it(folder), end; it != end; ++it) {
        const std::string name = it->path().lexically_relative(folder).native();
        if (name == kXmlName)
            continue;
        if (it->symlink_status().type() == fs::file_type::directory) {
            tree[name] = "folder";
            continue;
        }
        std::ifstream file(it->path(), std::ios::binary);
        tree[name] = std::string(std::istreambuf_iterator<char>(file), {});
    }
    return tree;
}

struct FirstBytes : ICrxMemberSink
{
    bool Take(QByteArrayView bytes) override { return (taken += bytes.size()) < 64; }
    void End() override {}
    qsizetype taken = 0;
};

struct AllBytes : ICrxMemberSink
{
    bool Take(QByteArrayView) override { return true; }
    void End() override {}
};

// The open of an archive whose bytes after the XML the fuzzer chose: where
// it succeeds, its unpack folder holds what an unpack from the start gives.
void OpenAgainstStartToEnd(const uint8_t* data, size_t size, const fs::path& root)
{
    const std::string xml = XmlMember();
    const char* after = reinterpret_cast<const char*>(data + 1);
    std::vector<char> packed;
    if (data[0] & 32) {
        packed = Bzip2(xml.data(), xml.size());
        packed.insert(packed.end(), after, after + size - 1);
    } else if (data[0] & 16) {
        packed = Bzip2(xml.data(), xml.size());
        const std::vector<char> rest = Bzip2(after, size - 1);
        packed.insert(packed.end(), rest.begin(), rest.end());
    } else {
        std::string whole = xml;
        whole.append(after, size - 1);
        packed = Bzip2(whole.data(), whole.size());
    }
    const FuzzScratch& scratch = FuzzScratch::Instance();
    const QString archive = scratch.WriteInput(
        QStringLiteral("in.crx"), reinterpret_cast<const uint8_t*>(packed.data()), packed.size());
    const fs::path box = root / "box";
    const fs::path opened = box / "out";
    const fs::path whole = box / "whole";
    fs::remove_all(box);
    fs::create_directories(opened);
    fs::create_directories(whole);

    CCrxArchiver archiver;
    archiver.SetUnpackLimit(qint64(16) << 20);
    archiver.SetParallel((data[0] & 2) != 0);
    archiver.SetMemberEnd(QByteArrayLiteral("</crxparse>"));
    const QString xmlName = QString::fromLatin1(kXmlName);
    FirstBytes header;
    CrxResult rc =
        archiver.UnpackStreaming(archive, QFile::decodeName(opened.c_str()), xmlName, &header);
    Require(rc == CRX_OK || rc == CRX_E_UNPACK, "result code of the header read");
    Require(rc == CRX_OK || fs::is_empty(opened), "a failed unpack left entries");
    if (rc == CRX_OK) {
        AllBytes sink;
        bool found = false;
        rc = archiver.ReadMember(archive, xmlName, sink, found, QFile::decodeName(opened.c_str()));
        Require(rc == CRX_OK || rc == CRX_E_UNPACK, "result code of the XML's read");
    }
    const CrxResult start = archiver.Unpack(archive, QFile::decodeName(whole.c_str()));
    Require(start == CRX_OK || start == CRX_E_UNPACK, "result code");
    if (rc == CRX_OK) {
        Require(start == CRX_OK, "an open of what an unpack from the start refuses");
        Require(Tree(opened) == Tree(whole), "an open that differs from the unpack from the start");
    }
    Require(Names(root).size() == 2, "entry beside the archive");
    Require(Names(box).size() == 2, "entry beside the unpack folders");
    fs::remove_all(box);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const FuzzScratch& scratch = FuzzScratch::Instance();
    const fs::path root = QFile::encodeName(scratch.Folder()).toStdString();
    if (data[0] & 8) {
        OpenAgainstStartToEnd(data, size, root);
        return 0;
    }
    // root/in.crx is the archive, root/box/out the unpack folder; root and
    // box must hold nothing else afterwards.
    QString archive;
    if (data[0] & 1) {
        const std::vector<char> packed = Bzip2(reinterpret_cast<const char*>(data + 1), size - 1);
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
    FirstBytes sink;
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
