#pragma once

// The INSERT statements of the seed files the base program reads: its
// general features, formal-receipt settings, messages and print forms, and the
// definitions and value names the setting detail list shows.

#include <QFile>
#include <QStringList>

inline QStringList BaseSeedInserts()
{
    QStringList inserts;
    for (const char* seed :
         {"CSB001", "CSB002", "CSB003", "CSB007", "CSM012", "CSM014", "CSM016", "CSM017"}) {
        QFile file(QStringLiteral(KORVANE_SOURCE_DIR "/resources/schema/seeds/%1.sql")
                       .arg(QLatin1String(seed)));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        for (const QString& line : QString::fromUtf8(file.readAll()).split(u'\n'))
            if (line.startsWith(QLatin1String("INSERT")))
                inserts << line;
    }
    return inserts;
}
