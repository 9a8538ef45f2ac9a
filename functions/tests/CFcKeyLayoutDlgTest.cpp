#include "functions/CFcKeyLayoutDlg.h"
#include "functions/CFcModeTable.h"
#include "functions/CKeyLayoutDialogs.h"
#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CFcKeySheetButton.h"
#include "functions/keylayout/CKeyLayoutEditor.h"
#include "functions/keylayout/CKeySheetController.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/tests/KeyLayoutDbFixture.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"

#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>
#include <QTest>

using namespace kesmond;

namespace {

// A key dialog that gives the key a new colour, a page dialog that gives
// the tab a new style.
struct RecolourDialogs : CKeyLayoutDialogs
{
    bool EditKey(QWidget*, CButtonProperty& copy, CButtonStyleMgr&) override
    {
        copy.m_nBackColor = 0x00FF00;
        ++keys;
        return true;
    }
    bool EditPage(QWidget*, CButtonProperty& tab, CButtonStyleMgr&, const CFcKeyLayCSB023&) override
    {
        tab.m_nForeColor = 0x0000FF;
        return true;
    }
    int keys = 0;
};

bool HasColour(const QImage& image, const QColor& colour)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

// The palette sizes of the sample archive: every key and section kind.
const char* const kSamplePaletteSizes[][2] = {
    {"ITEMBUTTON.1.WIDTH", "127"},   {"ITEMBUTTON.1.HEIGHT", "68"},
    {"ITEMBUTTON.1.LABEL", "Large"}, {"ITEMBUTTON.2.WIDTH", "98"},
    {"ITEMBUTTON.2.HEIGHT", "68"},   {"ITEMBUTTON.2.LABEL", "Medium"},
    {"ITEMBUTTON.3.WIDTH", "78"},    {"ITEMBUTTON.3.HEIGHT", "50"},
    {"ITEMBUTTON.3.LABEL", "Small"}, {"ITEMBUTTON.4.WIDTH", "62"},
    {"ITEMBUTTON.4.HEIGHT", "38"},   {"ITEMBUTTON.4.LABEL", "Mini"},
    {"ITEMSECTION.1.WIDTH", "254"},  {"ITEMSECTION.1.HEIGHT", "30"},
    {"ITEMSECTION.1.LABEL", "Half"}, {"ITEMSECTION.2.WIDTH", "382"},
    {"ITEMSECTION.2.HEIGHT", "30"},  {"ITEMSECTION.2.LABEL", "Wide"},
    {"ITEMSECTION.3.WIDTH", "766"},  {"ITEMSECTION.3.HEIGHT", "30"},
    {"ITEMSECTION.3.LABEL", "Full"},
};

// Where control is reached from its window: itself, or the scroll area it
// scrolls in (the window's child that holds it).
QWidget* PlaceInWindow(QWidget* control, QWidget* window)
{
    QWidget* place = control;
    while (place->parentWidget() && place->parentWidget() != window)
        place = place->parentWidget();
    return place;
}

// Empty when the user can reach the whole control: inside the window, or
// inside the content of a scroll area that scrolls far enough to show it.
QString Unreachable(QWidget* control, QWidget* window)
{
    for (QWidget* up = control->parentWidget(); up && up != window; up = up->parentWidget()) {
        auto* area = qobject_cast<QScrollArea*>(up);
        if (!area || !area->widget())
            continue;
        QWidget* content = area->widget();
        const QRect inContent(control->mapTo(content, QPoint(0, 0)), control->size());
        if (!content->rect().contains(inContent))
            return QStringLiteral("outside its scroll area's content");
        const QSize hidden = content->size() - area->viewport()->size();
        if (area->horizontalScrollBar()->maximum() < hidden.width() ||
            area->verticalScrollBar()->maximum() < hidden.height())
            return QStringLiteral("its scroll area does not scroll far enough");
    }
    const QWidget* place = PlaceInWindow(control, window);
    const QRect inWindow(place->mapTo(window, QPoint(0, 0)), place->size());
    return window->rect().contains(inWindow) ? QString() : QStringLiteral("outside the window");
}

// Palette sizes as large as a shop's layout uses, taller than the window
// can be: key sizes 1 to 4, then section sizes 1 to 3.
const struct
{
    const char* width;
    const char* height;
    const char* label;
} kLargePalette[] = {
    {"198", "98", "XL"},        {"158", "98", "L"},         {"127", "68", "M"},
    {"98", "68", "S"},          {"766", "60", "Section L"}, {"510", "60", "Section M"},
    {"382", "60", "Section S"},
};

// The key-layout window on the fixture's layout in the local data folder,
// its palette filled with the sample archive's sizes.
class KeyLayoutWindow : public KeyLayoutDbFixture
{
protected:
    QString DbFile() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        return CBasePath::GetLocalTemporaryPath() + QStringLiteral("/SETTING.DB");
    }
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        std::vector<std::pair<QString, QString>> sizes;
        for (const auto& [code, value] : kSamplePaletteSizes)
            sizes.emplace_back(QLatin1String(code), QLatin1String(value));
        ReplacePaletteSizes(sizes);
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Kesmond"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        CFcKeyLayoutDlg::SetFolderWait([](int) {});
    }
    void TearDown() override
    {
        m_window.reset();
        m_modes.reset();
        CFcKeyLayoutDlg::SetFolderWait({});
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }
    // The palette's rows of CSB023 in place of the fixture's.
    void ReplacePaletteSizes(const std::vector<std::pair<QString, QString>>& rows)
    {
        Exec(QStringLiteral("DELETE FROM CSB023 WHERE LAYOUTCODE LIKE 'ITEMBUTTON.%' OR "
                            "LAYOUTCODE LIKE 'ITEMSECTION.%'"));
        for (const auto& [code, value] : rows)
            Exec(QStringLiteral("INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES ('%1', '%2')")
                     .arg(code, value));
    }
    CFcKeyLayoutDlg& Open()
    {
        m_modes = std::make_unique<CFcModeTable>();
        m_window = std::make_unique<CFcKeyLayoutDlg>(m_modes->Entry(2), nullptr, &m_dialogs);
        m_window->Create();
        m_window->show();
        return *m_window;
    }
    QPushButton* Button(uint id)
    {
        return qobject_cast<QPushButton*>(FindControlById(m_window.get(), id));
    }
    QByteArray Dump() { return korvane::test::Sqlite3(DbPath(), QStringLiteral(".dump")); }
    CFcKeyLayButton* KeyWindow(const char* code)
    {
        for (CFcKeyLayButton* key : m_window->Controller()->KeyWindows())
            if (key->Record()->m_strCode == QLatin1String(code))
                return key;
        return nullptr;
    }

    SuiteFixture m_suite;
    RecolourDialogs m_dialogs;
    std::unique_ptr<CFcModeTable> m_modes;
    std::unique_ptr<CFcKeyLayoutDlg> m_window;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};

} // namespace

