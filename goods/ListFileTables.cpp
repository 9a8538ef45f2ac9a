#include "goods/ListFileTables.h"

#include "goods/CTextImpExp.h"

#include "shared/data/CColumnData.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"

#include <QRect>

namespace brelkin {

namespace {

QString DisplayText(CColumnData* column, const CRecord& record, int index)
{
    return WithoutTrailingBlanks(column->GetDescript(record.value(index)));
}

// The column list indexes of the carried columns.
QList<int> ListFileColumns(const CColumnDataList* list, int count)
{
    QList<int> columns;
    for (int i = 0; i < count; ++i)
        if (IsListFileColumn(list->m_ppColumnData[i]))
            columns << i;
    return columns;
}

void AddRows(CDataManager* dataManager, CTextImpExp& data, int first, int last,
             const QList<int>& columns)
{
    const CColumnDataList* list = dataManager->GetColumnDataList();
    const CStringArrayPtrArray& records = dataManager->m_arrRecords;
    first = std::max(first, 1);
    last = std::min<qsizetype>(last, records.GetSize());
    for (int recordNo = first; recordNo <= last; ++recordNo) {
        QStringList* row = data.GetRow(data.GetRowCount());
        const CRecord* record = records.GetAt(recordNo - 1);
        for (int i : columns)
            *row << (record ? DisplayText(list->m_ppColumnData[i], *record, i) : QString());
    }
}

} // namespace

QString WithoutTrailingBlanks(QString text)
{
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).isSpace())
        --end;
    text.truncate(end);
    return text;
}

bool IsListFileColumn(const CColumnData* column)
{
    return column && !column->m_strColumnName.isEmpty() && column->m_nLabelWidth != 0 &&
           column->m_bVisible;
}

void BuildExportTable(CDataManager* dataManager, CTextImpExp& data, int first, int last,
                      const QString& lastColumnName)
{
    const CColumnDataList* list = dataManager->GetColumnDataList();
    int count = list->m_nColumnCount;
    if (!lastColumnName.isEmpty())
        for (int i = 0; i < list->m_nColumnCount; ++i)
            if (list->m_ppColumnData[i]->m_strColumnName == lastColumnName) {
                count = i + 1;
                break;
            }
    const QList<int> columns = ListFileColumns(list, count);
    for (int i : columns)
        data.m_arrHeader << GetLangString(list->m_ppColumnData[i]->m_strLabelKey);
    AddRows(dataManager, data, first, last, columns);
}

void BuildCopyTable(CDataManager* dataManager, CTextImpExp& data, int first, int last,
                    const QList<int>& columnMap, int firstColumn, int lastColumn)
{
    const CColumnDataList* list = dataManager->GetColumnDataList();
    for (int i : ListFileColumns(list, list->m_nColumnCount))
        data.m_arrHeader << GetLangString(list->m_ppColumnData[i]->m_strLabelKey);
    QList<int> columns;
    for (int c = std::max(firstColumn, 0); c <= lastColumn && c < columnMap.size(); ++c) {
        const int index = columnMap[c];
        if (index >= 0 && index < list->m_nColumnCount &&
            IsListFileColumn(list->m_ppColumnData[index]))
            columns << index;
    }
    AddRows(dataManager, data, first, last, columns);
}

void PreparePasteRows(CDataManager* dataManager, CTextImpExp& data, QRect& selection)
{
    const CColumnDataList* list = dataManager->GetColumnDataList();
    QStringList labels;
    for (int i : ListFileColumns(list, list->m_nColumnCount))
        labels << GetLangString(list->m_ppColumnData[i]->m_strLabelKey);
    const int rows = data.GetRowCount();
    const int values = data.GetColumnCount();
    const int left = selection.left();
    selection.setRight(left + values - 1);
    selection.setBottom(selection.top() + rows - 1);
    data.m_arrHeader.clear();
    if (left > 0) {
        data.m_arrHeader << labels.value(0);
        data.InsertRecordCodes(selection.top() + 1, dataManager->m_arrRecords);
    } else {
        data.ReplaceRecordCodes(selection.top() + 1, dataManager->m_arrRecords);
    }
    for (int i = 0; i < values && left + i < labels.size(); ++i)
        data.m_arrHeader << labels[left + i];
}

} // namespace brelkin
