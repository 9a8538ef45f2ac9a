#pragma once

#include <QStringView>

// A value of a table text file lives on one line and must also travel in a
// setting archive (XML 1.0), so it may hold no control character but TAB:
// no line break and none of the characters XML refuses. The position of the
// first such character, -1 when there is none.
qsizetype FindUncarriedChar(QStringView value);