TEST_F(KeyLayoutWindow, StartsOnPresetOneAndShowsTheFirstPage)
{
    CFcKeyLayoutDlg& window = Open();
    CKeyLayoutEditor* editor = window.Editor();
    ASSERT_TRUE(editor);
    EXPECT_EQ(QSize(editor->Grid().Columns(), editor->Grid().Rows()), QSize(6, 5));
    // The 800 px page moves left of its place at 520 to show whole.
    EXPECT_EQ(QRect(window.Canvas()->mapTo(&window, QPoint(0, 0)), window.Canvas()->size()),
              QRect(432, 20, 800, 420));
    EXPECT_EQ(window.Controller()->KeyWindows().size(), 4u);
    EXPECT_TRUE(QDir(ImageFolder()).exists());
    EXPECT_TRUE(Button(23157)->isEnabled());
    EXPECT_FALSE(Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->isEnabled());
    EXPECT_FALSE(Button(CFcKeyLayoutDlg::IDC_UNDO)->isEnabled());
    EXPECT_EQ(qobject_cast<QLabel*>(FindControlById(&window, 23154))->text(),
              QStringLiteral("6 x 5"));
    // OK, Cancel and Help take the editor layout's places on the left.
    EXPECT_EQ(Button(1)->geometry(),
              CColorButton::AdjustRect(window.rect(),
                                       (window.frameGeometry().width() - window.width()) / 2, 2, 1,
                                       3, 0, false)
                  .value());
    // Key settings with nothing selected ask for a key.
    Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->setEnabled(true);
    Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->click();
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_FC_MSG_SELBTN")});
}

// The one-cell key of the palette is tall enough for its label inside its
// border, as the other keys are.
TEST_F(KeyLayoutWindow, ThePalettesOneCellKeyHoldsItsLabel)
{
    CFcKeyLayoutDlg& window = Open();
    QPushButton* oneCell = Button(23157);
    EXPECT_GE(oneCell->height(), oneCell->fontMetrics().height() + 12) << oneCell->height();
    EXPECT_LT(oneCell->geometry().bottom(), Button(23159)->geometry().top());
    Q_UNUSED(window);
}

