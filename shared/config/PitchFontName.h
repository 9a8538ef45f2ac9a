#pragma once

#include <QString>

// Font face names the user may set in the options INI (section "CONFIG" of
// "Yarrowin.ini"): "FIXEDFONT" for fixed-pitch texts, "PROPLFONT" for
// proportional ones. Without a value, the language texts "CRDS_CMN_FONTNAME"
// and "CRDS_CMN_FONTNAME_P" name them. Read afresh on every call.
QString GetFixPitchFontName();
QString GetPropoPitchFontName();
