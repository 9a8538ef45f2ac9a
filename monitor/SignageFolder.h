#pragma once

// The signage folder that the register's customer display plays from: the
// local data folder + "/additionals/Orbanel", one sub-folder per kind of
// media, and Setting/Preference.xml. Its default source is the same tree in
// the installation's resource folder.

#include <QString>
#include <QStringList>

namespace mervolt {

class CXmlDataArray;

namespace signage {
inline const QString Movie = QStringLiteral("Movie");
inline const QString FullImage = QStringLiteral("FullImage");
inline const QString FullTelop = QStringLiteral("FullTelop");
inline const QString Music = QStringLiteral("Music");
inline const QString HalfImage = QStringLiteral("HalfImage");
inline const QString HalfTelop = QStringLiteral("HalfTelop");
inline const QString ItemImage = QStringLiteral("ItemImage");
inline const QString Recommend = QStringLiteral("Recommend");
inline const QString Setting = QStringLiteral("Setting");
inline const QString Temporary = QStringLiteral("Temporary");
inline const QString PreferenceFile = QStringLiteral("Preference.xml");
inline const QString DefaultItemImage = QStringLiteral("0000000000000000.png");
// The type of every item the program looks up.
inline const QString StringType = QStringLiteral("string");
} // namespace signage

QString GetSignageFolder();
QString GetResourceSignageFolder();
// signage folder + "/" + sub, then "/" + file when file is not empty.
QString GetSignagePath(const QString& sub, const QString& file);
// signage folder + "/" + sub + "/" + file, whatever file holds.
QString GetSignageFilePath(const QString& sub, const QString& file);
// The local Setting/Preference.xml.
QString GetPreferencePath();

// A "_file" value is used as a path only when it is a bare file name: not
// empty, no "/" or "\", not "." or "..", no control character. Anything
// else (it may come from an archive) counts as no file.
bool IsBareFileName(const QString& value);
// A character no bare file name holds: "/", "\", a control character.
bool IsRefusedFileNameChar(QChar c);

// Creates the missing folders of the tree and copies the default picture
// and Preference.xml from the resource folder (the copies made writable).
// 1 when every creation and copy that ran succeeded, else 0; a failure does
// not stop the later steps.
int PrepareSignageFolders();

// The string keys of a media folder, in the order they are blanked:
// "transaction_item1_file", "transaction_item1_name", ... for ItemImage and
// Recommend, up to the language file's limit of slots.
QStringList MediaFolderKeys(const QString& folder);
// The media folders in the order they are tested.
QStringList MediaFolders();
// Every key the program reads and writes, in the default file's order.
QStringList AllPreferenceKeys();
// The number of item and recommendation image slots (language texts
// "CRDS_MO_LIMITCOUNT_ITEMIMAGE" and "CRDS_MO_LIMITCOUNT_RECOMMENDIMAGE").
int ItemImageLimit();
int RecommendImageLimit();

// Blanks the keys of every missing media folder (appending those not there)
// and, when a folder was missing, writes the items to the local
// Preference.xml (not when write is false: after a failed read the items
// are no file to write back). Returns the number of missing folders.
int RepairPreferenceItems(CXmlDataArray& items, bool write = true);

} // namespace mervolt
