#pragma once

#include <QImage>
#include <QString>

class CStampImageMgr;

namespace dunmarel {

// The picture the program draws in place of a graphic that has none: one of
// its own resources (139 the stamp placeholder, 140 to 143 the formal
// receipt's seals and logos).
QImage ProgramPicture(int resourceId);

// The stored picture of a graphic of "CSB008", decoded with the suite's size
// limit from a temporary copy that is deleted afterwards; the program's
// picture fallbackId when the graphic has none or it does not decode.
QImage LoadStampPicture(CStampImageMgr& stamps, const QString& graphicCode, int fallbackId);

} // namespace dunmarel