// The window fits the screen whatever the size of the stored page; the
// sheet keeps its stored pixels and scrolls inside the window. The canvas
// stands at 520 unless a page the screen has room for needs it further left.
TEST_F(KeyLayoutWindow, FitsTheScreenAndKeepsTheSheetsStoredPixels)
{
    const struct
    {
        QSize page;
        int canvasLeft;
    } cases[] = {{QSize(600, 420), 520}, {QSize(800, 420), 432}, {QSize(1600, 1000), 416}};
    for (const auto& [page, canvasLeft] : cases) {
        SCOPED_TRACE(page.width());
        Exec(QStringLiteral("UPDATE CSB022 SET WIDTH = %1, HEIGHT = %2 WHERE CONTROLTYPE = "
                            "'ItemSheet'")
                 .arg(page.width())
                 .arg(page.height()));
        Exec(QStringLiteral("UPDATE CSB022 SET WIDTH = %1 WHERE CONTROLTYPE = "
                            "'ItemSheetSelection'")
                 .arg(page.width()));
        CFcKeyLayoutDlg& window = Open();
        EXPECT_EQ(korvane::test::LayoutFaults(&window), QStringList());
        EXPECT_EQ(window.Canvas()->size(), page);
        EXPECT_EQ(window.Canvas()->grab().size(), page);
        EXPECT_EQ(window.Canvas()->mapTo(&window, QPoint(0, 0)).x(), canvasLeft);
        EXPECT_EQ(KeyWindow("000001")->pos(), QPoint(258, 2));
        EXPECT_EQ(KeyWindow("000001")->width(), 127);
        m_window.reset();
    }
}

TEST_F(KeyLayoutWindow, OkSavesTheEditsAndStoresTheGrid)
{
    CFcKeyLayoutDlg& window = Open();
    CKeyLayoutEditor& editor = *window.Editor();
    editor.SelectKey(editor.ShownKeys().front());
    QTest::keyClick(&window, Qt::Key_Right);
    EXPECT_EQ(editor.SelectedKey()->m_nX, 3);
    EXPECT_TRUE(Button(CFcKeyLayoutDlg::IDC_UNDO)->isEnabled());
    Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->click();
    EXPECT_EQ(m_dialogs.keys, 1);
    editor.SetGrid(8, 5);
    Button(1)->click();
    EXPECT_EQ(window.result(), 1);
    EXPECT_EQ(Rows(QStringLiteral("CSB022"),
                   {QStringLiteral("POSITIONX"), QStringLiteral("BACKGROUNDCOLOR")},
                   QStringLiteral("CODE = '0000000000000123'"))
                  .value(0),
              (QStringList{QStringLiteral("3"), QStringLiteral("65280")}));
    m_window.reset();
    QSettings profile(CBasePath::GetProductLocalPath(), QStringLiteral("Kesmond"));
    profile.beginGroup(QStringLiteral("Function Key Settings"));
    EXPECT_EQ(profile.value(QStringLiteral("KeyLayout.Matrix.X")).toInt(), 8);
}

TEST_F(KeyLayoutWindow, AFailedSaveShowsItsCodeAndKeepsTheEdits)
{
    CFcKeyLayoutDlg& window = Open();
    CKeyLayoutEditor& editor = *window.Editor();
    editor.SelectKey(editor.ShownKeys().front());
    ASSERT_TRUE(editor.ArrowMove(0, 1));
    Exec(QStringLiteral("CREATE TRIGGER fail BEFORE INSERT ON CSB022 BEGIN SELECT "
                        "RAISE(ABORT, 'no'); END"));
    const QByteArray before = Dump();
    Button(1)->click();
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED")});
    EXPECT_EQ(editor.UndoCount(), 1);
    EXPECT_EQ(Dump(), before);
    Button(2)->click();
    EXPECT_EQ(window.result(), 2);
    EXPECT_EQ(Dump(), before);
}

TEST_F(KeyLayoutWindow, AStoredGridIsKeptInTheDialogsRange)
{
    {
        QSettings profile(CBasePath::GetProductLocalPath(), QStringLiteral("Kesmond"));
        profile.beginGroup(QStringLiteral("Function Key Settings"));
        profile.setValue(QStringLiteral("KeyLayout.Matrix.X"), -5);
        profile.setValue(QStringLiteral("KeyLayout.Matrix.Y"), 1000);
    }
    CFcKeyLayoutDlg& window = Open();
    EXPECT_EQ(QSize(window.Editor()->Grid().Columns(), window.Editor()->Grid().Rows()),
              QSize(1, 48));
}

