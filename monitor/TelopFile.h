#pragma once

// The telop text files of the media windows: UTF-8 without byte-order mark,
// lines ended by CR LF, read up to 1,024 bytes.

#include <QString>

namespace mervolt {

// The folder of a telop key: FullTelop for "idle_telop1_file" ...,
// HalfTelop for "transaction_telop1_file" ...; "" for any other key.
QString TelopFolderOf(const QString& key);
// "FullTelop3.txt" for "idle_telop3_file", "HalfTelop1.txt" for
// "transaction_telop1_file"; "" for any other key.
QString DefaultTelopFileName(const QString& key);
// The file a telop slot uses: its value when that is a bare file name,
// else the slot's default name.
QString TelopFileNameOf(const QString& key, const QString& value);
// Makes the slot's default file, empty, in the work copy when it is missing
// (an existing one is left alone) and returns its name.
QString CreateDefaultTelopFile(const QString& key);
// The first 1,024 bytes of the file (CR LF read as LF) as text; "" when it
// cannot be read or file is no bare file name.
QString ReadTelopFile(const QString& folder, const QString& file);
// Writes the text with LF as CR LF, beside the file and renamed over it.
// False (nothing written) when it fails or file is no bare file name.
bool WriteTelopFile(const QString& folder, const QString& file, const QString& text);

} // namespace mervolt
