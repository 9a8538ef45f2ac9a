#include "KeyLayoutDialogFixture.h"

#include "functions/CFcKeyLaySetBtnDlg.h"
#include "functions/CSelectGrpTypeDlg.h"
#include "functions/keylayout/CImgSelectButton.h"
#include "functions/keylayout/CSaveKeyLayout.h"

#include "platform/FileChooser.h"
#include "shared/controls/CItemSetButton.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/WideRows.h"

#include <QBuffer>
#include <QFile>
#include <QImageReader>
#include <QLineEdit>
#include <QRadioButton>
#include <QtEndian>

#include <deque>
#include <tuple>

using namespace kesmond;

namespace {

// The key dialog with scripted choosers: each chooser call takes the next
// answer ({} = cancelled).
class ScriptedBtnDlg : public CFcKeyLaySetBtnDlg
{
public:
    using CFcKeyLaySetBtnDlg::CFcKeyLaySetBtnDlg;
    std::deque<QStringList> items; // {code, name} or {} for cancel
    std::deque<ChosenStyle> styles;
    QList<int> kinds;

protected:
    bool ChooseCustomItem(int kind, const QString&, QString& code, QString& name) override
    {
        kinds << kind;
        if (items.empty() || items.front().isEmpty()) {
            if (!items.empty())
                items.pop_front();
            return false;
        }
        code = items.front().value(0);
        name = items.front().value(1);
        items.pop_front();
        return true;
    }
    bool ChooseStyle(int kind, ChosenStyle& style) override
    {
        kinds << kind;
        if (styles.empty())
            return false;
        style = styles.front();
        styles.pop_front();
        return true;
    }
};

QByteArray PngOf(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

// A PNG whose header claims the size (with a correct checksum).
QByteArray PngClaiming(quint32 width, quint32 height)
{
    QByteArray png = PngOf(4, 4);
    qToBigEndian(width, png.data() + 16);
    qToBigEndian(height, png.data() + 20);
    quint32 crc = 0xFFFFFFFFu;
    for (int i = 12; i < 29; ++i) {
        crc ^= quint8(png[i]);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    qToBigEndian(crc ^ 0xFFFFFFFFu, png.data() + 29);
    return png;
}

class KeyDialog : public KeyLayoutDialogFixture
{
protected:
    void TearDown() override
    {
        platform::setFileChooser({});
        m_dialog.reset();
        KeyLayoutDialogFixture::TearDown();
    }
    ScriptedBtnDlg& Open(CButtonProperty& copy)
    {
        m_dialog = std::make_unique<ScriptedBtnDlg>();
        m_dialog->m_pDB = m_db.get();
        m_dialog->m_pRecord = &copy;
        m_dialog->m_pImages = m_images.get();
        m_dialog->m_pReads = m_reads.get();
        m_dialog->m_pSheetRows = &m_editor->SheetRows();
        m_dialog->Create();
        return *m_dialog;
    }
    template <class T> T* Control(uint id)
    {
        return qobject_cast<T*>(FindControlById(m_dialog.get(), id));
    }
    QRadioButton* Radio(uint id) { return Control<QRadioButton>(id); }
    QString Shown(uint id) { return Control<QPushButton>(id)->text(); }
    QLineEdit* Name() { return Control<QLineEdit>(CFcKeyLaySetBtnDlg::IDC_NAME); }
    // Scripts the file chooser: each call takes the next path.
    void ChooseFiles(QStringList paths)
    {
        m_choices = 0;
        platform::setFileChooser(
            [this, paths](const platform::FileChoice&) { return paths.value(m_choices++); });
    }
    QString WriteFile(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_suite.folders().scratch() + QLatin1Char('/') + name;
        korvane::test::writeFile(path, bytes);
        return path;
    }

    static constexpr uint kItemOnly[] = {23183, 23178, 23179, 23180, 23181, 23188, 23186};
    std::unique_ptr<ScriptedBtnDlg> m_dialog;
    int m_choices = 0;
};

} // namespace

TEST_F(KeyDialog, OpensOnTheKeysKindLabelPictureAndStyle)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000123"));
    copy.m_strLabel.clear();
    copy.m_strDispName = QStringLiteral("Croissant");
    ScriptedBtnDlg& dialog = Open(copy);
    EXPECT_TRUE(Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_ITEM)->isChecked());
    EXPECT_EQ(Name()->text(), QStringLiteral("Croissant"));
    EXPECT_EQ(Name()->maxLength(), 128);
    EXPECT_TRUE(Radio(CFcKeyLaySetBtnDlg::IDC_IMG_BIG)->isChecked());
    ASSERT_TRUE(copy.m_pItemImage);
    EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE), QStringLiteral("croissant.png"));
    auto* preview = Control<CImgSelectButton>(CFcKeyLaySetBtnDlg::IDC_PREVIEW);
    ASSERT_TRUE(preview->GetImageData());
    const QImage drawn = preview->grab().toImage();
    EXPECT_EQ(drawn.pixelColor(drawn.width() - 2, drawn.height() - 2), QColor(Qt::darkYellow));
    // An empty edit is refused; the label keeps what the edit shows otherwise.
    Name()->clear();
    dialog.accept();
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_INPUT")});
    EXPECT_EQ(dialog.result(), 0);
    Name()->setText(QStringLiteral("Fresh"));
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(platform::IDOK));
    EXPECT_EQ(copy.m_strLabel, QStringLiteral("Fresh"));

    CButtonProperty function(*Row("FunctionButton", "000001"));
    Open(function);
    EXPECT_TRUE(Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_FUNC)->isChecked());
    for (uint id : kItemOnly)
        EXPECT_TRUE(FindControlById(m_dialog.get(), id)->isHidden()) << id;
}