TEST_F(KeyLayoutWindow, APageTooLargeForAScreenEndsTheStart)
{
    Exec(QStringLiteral("UPDATE CSB022 SET WIDTH = 100000 WHERE CONTROLTYPE = 'ItemSheet'"));
    CFcKeyLayoutDlg& window = Open();
    (void)QTest::qWaitFor([&] { return window.result() == 2; }, 5000);
    EXPECT_EQ(window.result(), 2);
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED")});
    EXPECT_EQ(window.Editor(), nullptr);
    EXPECT_FALSE(window.isVisible()); // the unfinished window never shows
}

TEST_F(KeyLayoutWindow, AKeyWhosePictureCannotBeSlicedShowsAPlainFaceItsLabelAndItsSelection)
{
    Exec(QStringLiteral("INSERT INTO CSB012 VALUES ('FunctionButton', 'Standard', '000009', "
                        "'tiny.png', x'%1', x'0102', 'old', 'old')")
             .arg(QString::fromLatin1(Png(Qt::magenta, 8).toHex())));
    const int back = 0x00C0FF;
    Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, SHEETSEQCODE, "
                        "CONTROLTYPE, THEME, CODE, POSITIONX, POSITIONY, WIDTH, HEIGHT, LABEL, "
                        "FOREGROUNDCOLOR, BACKGROUNDCOLOR, OPTIONCOLOR, IMAGEFLAG) VALUES ('ITEM', "
                        "1, 1, 5, 'FunctionButton', 'Standard', '000009', 400, 150, 127, 68, "
                        "'Subtotal', 0, %1, 0, 0)")
             .arg(back));
    CFcKeyLayoutDlg& window = Open();
    CFcKeyLayButton* key = KeyWindow("000009");
    ASSERT_TRUE(key);
    ASSERT_EQ(key->Image()->size(), QSize(8, 8));
    const QImage plain = key->grab().toImage();
    EXPECT_EQ(plain.pixelColor(10, 30), ColourFromDb(back));
    EXPECT_TRUE(HasColour(plain.copy(plain.rect().adjusted(2, 2, -2, -2)), QColor(Qt::black)))
        << "no label";
    window.Editor()->SelectKey(key->Record());
    EXPECT_TRUE(Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->isEnabled());
    const QImage selected = key->grab().toImage();
    EXPECT_NE(selected.pixelColor(10, 30), plain.pixelColor(10, 30));
}

// A theme without any picture: the key is drawn as one whose picture cannot
// be sliced, with its face, frame, label and selection.
TEST_F(KeyLayoutWindow, AKeyWhoseStyleHasNoPictureShowsAPlainFaceItsLabelAndItsSelection)
{
    const int fore = 0x000080;
    const int back = 0xFFE0A0;
    Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, SHEETSEQCODE, "
                        "CONTROLTYPE, THEME, CODE, POSITIONX, POSITIONY, WIDTH, HEIGHT, LABEL, "
                        "FOREGROUNDCOLOR, BACKGROUNDCOLOR, OPTIONCOLOR, IMAGEFLAG) VALUES ('ITEM', "
                        "1, 1, 5, 'FunctionButton', 'Dark', '000009', 400, 150, 127, 68, "
                        "'Subtotal', %1, %2, 0, 0)")
             .arg(fore)
             .arg(back));
    CFcKeyLayoutDlg& window = Open();
    CFcKeyLayButton* key = KeyWindow("000009");
    ASSERT_TRUE(key);
    ASSERT_EQ(key->Image(), nullptr);
    const QImage plain = key->grab().toImage();
    const QPoint corner(plain.width() - 5, plain.height() - 5);
    EXPECT_EQ(plain.pixelColor(10, 30), ColourFromDb(back));
    EXPECT_EQ(plain.pixelColor(corner), ColourFromDb(back));
    for (const QPoint edge : {QPoint(0, 0), QPoint(plain.width() - 1, 30),
                              QPoint(60, plain.height() - 1), QPoint(0, 30)})
        EXPECT_EQ(plain.pixelColor(edge), ColourFromDb(fore)) << edge.x() << "," << edge.y();
    EXPECT_TRUE(HasColour(plain.copy(plain.rect().adjusted(2, 2, -2, -2)), ColourFromDb(fore)))
        << "no label";

    window.Editor()->SelectKey(key->Record());
    EXPECT_TRUE(Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->isEnabled());
    const QImage selected = key->grab().toImage();
    EXPECT_NE(selected.pixelColor(10, 30), plain.pixelColor(10, 30)); // the red tint
    EXPECT_EQ(selected.pixelColor(corner), QColor(Qt::white));        // a resize handle
}

