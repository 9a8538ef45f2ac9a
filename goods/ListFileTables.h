#pragma once

#include <QList>
#include <QString>

class CColumnData;
class CDataManager;
class QRect;

namespace brelkin {

class CTextImpExp;

// The tables of the easy list's list files and clipboard rows, built from a
// mode's column list and record cache. Free of widgets.

// A list file's value with its trailing blanks removed, as it is written and read.
QString WithoutTrailingBlanks(QString text);

// A column that list files carry: named, labelled and visible.
bool IsListFileColumn(const CColumnData* column);

// Header: the label texts of the carried columns up to and including the
// column named lastColumnName (all when "" or none has that name); a row per
// record from first to last (record numbers) of their display texts.
void BuildExportTable(CDataManager* dataManager, CTextImpExp& data, int first, int last,
                      const QString& lastColumnName);

// The cells of records first to last in list columns firstColumn to
// lastColumn (columnMap: the column list index of each list column).
void BuildCopyTable(CDataManager* dataManager, CTextImpExp& data, int first, int last,
                    const QList<int>& columnMap, int firstColumn, int lastColumn);

// Pasted rows made ready for the row import: row j goes into the record of
// list row selection.top() + j, whatever code it holds (the record's code
// leads it), rows past the last record are dropped, and the header names
// the columns from the selection's left column on. The selection then
// covers the pasted block (inclusive right and bottom).
void PreparePasteRows(CDataManager* dataManager, CTextImpExp& data, QRect& selection);

} // namespace brelkin