// The key dialog keeps the layout rules as it shows, for an item key of the
// sample and one of a 40-character name, and for a function key.
TEST_F(KeyDialog, KeepsTheLayoutRules)
{
    for (const auto& [type, code, name] :
         {std::tuple<const char*, const char*, QString>{"ItemButton", "0000000000000123", {}},
          {"ItemButton", "0000000000000123", korvane::test::kWideName},
          {"FunctionButton", "000001", {}}}) {
        CButtonProperty copy(*Row(type, code));
        if (!name.isEmpty())
            copy.m_strDispName = name;
        ScriptedBtnDlg& dialog = Open(copy);
        dialog.show();
        EXPECT_EQ(korvane::test::LayoutFaults(&dialog), QStringList())
            << type << " " << name.toStdString();
        dialog.reject();
    }
}

TEST_F(KeyDialog, KindRadiosSwitchTheControlsAndResetTheKey)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000123"));
    copy.m_strLabel = QStringLiteral("Bun");
    Open(copy);
    Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_FUNC)->click();
    EXPECT_TRUE(copy.IsFunctionButton());
    EXPECT_EQ(copy.m_strCode, QStringLiteral("0"));
    EXPECT_EQ(copy.m_pBackImage, m_images->GetDefaultFunctionBackground());
    EXPECT_FALSE(copy.m_pItemImage);
    EXPECT_TRUE(Name()->text().isEmpty());
    EXPECT_TRUE(Shown(CFcKeyLaySetBtnDlg::IDC_CODE_NAME).isEmpty());
    for (uint id : kItemOnly)
        EXPECT_TRUE(FindControlById(m_dialog.get(), id)->isHidden()) << id;
    EXPECT_FALSE(Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_ITEM)->isChecked());

    Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_ITEM)->click();
    EXPECT_TRUE(copy.IsItemButton());
    EXPECT_EQ(copy.m_pBackImage, m_images->GetDefaultItemBackground());
    for (uint id : kItemOnly)
        EXPECT_FALSE(FindControlById(m_dialog.get(), id)->isHidden()) << id;
    EXPECT_TRUE(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE).isEmpty());
}

