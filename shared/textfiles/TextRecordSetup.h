#pragma once

// The steps of opening a text record file that need no file: the options
// checked, the separators and quote chosen, the encoding told from the first
// bytes.

#include "shared/textfiles/TextRecordOptions.h"

#include <QByteArrayView>
#include <QString>

// What the options make of a line: its separators, its quote and the parse
// flags that still mean something with them.
struct TextRecordSyntax
{
    QString separators; // custom, comma, semicolon, space, TAB
    char16_t quote = 0; // 0 for none
    quint32 parseFlags = 0;
};

// The encoding a file is read in and the byte-order mark skipped before it.
struct TextRecordEncoding
{
    int encoding = 0; // 1 UTF-8, 2 UTF-16BE, 3 UTF-16LE, 6 ANSI; 0 for UTF-32 (refused)
    qsizetype markBytes = 0;
};

// TEXTERR_NONE when the options can open a file, else the first fault found.
quint32 CheckTextRecordOptions(const TextRecordOptions* options);

// The separators and quote of options whose separators and quoting are valid.
TextRecordSyntax ChooseTextRecordSyntax(const TextRecordOptions& options);

// A byte-order mark at the start of head names the encoding; without one the
// caller's named encoding (a TextFileEncoding) holds.
TextRecordEncoding DetectTextRecordEncoding(QByteArrayView head, quint32 namedEncoding);
