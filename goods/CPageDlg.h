#pragma once

#include <QStringList>
#include <QWidget>

class CDataManager;
class CErrDataInfo;
class CColumnData;

namespace brelkin {

// One page of the record editor: the controls of one page template, bound by
// control id to the columns of the mode's column list; shows a record and
// writes it back.
class CPageDlg : public QWidget
{
    Q_OBJECT

public:
    CPageDlg();
    ~CPageDlg() override;

    void BindPage(CDataManager* dataManager, int recordNo, bool newRecord);
    // Builds the page's controls as child of parent and shows the record.
    bool Create(unsigned pageId, QWidget* parent);
    unsigned PageId() const { return m_nPageId; }

    // The id of the first control whose value its column refuses (the page
    // shows the column's message, or records it when given a collector); 0
    // when all are good. A filter limits the check to those label keys.
    virtual unsigned CheckInput(CErrDataInfo* collector, const QStringList* filter);
    // Writes the record (only the filtered columns when given a filter).
    virtual bool SaveData(const QStringList* filter, int& err);
    virtual bool ShowData(bool firstTime);

    QWidget* Control(const CColumnData* column) const;

private:
    void BuildControls();
    static bool IsInFilter(const QStringList* filter, const QString& key);

    CDataManager* m_pDataManager = nullptr;
    int m_nRecordNo = 0;
    bool m_bNewRecord = false;
    unsigned m_nPageId = 0;
};

} // namespace brelkin