TEST_F(KeyDialog, AnItemAnotherKeyUsesGivesItsColoursACopyOfItsBackgroundAndItsPicture)
{
    const CButtonProperty& other = *Row("ItemButton", "0000000000000123");
    ASSERT_TRUE(other.m_pBackImage);
    CButtonProperty copy(*Row("ItemButton", "0000000000000999"));
    copy.m_nImageFlag = 0;
    ScriptedBtnDlg& dialog = Open(copy);
    // Cancel in the item step changes nothing.
    dialog.items = {{QStringLiteral("000001"), QStringLiteral("Bakery")}, {}};
    dialog.OnChooseCode();
    EXPECT_EQ(dialog.kinds, (QList<int>{1, 2}));
    EXPECT_EQ(copy.m_strCode, QStringLiteral("0000000000000999"));

    dialog.items = {{QStringLiteral("000001"), QStringLiteral("Bakery")},
                    {QStringLiteral("0000000000000123"), QStringLiteral("Croissant")}};
    dialog.OnChooseCode();
    EXPECT_EQ(copy.m_strCode, QStringLiteral("0000000000000123"));
    EXPECT_EQ(dialog.m_strCode, copy.m_strCode);
    EXPECT_EQ(copy.m_strLabel, QStringLiteral("Croissant"));
    EXPECT_EQ(copy.m_strDispName, QStringLiteral("Croissant"));
    EXPECT_EQ(Name()->text(), QStringLiteral("Croissant"));
    EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_CODE_NAME), QStringLiteral("Croissant"));
    EXPECT_EQ(copy.m_nForeColor, other.m_nForeColor);
    EXPECT_EQ(copy.m_nBackColor, other.m_nBackColor);
    ASSERT_TRUE(dialog.m_pNewBack);
    EXPECT_EQ(copy.m_pBackImage, dialog.m_pNewBack);
    EXPECT_NE(dialog.m_pNewBack, other.m_pBackImage);
    EXPECT_EQ(dialog.m_pNewBack->m_strFileName, other.m_pBackImage->m_strFileName);
    // The item's picture is found, and "large" taken since the flag was 0.
    ASSERT_TRUE(copy.m_pItemImage);
    EXPECT_EQ(copy.m_pItemImage->m_strFileName, QStringLiteral("croissant.png"));
    EXPECT_TRUE(Radio(CFcKeyLaySetBtnDlg::IDC_IMG_BIG)->isChecked());
    EXPECT_EQ(copy.m_nImageFlag, 1);

    // A function key chooses from the function keys once.
    CButtonProperty function(*Row("FunctionButton", "000001"));
    ScriptedBtnDlg& second = Open(function);
    second.items = {{QStringLiteral("000001"), QStringLiteral("CASH")}};
    second.OnChooseCode();
    EXPECT_EQ(second.kinds, QList<int>{4});
    EXPECT_EQ(function.m_strLabel, QStringLiteral("CASH"));
}

TEST_F(KeyDialog, PictureRadiosSetTheFlagAndEnableThePictureControls)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000123"));
    Open(copy);
    Radio(CFcKeyLaySetBtnDlg::IDC_IMG_NONE)->click();
    EXPECT_EQ(copy.m_nImageFlag, 0);
    EXPECT_TRUE(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE).isEmpty());
    for (uint id : {23181u, 23188u, 23186u})
        EXPECT_FALSE(FindControlById(m_dialog.get(), id)->isEnabled()) << id;
    EXPECT_TRUE(Control<CImgSelectButton>(CFcKeyLaySetBtnDlg::IDC_PREVIEW)->GetImageData());
    Radio(CFcKeyLaySetBtnDlg::IDC_IMG_MINI)->click();
    EXPECT_EQ(copy.m_nImageFlag, 3);
    EXPECT_FALSE(Radio(CFcKeyLaySetBtnDlg::IDC_IMG_NONE)->isChecked());
    EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE), QStringLiteral("croissant.png"));
    for (uint id : {23181u, 23188u, 23186u})
        EXPECT_TRUE(FindControlById(m_dialog.get(), id)->isEnabled()) << id;

    // Flag 0 on OK drops the picture.
    CImageDataCSB012* picture = copy.m_pItemImage;
    Radio(CFcKeyLaySetBtnDlg::IDC_IMG_NONE)->click();
    m_dialog->accept();
    EXPECT_EQ(m_dialog->result(), int(platform::IDOK));
    EXPECT_FALSE(copy.m_pItemImage);
    EXPECT_TRUE(std::count(m_images->Released().begin(), m_images->Released().end(), picture));
}

TEST_F(KeyDialog, AKeyWithoutCodeClosesWithItsOldBackground)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000123"));
    ScriptedBtnDlg& dialog = Open(copy);
    Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_FUNC)->click();
    CImageDataCSB012* old = copy.m_pBackImage;
    dialog.styles = {ChosenStyle{QStringLiteral("FunctionButton"), QStringLiteral("Standard"),
                                 QStringLiteral("3"), 1, 2, 3}};
    dialog.OnChooseStyle();
    EXPECT_EQ(dialog.kinds, QList<int>{1});
    ASSERT_TRUE(dialog.m_pNewBack);
    EXPECT_EQ(copy.m_nBackColor, 2);
    Name()->setText(QStringLiteral("No code"));
    const auto cache = m_images->Cache();
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(platform::IDOK));
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_FC_MSG_NOSAVENOCODE")});
    EXPECT_EQ(copy.m_pBackImage, old);
    EXPECT_FALSE(dialog.m_pNewBack);
    EXPECT_EQ(m_images->Cache(), cache);
}

