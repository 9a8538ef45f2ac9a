#pragma once

#include <QList>
#include <QString>

class CSQliteDB;
class CStringArrayPtrArray;
class QWidget;

// The statements on the rows of "CSB008" that the graphic list and the easy
// pages share. Each returns the database layer's status, 0 on success.
namespace pellark {

// The stored image of a code into fileName in the connection's blob folder
// (no file when the row has none).
int ReadGraphicBlob(CSQliteDB& db, const QString& key, const QString& fileName);

// FILENAME, the update time and the image of one row; blobFile is a file
// name in the connection's blob folder, "" for no image.
struct GraphicRowWrite
{
    QString key;
    QString fileName;
    QString blobFile;
};
// All rows in one transaction: a failure leaves every row as it was.
int WriteGraphicRows(CSQliteDB& db, const QList<GraphicRowWrite>& rows);

// The rows of the graphic types whose codes are not among existing, each
// with FILENAME " " (no image), in one transaction.
int CreateMissingGraphicRows(CSQliteDB& db, const QList<int>& existing);

// The rows of "CSB008" into records, the missing ones made first; false
// after the message of what failed.
bool LoadGraphicRows(QWidget* parent, CSQliteDB& db, CStringArrayPtrArray& records);

} // namespace pellark
