#include "launcher/CCrxTblSelDlg.h"

#include "goods/base/ProgramMessage.h"
#include "launcher/CTableSelectModel.h"
#include "launcher/IniTableList.h"
#include "launcher/TableSelectList.h"
#include "launcher/OesSetDataFile.h"
#include "launcher/TovanelStrings.h"
#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/dialogs/CDialogTemplate.h"
#include "shared/dialogs/FileDialogFilter.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"
#include "stroven/Stroven.h"
#include "platform/FileChooser.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStandardPaths>
#include <QTableView>

namespace tovanel {

namespace {

const QString kSection = QStringLiteral("SELECT_SAVE");

// Key, default tables, column key of each group, in the order of Group.
const struct
{
    const char* key;
    const char* defaults;
    const char* column;
} kGroups[] = {
    {"DIFFITEM", "CIA001", "CRDS_TXT_SELSITEMDIFF"},
    {"ITEM_CLERK", "CIA001,CIA002,CSB004", "CRDS_TXT_SELSITEMOPE"},
    {"RELATEDITEM",
     "CIA001,CIA002,CIA003,CIB001,CIB002,CSA004,CSA005,CSA006,CSB012,CSB021,CSB022,CSB023",
     "CRDS_TXT_SELSITEMETC"},
    {"KEYLAYOUT", "CIA002,CSB002,CSB003,CSB011,CSB012,CSB021,CSB022,CSB023", "CRDS_TXT_SELSKEYLAY"},
    {"STOREINFO", "CSB007,CSB008,CTN002,CTN003,CTN004", "CRDS_TXT_SELSSHOPINFO"},
};

// Controls without a member of their own.
constexpr uint IDC_LABEL_OESFILE = 1076;
constexpr uint IDC_MESSAGE_OESFILE = 1075;
constexpr uint IDC_LABEL_TABLES = 1083;
constexpr uint IDC_MESSAGE_CANNOTOPENFILE = 1084;
constexpr uint IDC_LABEL_CHANGESETTING = 1085;
constexpr uint IDC_MESSAGE_REPLACE = 1086;
constexpr uint IDC_MESSAGE_ADD = 1087;
constexpr uint IDC_MESSAGE_DIFF = 1088;
constexpr uint IDC_MESSAGE_SELECTROWS = 1089;
constexpr uint IDC_MESSAGE_SIGNAGE = 1090;
constexpr uint IDC_MESSAGE_DISPFILE = 1091;

// The group buttons, in the order of Group.
constexpr uint kGroupButtons[] = {
    CCrxTblSelDlg::IDC_BUTTON_SELITEMDIFF, CCrxTblSelDlg::IDC_BUTTON_SELITEMOPER,
    CCrxTblSelDlg::IDC_BUTTON_SELITEMSET, CCrxTblSelDlg::IDC_BUTTON_KEYSET,
    CCrxTblSelDlg::IDC_BUTTON_SHOPDATA};

// The table part: disabled while only the signage is saved.
constexpr uint kTableControls[] = {IDC_LABEL_TABLES,
                                   CCrxTblSelDlg::IDC_LIST,
                                   CCrxTblSelDlg::IDC_BUTTON_SELALL,
                                   CCrxTblSelDlg::IDC_BUTTON_CALCELALL,
                                   IDC_MESSAGE_CANNOTOPENFILE,
                                   IDC_LABEL_CHANGESETTING,
                                   IDC_MESSAGE_REPLACE,
                                   IDC_MESSAGE_ADD,
                                   IDC_MESSAGE_DIFF,
                                   IDC_MESSAGE_SELECTROWS,
                                   CCrxTblSelDlg::IDC_BUTTON_SELITEMDIFF,
                                   CCrxTblSelDlg::IDC_BUTTON_SELITEMOPER,
                                   CCrxTblSelDlg::IDC_BUTTON_SELITEMSET,
                                   CCrxTblSelDlg::IDC_BUTTON_KEYSET,
                                   CCrxTblSelDlg::IDC_BUTTON_SHOPDATA,
                                   CCrxTblSelDlg::IDC_COMBO};

constexpr uint kOesControls[] = {IDC_LABEL_OESFILE, IDC_MESSAGE_OESFILE,
                                 CCrxTblSelDlg::IDC_EDIT_OESFILE,
                                 CCrxTblSelDlg::IDC_BUTTON_SELFOLDER};

// Change types as the combo offers them.
constexpr int kTypeReplace = 1;
constexpr int kTypeAdd = 2;
constexpr int kTypeDiff = 3;

} // namespace

CCrxTblSelDlg::CCrxTblSelDlg(QWidget* parent) : CTovanelDialog(parent)
{
    for (const auto& group : kGroups) {
        QStringList tables = ReadIniTableList(kSection, QLatin1String(group.key));
        if (tables.isEmpty())
            tables = QString::fromLatin1(group.defaults).split(u',');
        m_groups.push_back(tables);
    }

    CDialogTemplate tmpl(this, 9, 540, 338);
    setWindowTitle(QStringLiteral("CRDD_PSAVE_TBLSEL"));
    const auto label = [&tmpl](uint id, const char* key, int x, int y, int w, int h) {
        auto* text = tmpl.Add<QLabel>(id, QLatin1String(key), x, y, w, h);
        text->setWordWrap(true);
        text->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        return text;
    };
    label(IDC_MESSAGE_CANNOTOPENFILE, "CRDC_MESSAGE_CANNOTOPENFILE", 7, 7, 526, 16);
    label(IDC_LABEL_TABLES, "CRDC_LABEL_SELECTTABLE", 7, 26, 400, 8);
    m_pList = tmpl.Add<QTableView>(IDC_LIST, QString(), 7, 36, 400, 140);
    SetUpTableSelectList(m_pList);
    label(IDC_LABEL_CHANGESETTING, "CRDC_LABEL_CHANGESETTING", 415, 36, 118, 8);
    m_pCombo = tmpl.Add<QComboBox>(IDC_COMBO, QString(), 415, 46, 118, 14);
    label(IDC_MESSAGE_REPLACE, "CRDC_MESSAGE_REPLACE", 415, 64, 118, 24);
    label(IDC_MESSAGE_ADD, "CRDC_MESSAGE_ADD", 415, 90, 118, 24);
    label(IDC_MESSAGE_DIFF, "CRDC_MESSAGE_DIFF", 415, 116, 118, 24);
    label(IDC_MESSAGE_SELECTROWS, "CRDC_MESSAGE_SELECTROWS", 415, 142, 118, 34);

    const struct
    {
        uint id;
        const char* key;
    } buttons[] = {
        {IDC_BUTTON_SELALL, "CRDC_BUTTON_SELALL"},
        {IDC_BUTTON_CALCELALL, "CRDC_BUTTON_CALCELALL"},
        {IDC_BUTTON_SELITEMDIFF, "CRDC_BUTTON_SELITEMDIFF"},
        {IDC_BUTTON_SELITEMOPER, "CRDC_BUTTON_SELITEMOPER"},
        {IDC_BUTTON_SELITEMSET, "CRDC_BUTTON_SELITEMSET"},
        {IDC_BUTTON_KEYSET, "CRDC_BUTTON_KEYSET"},
        {IDC_BUTTON_SHOPDATA, "CRDC_BUTTON_SHOPDATA"},
    };
    int x = 7;
    for (const auto& b : buttons) {
        auto* button = tmpl.Add<QPushButton>(b.id, QLatin1String(b.key), x, 180, 56, 14);
        x += 58;
        button->setAutoDefault(false);
        connect(button, &QPushButton::clicked, this, [this, id = b.id] {
            if (id == IDC_BUTTON_SELALL) {
                m_pModel->TickRows(m_pModel->AllRows(), ComboType(), true);
                return;
            }
            if (id == IDC_BUTTON_CALCELALL) {
                m_pModel->UntickRows(m_pModel->AllRows());
                return;
            }
            for (int group = 0; group < GROUP_COUNT; ++group)
                if (kGroupButtons[group] == id)
                    OnGroup(group);
        });
    }

    tmpl.Add<QCheckBox>(IDC_CHECK_SAVEALL, QStringLiteral("CRDC_CHECK_SAVEALL"), 7, 200, 300, 10);
    const struct
    {
        uint id;
        const char* key;
        int x;
        int y;
    } media[] = {
        {IDC_CHECK_W_MOVIE, "CRDC_CHECK_W_MOVIE", 7, 214},
        {IDC_CHECK_W_SLIDESHOW, "CRDC_CHECK_W_SLIDESHOW", 140, 214},
        {IDC_CHECK_T_SLIDESHOW, "CRDC_CHECK_T_SLIDESHOW", 273, 214},
        {IDC_CHECK_T_ITEMIMAGE, "CRDC_CHECK_T_ITEMIMAGE", 7, 226},
        {IDC_CHECK_R_RECOMMEND, "CRDC_CHECK_R_RECOMMEND", 140, 226},
    };
    for (const auto& m : media)
        tmpl.Add<QCheckBox>(m.id, QLatin1String(m.key), m.x, m.y, 130, 10);

    auto* signage = tmpl.Add<QCheckBox>(IDC_CHECK_FOR_SIGNAGE,
                                        QStringLiteral("CRDC_CHECK_FOR_Orbanel"), 7, 242, 300, 10);
    connect(signage, &QCheckBox::toggled, this, &CCrxTblSelDlg::OnSignageChanged);
    label(IDC_MESSAGE_SIGNAGE, "CRDC_MESSAGE_SIGNAGEONLY", 20, 254, 393, 8);
    label(IDC_MESSAGE_DISPFILE, "CRDC_MESSAGE_DISPFILE", 20, 264, 393, 8);

    auto* oes = tmpl.Add<QCheckBox>(IDC_CHECK_OESFILE, QStringLiteral("CRDC_CHECK_OESFILE"), 7, 278,
                                    300, 10);
    connect(oes, &QCheckBox::toggled, this, &CCrxTblSelDlg::EnableParts);
    label(IDC_LABEL_OESFILE, "CRDC_LABEL_OESFILE", 20, 292, 40, 8);
    m_pOesEdit = tmpl.Add<QLineEdit>(IDC_EDIT_OESFILE, QString(), 62, 290, 300, 12);
    auto* select = tmpl.Add<QPushButton>(IDC_BUTTON_SELFOLDER,
                                         QStringLiteral("CRDC_BUTTON_SELFOLDER"), 366, 290, 30, 12);
    select->setAutoDefault(false);
    connect(select, &QPushButton::clicked, this, &CCrxTblSelDlg::OnSelectOesFile);
    label(IDC_MESSAGE_OESFILE, "CRDC_MESSAGE_OESFILE", 20, 304, 393, 8);

    AddOkCancel(tmpl, 420, 318, 478, 318, 55, 14);
}

CCrxTblSelDlg::~CCrxTblSelDlg() = default;

QString CCrxTblSelDlg::PartialArchiveName(const QString& name, bool signageOnly, bool dispArchive)
{
    if (!signageOnly)
        return strings::kSubArchivePrefix + name;
    return dispArchive ? name : strings::kDisplayArchivePrefix + name;
}

QCheckBox* CCrxTblSelDlg::Check(uint id)
{
    return qobject_cast<QCheckBox*>(FindControlById(this, id));
}

bool CCrxTblSelDlg::OnInitDialog()
{
    CTovanelDialog::OnInitDialog();
    m_pCombo->clear();
    m_pCombo->addItem(GetLangString(QStringLiteral("CRDS_TXT_SELSCHANGE")), kTypeReplace);
    m_pCombo->addItem(GetLangString(QStringLiteral("CRDS_TXT_SELSINSUPDATE")), kTypeAdd);
    m_pCombo->setCurrentIndex(0);
    connect(m_pCombo, &QComboBox::currentIndexChanged, this, &CCrxTblSelDlg::OnComboChanged);
    Check(IDC_CHECK_SAVEALL)->setChecked(true);

    if (m_strCurFilePath.isEmpty()) {
        // Not the suite's document folder: that one holds the help.
        QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
        if (documents.isEmpty())
            documents = QDir::homePath();
        m_strCurFilePath = documents + u'/' + CBasePath::GetStrSettingCRX();
        m_bUntitled = true;
    }

    CTableSelectModel::Columns columns;
    columns.code = GetLangString(QStringLiteral("CRDS_TXT_SELSTABLE"));
    columns.name = GetLangString(QStringLiteral("CRDS_TXT_SELSNAME"));
    columns.value = GetLangString(QStringLiteral("CRDS_TXT_SELCHGTYPE"));
    for (const auto& group : kGroups)
        columns.groups << GetLangString(QLatin1String(group.column));
    columns.mark = GetLangString(QStringLiteral("CRDS_TXT_SELPMARK"));
    columns.valueTexts =
        QStringList{QString(), GetLangString(QStringLiteral("CRDS_TXT_SELSCHANGE")),
                    GetLangString(QStringLiteral("CRDS_TXT_SELSINSUPDATE")),
                    GetLangString(QStringLiteral("CRDS_TXT_SELSDIFF"))};
    m_pModel = new CTableSelectModel(columns, this);
    m_pModel->SetTickValue(ComboType());
    FillList();
    m_pModel->SetGroups(m_groups);
    m_pList->setModel(m_pModel);
    m_pModel->SetSelectionModel(m_pList->selectionModel());
    SetColumnWidths();

    if (m_bDispArchive) {
        // A display archive holds signage only: nothing else can be saved.
        QCheckBox* signage = Check(IDC_CHECK_FOR_SIGNAGE);
        signage->setChecked(true);
        signage->setEnabled(false);
        FindControlById(this, IDC_MESSAGE_SIGNAGE)->setEnabled(false);
        FindControlById(this, IDC_MESSAGE_DISPFILE)->setEnabled(false);
    }
    EnableParts();
    return true;
}

void CCrxTblSelDlg::FillList()
{
    // A database that is not there is never created: the list stays empty
    // and only the signage can be saved.
    const QString workDb = m_strLocalDataFolder + QStringLiteral("/SETTING.DB");
    if (m_strLocalDataFolder.isEmpty() || !QFileInfo(workDb).isFile())
        return;
    CSQliteDB db;
    if (db.OpenDB(workDb) != 0)
        return;
    m_pModel->SetTables(CTableSelectModel::ReadTables(db, {}));
    db.CloseDB();
}

void CCrxTblSelDlg::SetColumnWidths()
{
    if (!m_pModel)
        return;
    QList<int> widths{80, 188, 72};
    while (widths.size() < m_pModel->columnCount())
        widths << 64;
    SetTableSelectColumnWidths(m_pList, 697, widths);
}

void CCrxTblSelDlg::resizeEvent(QResizeEvent* event)
{
    CTovanelDialog::resizeEvent(event);
    SetColumnWidths();
}

int CCrxTblSelDlg::ComboType() const
{
    return m_pCombo->currentData().isValid() ? m_pCombo->currentData().toInt() : kTypeReplace;
}

void CCrxTblSelDlg::OnComboChanged()
{
    m_pModel->SetTickValue(ComboType());
    m_pModel->TickRows(m_pModel->SelectedRows(), ComboType(), false);
}

void CCrxTblSelDlg::OnGroup(int group)
{
    const QList<int> rows = m_pModel->GroupRows(group);
    if (group == DIFFITEM)
        m_pModel->TickRows(rows, kTypeDiff, false);
    else if (group == STOREINFO)
        m_pModel->UntickRows(rows);
    else
        m_pModel->TickRows(rows, ComboType(), true);
    m_pModel->SelectRows(rows);
}

void CCrxTblSelDlg::OnSignageChanged()
{
    Check(IDC_CHECK_SAVEALL)->setChecked(false);
    Check(IDC_CHECK_OESFILE)->setChecked(false);
    EnableParts();
}

void CCrxTblSelDlg::EnableParts()
{
    const bool signage = Check(IDC_CHECK_FOR_SIGNAGE)->isChecked();
    for (const uint id : kTableControls)
        FindControlById(this, id)->setEnabled(!signage);
    Check(IDC_CHECK_SAVEALL)->setEnabled(!signage);
    QCheckBox* oes = Check(IDC_CHECK_OESFILE);
    oes->setEnabled(!signage);
    for (const uint id : kOesControls)
        FindControlById(this, id)->setEnabled(!signage && oes->isChecked());
}

void CCrxTblSelDlg::OnSelectOesFile()
{
    SelectOesSetDataFile(m_pOesEdit, m_strChosenBefore, m_strOesFolder);
}

void CCrxTblSelDlg::OnOK()
{
    m_bSaveAll = Check(IDC_CHECK_SAVEALL)->isChecked() ? 1 : 0;
    m_partial.replaceList = m_pModel->CodesWithValue(kTypeReplace);
    m_partial.addList = m_pModel->CodesWithValue(kTypeAdd);
    m_partial.diffList = m_pModel->CodesWithValue(kTypeDiff);
    const bool signage = Check(IDC_CHECK_FOR_SIGNAGE)->isChecked();
    if (m_partial.replaceList.isEmpty() && m_partial.addList.isEmpty() &&
        m_partial.diffList.isEmpty() && !signage) {
        ShowProgramMessage({this, windowTitle()}, QStringLiteral("CRDS_MSG_NOSELECTED"),
                           platform::MessageIcon::Warning);
        return;
    }

    if (Check(IDC_CHECK_OESFILE)->isChecked()) {
        const QString path = m_pOesEdit->text();
        const QString fault = CheckOesSetDataFile(path);
        if (!fault.isEmpty()) {
            ShowProgramMessage({this, windowTitle()}, fault, platform::MessageIcon::Warning);
            m_pOesEdit->setFocus();
            return;
        }
        m_strOesFile = QFileInfo(path).absoluteFilePath();
        m_strOesFolder = QFileInfo(path).absolutePath();
    } else {
        m_strOesFolder.clear();
        m_strOesFile.clear();
    }

    m_partial.movie = Check(IDC_CHECK_W_MOVIE)->isChecked() ? 1 : 0;
    m_partial.fullScreen = Check(IDC_CHECK_W_SLIDESHOW)->isChecked() ? 1 : 0;
    m_partial.halfScreen = Check(IDC_CHECK_T_SLIDESHOW)->isChecked() ? 1 : 0;
    m_partial.itemImages = Check(IDC_CHECK_T_ITEMIMAGE)->isChecked() ? 1 : 0;
    m_partial.recommend = Check(IDC_CHECK_R_RECOMMEND)->isChecked() ? 1 : 0;
    m_partial.noDataInfo = signage ? 1 : 0;

    if (!ChooseArchiveNames())
        return;

    QString text = GetLangString(QStringLiteral("CRDS_SAVE_FILE")) + QStringLiteral("\n\n") +
                   GetLangString(QStringLiteral("CRDS_SAVE_PARTFILE")) +
                   QFileInfo(m_strPartialPath).fileName();
    if (m_bSaveAll)
        text += u'\n' + GetLangString(QStringLiteral("CRDS_SAVE_ALLFILE")) + m_strFullFileName;
    if (ShowProgramMessageText({this, windowTitle()}, QStringLiteral("CRDS_SAVE_FILE"), text,
                               platform::MessageIcon::Question,
                               platform::MessageButtons::YesNo) == platform::IDNO)
        return;
    EndDialog(platform::IDOK);
}

bool CCrxTblSelDlg::ChooseArchiveNames()
{
    const bool signage = Check(IDC_CHECK_FOR_SIGNAGE)->isChecked();
    QString offer = m_strCurFilePath;
    for (;;) {
        platform::FileChoice choice;
        choice.kind = platform::FileChoice::Kind::Save;
        choice.parent = this;
        choice.filter = FileDialogFilter(GetLangString(QStringLiteral("CRDS_CRX_FILTER")));
        choice.defaultSuffix = strings::kCrxExtension;
        // The questions below name the files really written.
        choice.confirmOverwrite = false;
        choice.startPath = offer;
        const QString chosen = platform::chooseFile(choice);
        if (chosen.isEmpty())
            return false;
        const QFileInfo info(chosen);
        const QString path = info.absoluteFilePath();
        offer = path;
        if (m_checkTarget && !m_checkTarget(path, !signage && m_bSaveAll))
            continue;
        const QString partialPath = info.absolutePath() + u'/' +
                                    PartialArchiveName(info.fileName(), signage, m_bDispArchive);
        if (QFileInfo::exists(partialPath) &&
            ShowProgramMessage({this, GetLangString(QStringLiteral("CRDS_TXT_SELFSELSAVE"))},
                               QStringLiteral("CRDS_MSG_SELSOVERWRITE"),
                               platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                               partialPath) == platform::IDNO)
            continue;
        // Only a full archive that is really written is asked about.
        if (!signage && m_bSaveAll && QFileInfo::exists(path) &&
            (path != m_strCurFilePath || m_bUntitled) &&
            ShowProgramMessage({this, GetLangString(QStringLiteral("CRDS_TXT_SELFALLSAVE"))},
                               QStringLiteral("CRDS_MSG_SELSOVERWRITE"),
                               platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                               path) == platform::IDNO)
            continue;
        m_strPartialPath = partialPath;
        m_strFullFileName = info.fileName();
        m_strFullPath = path;
        return true;
    }
}

} // namespace tovanel