TEST_F(KeyDialog, PictureFilesAreCheckedBeforeTheyReachTheKey)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000123"));
    ScriptedBtnDlg& dialog = Open(copy);
    const QString photo = WriteFile(QStringLiteral("photo.PNG"), PngOf(400, 300));
    const QString notes = WriteFile(QStringLiteral("notes.txt"), PngOf(10, 10));
    const QString fake = WriteFile(QStringLiteral("fake.png"), "no picture at all");
    const QString huge = WriteFile(QStringLiteral("huge.png"), PngClaiming(100000, 100000));

    // Not a permitted extension: warned, and the chooser opens again.
    ChooseFiles({notes, QString()});
    dialog.OnChoosePicture();
    EXPECT_EQ(m_choices, 2);
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_FC_WRN_IGNORE_EXT")});
    EXPECT_FALSE(dialog.m_pNewPicture);

    for (const QString& bad : {fake, huge}) {
        m_suite.messages().clear();
        ChooseFiles({bad});
        dialog.OnChoosePicture();
        EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_FC_ERR_PICTUREFILE")})
            << bad.toStdString();
        EXPECT_FALSE(dialog.m_pNewPicture);
        EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE), QStringLiteral("croissant.png"));
    }

    m_suite.messages().clear();
    ChooseFiles({photo});
    dialog.OnChoosePicture();
    EXPECT_TRUE(m_suite.messages().isEmpty());
    ASSERT_TRUE(dialog.m_pNewPicture);
    EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE), QStringLiteral("photo.PNG"));
    const QString stored = dialog.m_pNewPicture->m_strImageFile;
    EXPECT_TRUE(stored.startsWith(ImageFolder()));
    EXPECT_EQ(QImageReader(stored).size(), QSize(150, 150));

    CImageDataCSB012* picture = dialog.m_pNewPicture;
    CImageDataCSB012* old = copy.m_pItemImage;
    dialog.accept();
    EXPECT_EQ(copy.m_pItemImage, picture);
    EXPECT_TRUE(picture->m_bChanged);
    EXPECT_TRUE(m_images->IsInCache(picture));
    EXPECT_TRUE(std::count(m_images->Released().begin(), m_images->Released().end(), old));
}

TEST_F(KeyDialog, APictureChosenBeforeTheCodeIsKeptUnderTheCode)
{
    CButtonProperty copy(*Row("ItemButton", "0000000000000999"));
    ScriptedBtnDlg& dialog = Open(copy);
    Radio(CFcKeyLaySetBtnDlg::IDC_RADIO_ITEM)->click();
    Radio(CFcKeyLaySetBtnDlg::IDC_IMG_BIG)->click();
    ChooseFiles({WriteFile(QStringLiteral("bun.png"), PngOf(60, 60))});
    dialog.OnChoosePicture();
    CImageDataCSB012* picture = dialog.m_pNewPicture;
    ASSERT_TRUE(picture);
    dialog.items = {{QStringLiteral("000001"), QStringLiteral("Bakery")},
                    {QStringLiteral("0000000000000123"), QStringLiteral("Croissant")}};
    dialog.OnChooseCode();
    EXPECT_EQ(Shown(CFcKeyLaySetBtnDlg::IDC_IMG_FILE), QStringLiteral("bun.png"));
    dialog.accept();
    EXPECT_EQ(copy.m_pItemImage, picture);
    EXPECT_EQ(picture->m_strCode, QStringLiteral("0000000000000123"));
}

