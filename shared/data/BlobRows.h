#pragma once

#include <QString>
#include <QStringList>

class CSQliteDB;

// Blob rows of a table with a one-column key, moved through files.

// Reads blobColumn of the row whose keyColumn is key into the file, byte for
// byte; status gets the database layer's result. A row without data leaves no
// file.
bool ReadBlobRowToFile(CSQliteDB& db, const QString& table, const QString& keyColumn,
                       const QString& key, const QString& blobColumn, const QString& file,
                       int& status);

// Deletes the row of a one-column key and, when filePath is not empty,
// inserts it anew with the given values and the file's bytes in blobColumn.
// Both steps run in one transaction (or inside the caller's, when one is
// open), so a failed insert leaves the old row. A missing old row is no
// failure. False on any failure.
bool ReplaceBlobRow(CSQliteDB& db, const QString& table, const QString& keyColumn,
                    const QString& key, const QStringList& valueColumns, const QStringList& values,
                    const QString& blobColumn, const QString& filePath);