TEST_F(KeyLayoutWindow, ThePaletteOffersTheStoredSectionSizes)
{
    Exec(QStringLiteral("DELETE FROM CSB023 WHERE LAYOUTCODE LIKE 'ITEMSECTION.%'"));
    const struct
    {
        int width;
        const char* label;
    } sections[] = {{255, "Sec S"}, {511, "Sec M"}, {767, "Sec L"}};
    for (int i = 0; i < 3; ++i)
        for (const auto& [part, value] :
             {std::pair<const char*, QString>{"WIDTH", QString::number(sections[i].width)},
              {"HEIGHT", QStringLiteral("30")},
              {"LABEL", QLatin1String(sections[i].label)}})
            Exec(QStringLiteral("INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES "
                                "('ITEMSECTION.%1.%2', '%3')")
                     .arg(i + 1)
                     .arg(QLatin1String(part), value));
    CFcKeyLayoutDlg& window = Open();
    const QRect label = FindControlById(&window, 23156)->geometry();
    int top = label.bottom();
    for (int i = 0; i < 3; ++i) {
        SCOPED_TRACE(i);
        QPushButton* button = Button(uint(23163 + i));
        ASSERT_TRUE(button);
        EXPECT_TRUE(button->isVisible());
        EXPECT_TRUE(button->isEnabled());
        EXPECT_EQ(button->text(), QLatin1String(sections[i].label));
        EXPECT_EQ(button->height(), 30);
        EXPECT_GT(button->y(), top);
        EXPECT_LE(button->geometry().right(), 503); // never over the canvas
        top = button->geometry().bottom();
        // A white face in a black frame, with the caption on it.
        const QImage face = button->grab().toImage();
        EXPECT_EQ(face.pixelColor(0, 0), QColor(Qt::black));
        EXPECT_EQ(face.pixelColor(face.width() - 3, 3), QColor(Qt::white));
        bool caption = false;
        for (int x = 6; x < 60 && !caption; ++x)
            for (int y = 4; y < 26 && !caption; ++y)
                caption = face.pixelColor(x, y).lightness() < 100;
        EXPECT_TRUE(caption);
    }
}

TEST_F(KeyLayoutWindow, AfterThePageDialogTheCurrentTabIsStillDrawnAsCurrent)
{
    CFcKeyLayoutDlg& window = Open();
    CKeyLayoutEditor& editor = *window.Editor();
    Button(CFcKeyLayoutDlg::IDC_PAGE_SET)->click();
    const CButtonProperty* current = editor.CurrentTab();
    ASSERT_TRUE(current);
    EXPECT_EQ(current->m_nForeColor, 0x0000FF);
    int selected = 0;
    for (CFcKeyLayButton* tab : window.Controller()->TabWindows()) {
        EXPECT_EQ(tab->IsSelected(), tab->Record() == current);
        selected += tab->IsSelected() ? 1 : 0;
    }
    EXPECT_EQ(selected, 1);
}

TEST_F(KeyLayoutWindow, AfterPasteNoKeyIsDrawnSelected)
{
    CFcKeyLayoutDlg& window = Open();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    CKeyLayoutEditor& editor = *window.Editor();
    Button(CFcKeyLayoutDlg::IDC_PAGE_COPY)->click();
    Button(CFcKeyLayoutDlg::IDC_PAGE_PASTE)->click();
    EXPECT_EQ(editor.SelectedKey(), nullptr);
    EXPECT_FALSE(Button(CFcKeyLayoutDlg::IDC_BUTTON_SET)->isEnabled());
    const auto& keys = window.Controller()->KeyWindows();
    ASSERT_EQ(keys.size(), 8u);
    // Each pasted key looks exactly as the key it was copied from.
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(keys[i + 4]->grab().toImage(), keys[i]->grab().toImage()) << i;
}

