#pragma once

#include "launcher/CTovanelDialog.h"
#include "launcher/CrxPartialWrite.h"
#include "platform/MessageBox.h"

#include <QStringList>

#include <functional>
#include <vector>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QTableView;

namespace tovanel {

class CTableSelectModel;

// The tables of a selective save, each with the way the register applies
// it (replace, add or update, difference), the signage media to pack, the
// OES set-data file, a full archive beside it, and the file names. OK
// checks the choice, asks for the file name (the partial archive gets
// "SUB_", a signage-only one "DISP_") and confirms.
class CCrxTblSelDlg : public CTovanelDialog
{
    Q_OBJECT
public:
    static constexpr uint IDD = 3019;
    static constexpr uint IDC_CHECK_SAVEALL = 1002;
    static constexpr uint IDC_LIST = 1003;
    static constexpr uint IDC_COMBO = 1004;
    static constexpr uint IDC_CHECK_W_MOVIE = 1005;
    static constexpr uint IDC_CHECK_W_SLIDESHOW = 1006;
    static constexpr uint IDC_CHECK_T_SLIDESHOW = 1007;
    static constexpr uint IDC_CHECK_T_ITEMIMAGE = 1008;
    static constexpr uint IDC_CHECK_R_RECOMMEND = 1009;
    static constexpr uint IDC_BUTTON_SELITEMOPER = 1010;
    static constexpr uint IDC_BUTTON_SELITEMSET = 1011;
    static constexpr uint IDC_BUTTON_SELITEMDIFF = 1012;
    static constexpr uint IDC_CHECK_FOR_SIGNAGE = 1013;
    static constexpr uint IDC_EDIT_OESFILE = 1067;
    static constexpr uint IDC_BUTTON_SELFOLDER = 1068;
    static constexpr uint IDC_BUTTON_KEYSET = 1069;
    static constexpr uint IDC_BUTTON_SHOPDATA = 1070;
    static constexpr uint IDC_BUTTON_SELALL = 1071;
    static constexpr uint IDC_BUTTON_CALCELALL = 1072;
    static constexpr uint IDC_CHECK_OESFILE = 1074;

    // The table groups of section "SELECT_SAVE", in this order.
    enum Group : int { DIFFITEM, ITEM_CLERK, RELATEDITEM, KEYLAYOUT, STOREINFO, GROUP_COUNT };

    // Reads the groups of the launcher INI; a missing INI shows its message
    // and throws CUserException.
    explicit CCrxTblSelDlg(QWidget* parent = nullptr);
    ~CCrxTblSelDlg() override;

    // The partial archive's file name for the chosen name.
    static QString PartialArchiveName(const QString& name, bool signageOnly, bool dispArchive);

    // In: the folder of the work database, the open archive ("" =
    // untitled), whether it is a display archive.
    QString m_strLocalDataFolder;
    QString m_strCurFilePath;
    int m_bDispArchive = 0;
    // Refuses a chosen archive path (after its own message); the chooser
    // comes again. fullArchive: a full archive is written under that path.
    std::function<bool(const QString& path, bool fullArchive)> m_checkTarget;

    // Out: the table lists, media groups and no-data-info (signage only) of
    // the partial write; a full archive too; the names; the OES file.
    CrxPartialWrite m_partial;
    int m_bSaveAll = 0;
    QString m_strPartialPath;
    QString m_strFullFileName;
    QString m_strFullPath;
    QString m_strOesFolder;
    QString m_strOesFile;

    const std::vector<QStringList>& Groups() const { return m_groups; }
    CTableSelectModel& Model() const { return *m_pModel; }
    QTableView* List() const { return m_pList; }
    QComboBox* Combo() const { return m_pCombo; }

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void OnGroup(int group);
    void OnComboChanged();
    void OnSignageChanged();
    void OnSelectOesFile();
    void EnableParts();
    void SetColumnWidths();
    void FillList();
    int ComboType() const;
    // The save chooser and its checks; false on Cancel.
    bool ChooseArchiveNames();
    QCheckBox* Check(uint id);

    std::vector<QStringList> m_groups;
    bool m_bUntitled = false;
    QString m_strChosenBefore; // the OES file last chosen in this dialog
    CTableSelectModel* m_pModel = nullptr;
    QTableView* m_pList = nullptr;
    QComboBox* m_pCombo = nullptr;
    QLineEdit* m_pOesEdit = nullptr;
};

} // namespace tovanel