TEST_F(KeyDialog, CancelLeavesTheKeyTheCacheAndTheDatabaseAsTheyWere)
{
    CButtonProperty& key = *Row("ItemButton", "0000000000000999");
    const CButtonProperty before(key);
    CButtonProperty copy(key);
    const auto cache = m_images->Cache();
    const QByteArray dump = korvane::test::Sqlite3(DbPath(), QStringLiteral(".dump"));
    ScriptedBtnDlg& dialog = Open(copy);
    dialog.items = {{QStringLiteral("000001"), QStringLiteral("Bakery")},
                    {QStringLiteral("0000000000000123"), QStringLiteral("Croissant")}};
    dialog.OnChooseCode();
    dialog.styles = {ChosenStyle{QStringLiteral("ItemButton.Background.9"),
                                 QStringLiteral("Standard"), QStringLiteral("1"), 7, 8, 9}};
    dialog.OnChooseStyle();
    ChooseFiles({WriteFile(QStringLiteral("photo.png"), PngOf(200, 200))});
    dialog.OnChoosePicture();
    ASSERT_TRUE(dialog.m_pNewPicture);
    ASSERT_TRUE(dialog.m_pNewBack);
    dialog.reject();
    EXPECT_EQ(dialog.result(), int(platform::IDCANCEL));
    EXPECT_FALSE(dialog.m_pNewBack);
    EXPECT_FALSE(dialog.m_pNewPicture);
    m_dialog.reset();
    EXPECT_EQ(key.m_strCode, before.m_strCode);
    EXPECT_EQ(key.m_pBackImage, before.m_pBackImage);
    EXPECT_EQ(key.m_pItemImage, before.m_pItemImage);
    EXPECT_EQ(key.m_nBackColor, before.m_nBackColor);
    EXPECT_EQ(m_images->Cache(), cache);
    EXPECT_EQ(korvane::test::Sqlite3(DbPath(), QStringLiteral(".dump")), dump);
}

TEST_F(KeyDialog, ChosenStyleAndPictureReachTheRegisterTablesWithTheEditorsSave)
{
    CButtonProperty* function = Row("FunctionButton", "000001");
    m_editor->SelectKey(function);
    auto copy = std::make_unique<CButtonProperty>(*function);
    ScriptedBtnDlg& dialog = Open(*copy);
    SheetStyle style3;
    ASSERT_TRUE(m_reads->ReadSheetStyleRow(QStringLiteral("DEFAULTFUNCTIONBUTTON"), 3, style3));
    dialog.styles = {ChosenStyle{style3.controlType, style3.theme, style3.code, style3.foreColor,
                                 style3.backColor, style3.optionColor}};
    dialog.OnChooseStyle();
    dialog.accept();
    ASSERT_EQ(dialog.result(), int(platform::IDOK));
    ASSERT_TRUE(m_editor->ApplyKeySettings(std::move(copy)));

    CButtonProperty* item = Row("ItemButton", "0000000000000999");
    m_editor->SelectKey(item);
    auto itemCopy = std::make_unique<CButtonProperty>(*item);
    ScriptedBtnDlg& second = Open(*itemCopy);
    Radio(CFcKeyLaySetBtnDlg::IDC_IMG_BIG)->click();
    ChooseFiles({WriteFile(QStringLiteral("photo.PNG"), PngOf(400, 300))});
    second.OnChoosePicture();
    Name()->setText(QStringLiteral("Mystery"));
    second.accept();
    ASSERT_EQ(second.result(), int(platform::IDOK));
    ASSERT_TRUE(m_editor->ApplyKeySettings(std::move(itemCopy)));
    m_dialog.reset();

    int err = 0;
    ASSERT_TRUE(CSaveKeyLayout(m_db.get(), m_editor->SheetRows(), m_editor->StripRows()).Save(err))
        << err;
    const QString db = DbPath();
    auto blob = [&db](const char* where) {
        return korvane::test::Sqlite3(
            db, QStringLiteral("SELECT hex(GRAPHICDATA) FROM CSB012 WHERE %1;")
                    .arg(QLatin1String(where)));
    };
    EXPECT_EQ(blob("CONTROLTYPE = 'FunctionButton' AND CODE = '000001'"),
              blob("CONTROLTYPE = 'FunctionButton' AND CODE = '3'"));
    EXPECT_FALSE(blob("CONTROLTYPE = 'FunctionButton' AND CODE = '000001'").trimmed().isEmpty());
    EXPECT_EQ(
        korvane::test::Sqlite3(db, QStringLiteral("SELECT FOREGROUNDCOLOR, "
                                                  "BACKGROUNDCOLOR, OPTIONCOLOR FROM CSB022 "
                                                  "WHERE SHEETTYPE = 'ITEM' AND CONTROLTYPE = "
                                                  "'FunctionButton';"))
            .trimmed(),
        QStringLiteral("%1|%2|%3")
            .arg(style3.foreColor)
            .arg(style3.backColor)
            .arg(style3.optionColor)
            .toUtf8());
    const QByteArray picture = korvane::test::Sqlite3(
        db, QStringLiteral("SELECT FILENAME, hex(GRAPHICDATA) FROM CSB012 WHERE CONTROLTYPE = "
                           "'ItemButton' AND CODE = '0000000000000999';"));
    EXPECT_TRUE(picture.startsWith("photo.PNG|89504E47")) << picture.left(40).toStdString();
}
