#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// A character XML 1.0 allows in a document.
bool IsXmlChar(char32_t c);

// Replaces out with text escaped for XML. A CR is dropped; a tab and a line
// feed become character references in an attribute, where a reader would
// otherwise fold them to spaces. False on a lone surrogate or a character
// XML 1.0 forbids.
bool EscapeXml(QStringView text, bool attribute, QString& out);
// True when EscapeXml would leave text as it is: no markup, no control
// characters, no surrogates (most values).
bool IsPlainXmlText(QStringView text);

} // namespace platform
