#pragma once

#include <QStringList>
#include <QWidget>

#include <memory>
#include <vector>

class CColumnData;
class CDataManager;

namespace dunmarel {

class CSettingDetailList;

// One page of the tab dialog: a child widget of the tab control (never a
// window of its own: Escape ends the tab dialog as Cancel, and a page never
// hides itself). It shows, checks and saves every descriptor of its manager's
// column list whose control it has.
class CPageDlg : public QWidget
{
    Q_OBJECT

public:
    CPageDlg();
    ~CPageDlg() override;

    virtual void SetDataManager(CDataManager* manager, int recordNo, int newRecord);
    // Builds the page's controls under parent and shows the record; false
    // when the page has no layout or the record cannot be shown.
    virtual bool Create(unsigned pageId, QWidget* parent);

    virtual bool ShowData();
    // 0 when the page may be saved, else the control to focus (its message
    // has been shown).
    virtual unsigned CheckInput();
    // Writes the page's values; on a failure its message has been shown and
    // err holds the status.
    virtual bool SaveData(int& err);

    // A detail page hosts the setting detail list in place of controls.
    bool IsDetailPage() const;
    CSettingDetailList* DetailList() const { return m_pDetailList.get(); }
    // The reservation's date and time pickers follow its radios: disabled
    // (neither checked nor saved) while the reservation is off.
    void UpdateReservationControls();

    unsigned PageId() const { return m_nPageId; }
    CDataManager* DataManager() const { return m_pDataManager; }
    // The page's control of a descriptor; nullptr when it has none.
    QWidget* Control(const CColumnData* column) const;

private:
    // The value to write for descriptor i, or false when it is not written:
    // a value the user did not touch stays as stored, and a choice control
    // showing no choice is not written.
    bool ValueToSave(int index, QWidget* control, QString& value) const;
    bool CreateDetailList();
    // False when the user chose to go back to the reservation radio.
    bool ConfirmTaxScheduler();

    CDataManager* m_pDataManager = nullptr; // not owned
    int m_nRecordNo = 1;
    int m_nNewRecord = 0;
    unsigned m_nPageId = 0;
    std::vector<QString> m_shown; // each descriptor's control value as shown
    std::unique_ptr<CSettingDetailList> m_pDetailList;
};

} // namespace dunmarel
