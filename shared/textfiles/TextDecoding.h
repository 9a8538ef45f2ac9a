#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

// Decodes the bytes of a text file's line behind what text holds, as the
// library's text imports read them: false when they are no text of the
// decoder's encoding. In UTF-16 that also covers a lone surrogate and half a
// unit, which Qt's decoder lets through. The text then holds what the decoder
// made of the bytes, for a message to show.
bool AppendDecodedText(QStringDecoder& decoder, bool utf16, QByteArrayView bytes, QString& text);
