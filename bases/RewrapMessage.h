#pragma once

#include <QString>
#include <QStringList>

namespace dunmarel {

// The preview lines of a receipt message as the register prints it: lines
// break at CR LF and where the next character would pass the paper's columns
// (halved for a double-width block). With newline 1 a long line goes on in
// the following lines and a closing line break adds an empty line; with 0
// only the first columns of every typed line are printed.
QStringList RewrapMessage(const QString& text, int columns, int newline, int doubleWidth);

} // namespace dunmarel
