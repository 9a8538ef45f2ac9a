// The delimited-text record reader of the text imports on arbitrary bytes,
// in both of its forms: a table text file (TAB, UTF-8 or a byte-order mark's
// encoding) and a comma file in the legacy code page. The first byte picks
// the form; the rest is the file.
#include "shared/textfiles/CTextFileReader.h"
#include "shared/textfiles/CTextRecordFile.h"
#include "fuzz/FuzzScratch.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size < 1)
        return 0;
    const bool csv = data[0] & 1;
    const QString path = FuzzScratch::Instance().WriteInput(
        csv ? QStringLiteral("FILE004P") : QStringLiteral("CIA001.txt"), data + 1, size - 1);
    CTextFileReader reader;
    if (reader.Open(path, csv) != 0) {
        if (reader.GetErrMsgId().isEmpty())
            std::abort(); // a refusal always names its error
        return 0;
    }
    // Each record is at least one line; more records than bytes means the
    // reader does not move on.
    for (size_t records = 0; records <= size; ++records) {
        const uchar* record = nullptr;
        int fieldCount = 0;
        const int r = reader.ReadRecord(record, fieldCount);
        if (r == -2)
            return 0;
        if (r != 1) {
            if (reader.GetErrMsgId().isEmpty())
                std::abort();
            return 0;
        }
        const QList<TextRecordField> fields = CTextRecordFile::SplitRecord(record);
        if (fields.size() != fieldCount)
            std::abort();
        for (const TextRecordField& field : fields) {
            if (field.nKind != TEXTFIELD_EMPTY && field.nKind != TEXTFIELD_TEXT &&
                field.nKind != TEXTFIELD_NUMBER)
                std::abort();
            (void)field.text.toString();
        }
    }
    std::abort();
}