// Keys stand where the stored layout puts them: one on the cell below a key
// (whose window is 4 px taller than its row) and one over another key are
// the user's layout, not a fault of the window.
TEST_F(KeyLayoutWindow, KeysTheLayoutPlacesOverEachOtherAreTheUsersLayout)
{
    for (const char* key : {"5, 'FunctionButton', 'Standard', '000001', 258, 73",
                            "6, 'ItemButton', 'Standard', '0000000000000123', 130, 2"})
        Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, "
                            "SHEETSEQCODE, CONTROLTYPE, THEME, CODE, POSITIONX, POSITIONY, WIDTH, "
                            "HEIGHT, LABEL, FOREGROUNDCOLOR, BACKGROUNDCOLOR, OPTIONCOLOR, "
                            "IMAGEFLAG) VALUES ('ITEM', 1, 1, %1, 127, 68, '', 0, 0, 0, 0)")
                 .arg(QLatin1String(key)));
    CFcKeyLayoutDlg& window = Open();
    QList<QSize> overlaps;
    const auto& keys = window.Controller()->KeyWindows();
    for (size_t i = 0; i < keys.size(); ++i)
        for (size_t j = i + 1; j < keys.size(); ++j)
            if (const QRect both = keys[i]->geometry().intersected(keys[j]->geometry());
                !both.isEmpty())
                overlaps << both.size();
    std::sort(overlaps.begin(), overlaps.end(),
              [](QSize a, QSize b) { return a.height() < b.height(); });
    EXPECT_EQ(overlaps, QList<QSize>({QSize(127, 1), QSize(127, 72)}));
    EXPECT_EQ(korvane::test::LayoutFaults(&window), QStringList());
}

// Large palette keys on a 1280 x 800 screen: the palette scrolls where the
// window has no room for it, the button row stays clear of it, and the
// 800 px sheet shows whole with its tab strip at its start.
TEST_F(KeyLayoutWindow, LargePaletteKeysAreAllReachableAndTheSheetShowsWhole)
{
    std::vector<std::pair<QString, QString>> sizes;
    for (int i = 0; i < 7; ++i) {
        const QString kind = i < 4 ? QStringLiteral("ITEMBUTTON.%1.").arg(i + 1)
                                   : QStringLiteral("ITEMSECTION.%1.").arg(i - 3);
        sizes.emplace_back(kind + QStringLiteral("WIDTH"), QLatin1String(kLargePalette[i].width));
        sizes.emplace_back(kind + QStringLiteral("HEIGHT"), QLatin1String(kLargePalette[i].height));
        sizes.emplace_back(kind + QStringLiteral("LABEL"), QLatin1String(kLargePalette[i].label));
    }
    ReplacePaletteSizes(sizes);
    CFcKeyLayoutDlg& window = Open();
    ASSERT_TRUE(window.Editor());
    EXPECT_LE(window.frameGeometry().width(), korvane::test::kLayoutScreen.width());
    EXPECT_LE(window.frameGeometry().height(), korvane::test::kLayoutScreen.height());
    EXPECT_EQ(korvane::test::LayoutFaults(&window), QStringList());

    const uint palette[] = {23155, 23157, 23159, 23160, 23161, 23162, 23156, 23163, 23164, 23165};
    const uint buttonRow[] = {33002, 1, 2};
    for (uint id : palette) {
        SCOPED_TRACE(id);
        QWidget* control = FindControlById(&window, id);
        ASSERT_TRUE(control);
        EXPECT_TRUE(control->isVisibleTo(&window));
        EXPECT_EQ(Unreachable(control, &window), QString());
        const QWidget* place = PlaceInWindow(control, &window);
        for (uint other : buttonRow)
            EXPECT_FALSE(Button(other)->geometry().intersects(place->geometry())) << other;
    }

    // The canvas and the strip show whole, the strip at its first tab.
    for (QWidget* sheet : {static_cast<QWidget*>(window.Canvas()),
                           window.Controller()->TabWindows().front()->parentWidget()}) {
        EXPECT_EQ(Unreachable(sheet, &window), QString());
        EXPECT_EQ(sheet->visibleRegion(), QRegion(sheet->rect()));
    }
    EXPECT_EQ(window.Canvas()->size(), QSize(800, 420));
    EXPECT_EQ(window.SheetView()->horizontalScrollBar()->maximum(), 0);
    const CFcKeyLayButton* first = window.Controller()->TabWindows().front();
    EXPECT_EQ(first->Record()->m_strCode, QStringLiteral("000001"));
    EXPECT_EQ(first->visibleRegion(), QRegion(first->rect()));
}
