#pragma once

// What the two media windows share: on opening they copy the media folders
// they edit into the work folder Temporary and the items they show into
// their own array; Select and Delete change only those copies; OK puts the
// work copies in place of the real folders, all or none, and the items into
// the menu's array; Cancel drops the copies.

#include "monitor/CMainDlg.h"

#include <QStringList>

#include <vector>

class QLineEdit;

namespace mervolt {

// One slot of a media window: a media file (edit, Select and Delete, the
// three language keys that choosing needs) or a telop text (edit only).
struct MonMediaSlot
{
    enum Kind { Media, Telop } kind;
    uint editId;
    QString key;
    QString folder;
    uint selectId = 0;
    uint deleteId = 0;
    const char* filterKey = nullptr;
    const char* sizeLimitKey = nullptr;
    const char* permitKey = nullptr;
};

class CMediaDataDlg : public CMainDlg
{
    Q_OBJECT

public:
    // table: in the order the window shows them; folders: the media folders
    // it copies and puts back, in that order.
    CMediaDataDlg(QWidget* parent, uint templateId, std::vector<MonMediaSlot> table,
                  QStringList folders);
    ~CMediaDataDlg() override;

    const std::vector<MonMediaSlot>& Slots() const { return m_slots; }
    const QStringList& Folders() const { return m_folders; }
    QLineEdit* Edit(const MonMediaSlot& slot) const;

    // The select and delete buttons of a slot.
    void OnSelect(const MonMediaSlot& slot);
    void OnDelete(const MonMediaSlot& slot);

    // A window whose opening failed or was aborted never shows.
    int exec() override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;
    // Connects the buttons of every slot (the subclass has made them).
    void ConnectSlots();

private:
    bool OpenWorkCopies();
    bool Commit();

    std::vector<MonMediaSlot> m_slots;
    QStringList m_folders;
    bool m_bOpenFailed = false;
};

// The megabytes of a size-limit key in bytes.
qint64 MediaSizeLimit(const char* key);

} // namespace mervolt
