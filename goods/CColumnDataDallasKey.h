#pragma once

#include "shared/data/CColumnData.h"

#include <memory>
#include <optional>

namespace brelkin {

// A clerk's Dallas key id. It is a second descriptor of the clerk code: its
// value is the clerk code, while its control shows and edits the key id,
// kept as a row of its own in CSB010 and never written to the clerk table.
// The state runs from SetControlValue (record shown) through the check and
// GetControlValue to SaveItemEX (after the clerk row was written).
class CColumnDataDallasKey : public CColumnData
{
public:
    CColumnDataDallasKey(const QString& column, const QString& labelKey, uint ctrlId,
                         uint labelCtrlId);
    ~CColumnDataDallasKey() override;

    // The clerk's key id, "" when he has none.
    QString GetDescript(QString value) override;
    void SetControlValue(QWidget* control, const QString& value) override;
    // Takes the key id from the control; value stays the clerk code.
    void GetControlValue(QWidget* control, QString& value) override;
    // A key id typed on the clerk page: letters and digits only, and no
    // other clerk's key; an empty id passes. Keeps what the save needs to
    // know about the id.
    bool CheckKeyID(const QString& keyID);
    void FreeResorce() override;
    // Key ids are set on the clerk page only: always refused.
    bool CheckItemValue(QString keyName, QString keyValue, QString value) override;
    void GetPreEditValue(QWidget* control, QString& value) override;
    // 0: writes the key id checked last; 1: deletes the key row of the clerk
    // named by SetDeletedClerkCode.
    void SaveItemEX(int action) override;

    // The list names the clerk before it deletes his row, so that the
    // delete that follows removes his key row and no other.
    void SetDeletedClerkCode(const QString& clerkCode) { m_strDeletedClerkCode = clerkCode; }
    // Status of the last CSB010 write (0 = success or nothing written). A
    // failed save leaves it non-zero, so the caller can undo the clerk row.
    int GetLastWriteStatus() const { return m_nLastWriteStatus; }
    // The caller rolled back the transaction that held the last write: the
    // key state goes back to what it was before it, so a retry writes again.
    void RestoreAfterRollback();

    QString m_strKeyTable = QStringLiteral("CSB010");
    QString m_strKeyColumn = QStringLiteral("DALLASKEYID");
    std::unique_ptr<CSQliteSQL> m_pLookupSQL;
    std::unique_ptr<CSQliteSQL> m_pCheckSQL;
    std::unique_ptr<CSQliteSQL> m_pWriteSQL;
    QString m_strKeyID;       // key id last looked up or read from the control
    QString m_strStoredKeyID; // the clerk's key id when the record was shown
    QString m_strClerkCode;
    QString m_strKeyCreateTime; // CREATEDATETIME of another clerk's row found by the check
    int m_nControlHolds = 0;
    int m_nKeyExists = 0;
    int m_nKeyChanged = 0;

private:
    bool PrepareWrite();
    // Every key id of a clerk (normally one); false when the read fails.
    bool LookUpKeyIDs(const QString& clerkCode, QStringList& keyIDs);
    int WriteKeyChange();
    int DeleteClerkKeys(const QString& clerkCode);

    QString m_strDeletedClerkCode;
    int m_nLastWriteStatus = 0;

    struct KeyState
    {
        QString storedKeyID;
        QString keyCreateTime;
        int keyExists = 0;
        int keyChanged = 0;
    };
    std::optional<KeyState> m_beforeWrite; // before the last write of this record
};

} // namespace brelkin
