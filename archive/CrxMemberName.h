#pragma once

// Names of archive members. Tar names carry no encoding: ours are UTF-8, a
// Windows tar writes the legacy code page (CP932), and so are named the
// files copied from a register's own system. The open reads a name by its
// bytes; the save stores a file under the bytes of its name on disk, which
// the open then reads back as the same text.

#include <QByteArray>
#include <QString>

// The name the open reads from a member's bytes: UTF-8 when they are valid
// UTF-8, else the legacy code page. Decoding them lossily as UTF-8 once gave
// two files one name.
QString CrxMemberNameText(const QByteArray& bytes);

// A file name's bytes on disk as text by the same rule; false in known when
// they are neither UTF-8 nor the legacy code page (bytes the code page does
// not know become U+FFFD).
QString CrxNativeNameText(const QByteArray& bytes, bool& known);
