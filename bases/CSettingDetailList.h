#pragma once

#include "bases/ISettingDetailCells.h"

#include "shared/data/CStringArrayPtrList.h"

#include <QHash>
#include <QList>
#include <QPointer>
#include <QString>
#include <QStringList>

#include <vector>

class CDataManager;
class CRecord;
class QWidget;

namespace dunmarel {

class CBsMainListCtrl;
class CSettingDetailModel;

// The setting detail page's list of every "CSB001" setting (title and value)
// over the detail manager's rows. Coded values show their names from
// "CSM016" by the definitions of "CSM017"; a double click edits a value in
// the one-value dialog. Edits stay in the rows, marked with the time this
// object was made, until the confirmed save writes exactly the marked rows.
class CSettingDetailList : public ISettingDetailCells
{
public:
    static constexpr unsigned kListId = 1181;

    // The editor a row opens: the dialog form, its digits and choices.
    struct Editor
    {
        bool open = false;
        int type = 0;
        int digits = 0; // integer digits + decimals
        int decimals = 0;
        QList<QStringList> choices; // {code, text}
    };

    // page: holds the list control listId (its layout) and parents the editor.
    CSettingDetailList(QWidget* page, unsigned listId = kListId);
    ~CSettingDetailList() override;
    CSettingDetailList(const CSettingDetailList&) = delete;
    CSettingDetailList& operator=(const CSettingDetailList&) = delete;

    bool LoadValueNames(CDataManager& manager);
    bool LoadDefinitions(CDataManager& manager);
    // Puts the model on the list control; false without the control.
    bool Fill(CDataManager& manager);

    int RowCount() const override;
    int ColumnCount() const override { return int(m_columnMap.size()); }
    QString ColumnTitle(int column) const override;
    Qt::Alignment ColumnAlignment(int column) const override;
    QString GetCellText(int row, int column) const override;
    // Only the Title column sorts: ascending first, then each click reverses.
    void SortByColumn(int column);
    Editor EditorOf(int row) const;
    // Edits the selected row; true when a value was taken.
    bool EditSelectedRow();
    // Takes an edited value into a row and marks it.
    void SetRowValue(int row, const QString& value);
    bool SaveChanges(CDataManager& manager, int& status);

    const QString& EditMarker() const { return m_strEditMarker; }
    CBsMainListCtrl* ListCtrl() const { return m_pListCtrl; }
    CSettingDetailModel* Model() const;

private:
    // Codes looked up without regard to case, with no lowered copy made:
    // one code, or a setting id with one of its values.
    struct CaselessKey
    {
        QString code;
        QString value;
        friend bool operator==(const CaselessKey& a, const CaselessKey& b)
        {
            return a.code.compare(b.code, Qt::CaseInsensitive) == 0 &&
                   a.value.compare(b.value, Qt::CaseInsensitive) == 0;
        }
        // Folded as the comparison folds, so equal keys hash alike (codes
        // are ASCII, which folds without the tables).
        static size_t Fold(QChar c)
        {
            const char16_t u = c.unicode();
            if (u < 0x80)
                return u >= u'A' && u <= u'Z' ? u + 0x20 : u;
            return c.toCaseFolded().unicode();
        }
        friend size_t qHash(const CaselessKey& key, size_t seed)
        {
            size_t hash = seed;
            for (QChar c : key.code)
                hash = hash * 31 + Fold(c);
            hash = hash * 31 + 1;
            for (QChar c : key.value)
                hash = hash * 31 + Fold(c);
            // Codes differ in their last digits: spread them over all bits.
            hash ^= hash >> 33;
            hash *= 0xff51afd7ed558ccdULL;
            return hash ^ (hash >> 33);
        }
    };

    CRecord* Row(int row) const;
    const QStringList* FindDefinition(const QString& code) const;
    QString GetValueName(const QStringList& definition, const QString& value) const;
    void FreeDescriptions();

    QWidget* m_pPage;
    unsigned m_nListId;
    CDataManager* m_pManager = nullptr; // not owned
    CStringArrayPtrList m_valueNames;   // {SETCODEID, LISTNUMBER, SETNAME, SETVALUE}
    CStringArrayPtrList m_definitions;  // {SETCODEID, SETCODE, TITLE, SETVALUETYPE, DEFAULTSET}
    // Look-ups by codes in any letter case, built when the tables are read;
    // the first row of a code wins.
    QHash<CaselessKey, const QStringList*> m_definitionByCode;
    QHash<CaselessKey, const QStringList*> m_valueNameByIdAndValue;
    CBsMainListCtrl* m_pListCtrl = nullptr; // the page's
    QPointer<CSettingDetailModel> m_pModel; // child of the list control
    std::vector<int> m_columnMap;           // list column -> row value
    QStringList m_columnTitles;
    std::vector<Qt::Alignment> m_columnAlignments;
    int m_nSortColumn = -1;
    int m_nSortDirection = 1; // 1 ascending
    QString m_strEditMarker;
};

} // namespace dunmarel
