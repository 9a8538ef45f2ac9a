#pragma once

// The archive header: the texts of "machinetype", "crxver", "regver",
// "system" and "package", and two flags whose bit 0 says that the archive
// held a "regver" (respectively "package") element, even an empty one. On
// export the flags keep an empty element.

#include <QString>

struct CrxFileInfo
{
    QString machineType;
    QString crxVersion;
    QString regVersion;
    QString system;
    QString package;
    int regVersionFlags = 0;
    int packageFlags = 0;
};
