#include "KeyLayoutDialogFixture.h"

#include "functions/CFcKeyLayMatrixDlg.h"
#include "functions/CFcKeyLaySetMsgDlg.h"
#include "functions/CFcKeyLaySetPageDlg.h"
#include "functions/CListBoxGrpType.h"
#include "functions/CSelectGrpTypeDlg.h"
#include "functions/keylayout/KeyLayoutColour.h"

#include "shared/controls/FindControlById.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QScrollBar>
#include <QLineEdit>
#include <QRadioButton>
#include <QTest>

using namespace kesmond;

namespace {

class PageDialog : public CFcKeyLaySetPageDlg
{
public:
    using CFcKeyLaySetPageDlg::CFcKeyLaySetPageDlg;
    std::vector<ChosenStyle> styles;

protected:
    bool ChooseStyle(int kind, ChosenStyle& style) override
    {
        EXPECT_EQ(kind, 2);
        if (styles.empty())
            return false;
        style = styles.back();
        styles.pop_back();
        return true;
    }
};

class KeyLayoutSmallDialogs : public KeyLayoutDialogFixture
{
protected:
    template <class T> T* Control(QWidget* dialog, uint id)
    {
        return qobject_cast<T*>(FindControlById(dialog, id));
    }
    std::unique_ptr<PageDialog> OpenPage(CButtonProperty& tab)
    {
        auto dialog = std::make_unique<PageDialog>();
        dialog->m_pDB = m_db.get();
        dialog->m_pRecord = &tab;
        dialog->m_pImages = m_images.get();
        dialog->m_pReads = m_reads.get();
        dialog->m_pGeometry = &m_geometry;
        dialog->Create();
        return dialog;
    }
};

} // namespace

// The page, section and grid dialogs keep the layout rules as they show.
TEST_F(KeyLayoutSmallDialogs, EverySmallDialogKeepsTheLayoutRules)
{
    CButtonProperty tab(*Tab("000002"));
    auto page = OpenPage(tab);
    page->show();
    EXPECT_EQ(korvane::test::LayoutFaults(page.get()), QStringList());
    page->reject();

    CButtonProperty section(*Row("ItemSection", "0"));
    CFcKeyLaySetMsgDlg label;
    label.m_pRecord = &section;
    label.show();
    EXPECT_EQ(korvane::test::LayoutFaults(&label), QStringList());
    label.reject();

    CFcKeyLayMatrixDlg grid;
    grid.m_pGeometry = &m_geometry;
    grid.m_nColumns = m_geometry.Preset(1).width();
    grid.m_nRows = m_geometry.Preset(1).height();
    grid.show();
    EXPECT_EQ(korvane::test::LayoutFaults(&grid), QStringList());
    grid.reject();
}

TEST_F(KeyLayoutSmallDialogs, PageDialogOpensOnTheLinkedDepartmentAndTheStoredName)
{
    CButtonProperty tab(*Tab("000002"));
    ASSERT_EQ(tab.m_strMenuDeptLink, QStringLiteral("000001"));
    tab.m_strMenuLayout = QStringLiteral("12");
    auto dialog = OpenPage(tab);
    auto* dept = Control<QComboBox>(dialog.get(), CFcKeyLaySetPageDlg::IDC_DEPT);
    auto* name = Control<QLineEdit>(dialog.get(), CFcKeyLaySetPageDlg::IDC_PAGENAME);
    EXPECT_EQ(dept->count(), 2);
    EXPECT_EQ(dept->currentText(), QStringLiteral("Bakery"));
    EXPECT_EQ(name->text(), tab.GetLabelText());
    EXPECT_NE(name->text(), QStringLiteral("Bakery"));
    EXPECT_TRUE(Control<QRadioButton>(dialog.get(), 23160)->isChecked());
    // The stored layout "12" is automatic type 2, which takes its caption.
    auto* type2 = Control<QRadioButton>(dialog.get(), 23165);
    EXPECT_TRUE(type2->isChecked());
    EXPECT_EQ(type2->text(), QStringLiteral("Twelve"));
    EXPECT_EQ(Control<QRadioButton>(dialog.get(), 23166)->text(),
              GetLangString(QStringLiteral("CRDC_FC_RADIO_BTYPE_3")));
    Control<QRadioButton>(dialog.get(), 23164)->click();
    EXPECT_EQ(tab.m_strMenuLayout, QStringLiteral("1"));
    EXPECT_FALSE(type2->isChecked());
    type2->click();
    EXPECT_EQ(tab.m_strMenuLayout, QStringLiteral("12"));

    // Only a department chosen in the list names the page.
    emit dept->activated(1);
    EXPECT_EQ(name->text(), QStringLiteral("Drinks"));
    dept->setCurrentIndex(1);
    dialog->accept();
    EXPECT_EQ(dialog->result(), int(platform::IDOK));
    EXPECT_EQ(tab.m_strMenuDeptLink, QStringLiteral("000002"));
    EXPECT_EQ(tab.m_strLabel, QStringLiteral("Drinks"));
}

TEST_F(KeyLayoutSmallDialogs, AutomaticWarnsAtOnceAndNeedsADepartment)
{
    CButtonProperty tab(*Tab("000001"));
    ASSERT_EQ(tab.m_nPageArrange, 1);
    auto dialog = OpenPage(tab);
    auto* dept = Control<QComboBox>(dialog.get(), CFcKeyLaySetPageDlg::IDC_DEPT);
    EXPECT_EQ(dept->currentIndex(), -1);
    EXPECT_FALSE(dept->isEnabled());
    EXPECT_FALSE(Control<QRadioButton>(dialog.get(), 23164)->isEnabled());
    Control<QRadioButton>(dialog.get(), 23160)->click();
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_FC_MSG_INITED_NOWPAGE")});
    EXPECT_EQ(tab.m_nPageArrange, 0);
    EXPECT_TRUE(dept->isEnabled());
    dialog->accept();
    EXPECT_EQ(m_suite.messages().value(1), QStringLiteral("CRDS_FC_MSG_NOSELECT_DEPARTMENT"));
    EXPECT_EQ(dialog->result(), 0);
    // An empty name is refused first.
    Control<QLineEdit>(dialog.get(), CFcKeyLaySetPageDlg::IDC_PAGENAME)->clear();
    dialog->accept();
    EXPECT_EQ(m_suite.messages().value(2), QStringLiteral("CRDS_CMN_ERR_INPUT"));
    Control<QRadioButton>(dialog.get(), 23161)->click();
    EXPECT_EQ(tab.m_nPageArrange, 1);
    dialog->reject();
    EXPECT_EQ(dialog->result(), int(platform::IDCANCEL));
}

TEST_F(KeyLayoutSmallDialogs, APageStyleIsHandedToTheCacheOnlyOnOk)
{
    CButtonProperty& stored = *Tab("000001");
    ASSERT_TRUE(stored.m_pBackImage);
    for (bool ok : {false, true}) {
        CButtonProperty tab(stored);
        const auto cache = m_images->Cache();
        auto dialog = OpenPage(tab);
        dialog->styles = {ChosenStyle{QStringLiteral("ItemSheetSelection.Normal"),
                                      QStringLiteral("Standard"), QStringLiteral("0"), 1, 2, 3}};
        dialog->OnChooseStyle();
        ASSERT_TRUE(dialog->m_pNewBack);
        EXPECT_EQ(tab.m_nOptionColor, 3);
        CImageDataCSB012* chosen = dialog->m_pNewBack;
        if (ok) {
            dialog->accept();
            EXPECT_EQ(tab.m_pBackImage, chosen);
            EXPECT_TRUE(chosen->m_bChanged);
            EXPECT_TRUE(m_images->IsInCache(chosen));
        } else {
            dialog->reject();
            EXPECT_EQ(tab.m_pBackImage, stored.m_pBackImage);
            EXPECT_EQ(m_images->Cache(), cache);
        }
        EXPECT_FALSE(dialog->m_pNewBack);
    }
}

TEST_F(KeyLayoutSmallDialogs, SectionLabelIsRequiredAndTakes128Characters)
{
    CButtonProperty section(*Row("ItemSection", "0"));
    CFcKeyLaySetMsgDlg dialog;
    dialog.m_pRecord = &section;
    dialog.Create();
    auto* edit = Control<QLineEdit>(&dialog, CFcKeyLaySetMsgDlg::IDC_NAME);
    EXPECT_EQ(edit->text(), QStringLiteral("Bread"));
    edit->clear();
    dialog.accept();
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_INPUT")});
    EXPECT_EQ(dialog.result(), 0);
    QTest::keyClicks(edit, QString(130, QLatin1Char('a')));
    EXPECT_EQ(section.m_strLabel, QString(128, QLatin1Char('a')));
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(platform::IDOK));
}

TEST_F(KeyLayoutSmallDialogs, GridDialogOffersThePresetsAndAFreeGridOfUpTo48)
{
    CFcKeyLayMatrixDlg dialog;
    dialog.m_pGeometry = &m_geometry;
    dialog.m_nColumns = m_geometry.Preset(1).width();
    dialog.m_nRows = m_geometry.Preset(1).height();
    dialog.Create();
    auto radio = [&dialog, this](int i) {
        return Control<QRadioButton>(&dialog, CFcKeyLayMatrixDlg::IDC_RADIO_KL_1 + uint(i));
    };
    auto* columns = Control<QLineEdit>(&dialog, CFcKeyLayMatrixDlg::IDC_COLUMNS);
    auto* rows = Control<QLineEdit>(&dialog, CFcKeyLayMatrixDlg::IDC_ROWS);
    for (int i = 0; i < 4; ++i)
        EXPECT_EQ(radio(i)->text(), QStringLiteral("%1 x %2")
                                        .arg(m_geometry.Preset(i).width())
                                        .arg(m_geometry.Preset(i).height()));
    EXPECT_TRUE(radio(1)->isChecked());
    EXPECT_TRUE(columns->isReadOnly());
    EXPECT_EQ(columns->maxLength(), 2);
    radio(0)->click();
    EXPECT_EQ(columns->text(), QString::number(m_geometry.Preset(0).width()));
    EXPECT_FALSE(radio(1)->isChecked());
    radio(4)->click();
    EXPECT_FALSE(rows->isReadOnly());

    const struct
    {
        const char* columns;
        const char* rows;
        bool taken;
    } cases[] = {{"0", "5", false}, {"5", "49", false}, {"", "5", false}, {"48", "48", true}};
    for (const auto& c : cases) {
        columns->setText(QLatin1String(c.columns));
        rows->setText(QLatin1String(c.rows));
        m_suite.messages().clear();
        dialog.accept();
        EXPECT_EQ(dialog.result(), c.taken ? int(platform::IDOK) : 0) << c.columns << c.rows;
        EXPECT_EQ(m_suite.messages().isEmpty(), c.taken);
    }
    EXPECT_EQ(dialog.m_nColumns, 48);
    EXPECT_EQ(dialog.m_nRows, 48);
}

TEST_F(KeyLayoutSmallDialogs, StyleChooserDrawsAndTakesTheFamilysStyles)
{
    CSelectGrpTypeDlg dialog;
    dialog.m_pReads = m_reads.get();
    dialog.m_pImages = m_images.get();
    dialog.m_nKind = 1;
    dialog.resize(400, 1000);
    dialog.Create();
    CListBoxGrpType* list = dialog.List();
    ASSERT_EQ(list->count(), 15);
    EXPECT_FALSE(list->m_bLoaded);
    list->resize(300, 15 * CListBoxGrpType::kItemHeight + 4);
    const QImage drawn = list->grab().toImage();
    EXPECT_TRUE(list->m_bLoaded);
    EXPECT_EQ(list->visualItemRect(list->item(3)).height(), CListBoxGrpType::kItemHeight);
    // The sample text of row 3 in style 3's foreground colour.
    const QRect row3 = list->visualItemRect(list->item(3));
    const QColor fore = ColourFromDb(0xFF0000 + 3);
    bool found = false;
    for (int y = row3.top(); y <= row3.bottom() && !found; ++y)
        for (int x = row3.left(); x <= row3.right() && !found; ++x)
            found = drawn.pixelColor(x, y) == fore;
    EXPECT_TRUE(found);

    dialog.accept();
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_INPUT")});
    list->setCurrentRow(3);
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(platform::IDOK));
    EXPECT_EQ(dialog.m_result.controlType, QStringLiteral("FunctionButton"));
    EXPECT_EQ(dialog.m_result.theme, QStringLiteral("Standard"));
    EXPECT_EQ(dialog.m_result.code, QStringLiteral("3"));
    EXPECT_EQ(dialog.m_result.foreColor, 0xFF0000 + 3);
    EXPECT_EQ(dialog.m_result.backColor, 0x00FF00 + 3);
    EXPECT_EQ(dialog.m_result.optionColor, 0x0000FF + 3);
}

// The samples take the list's width: no sideways scrolling at the size the
// chooser opens at.
TEST_F(KeyLayoutSmallDialogs, StyleChooserNeedsNoHorizontalScrollBar)
{
    CSelectGrpTypeDlg dialog;
    dialog.m_pReads = m_reads.get();
    dialog.m_pImages = m_images.get();
    dialog.m_nKind = 1;
    dialog.show();
    QCoreApplication::processEvents();
    EXPECT_TRUE(dialog.List()->verticalScrollBar()->isVisible());
    EXPECT_FALSE(dialog.List()->horizontalScrollBar()->isVisible());
    dialog.reject();
}

TEST_F(KeyLayoutSmallDialogs, EntriesWithoutAStyleCannotBeTaken)
{
    Exec(QStringLiteral("DELETE FROM CSB022 WHERE SHEETTYPE = 'DEFAULTITEMBUTTON' AND "
                        "SHEETNUMBER >= 10"));
    CSelectGrpTypeDlg dialog;
    dialog.m_pReads = m_reads.get();
    dialog.m_pImages = m_images.get();
    dialog.m_nKind = 0;
    dialog.Create();
    ASSERT_EQ(dialog.List()->count(), 15);
    dialog.List()->grab();
    dialog.List()->setCurrentRow(12);
    dialog.accept();
    EXPECT_EQ(dialog.result(), 0);
    EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_INPUT")});
    dialog.List()->setCurrentRow(9);
    dialog.accept();
    EXPECT_EQ(dialog.result(), int(platform::IDOK));
    EXPECT_EQ(dialog.m_result.controlType, QStringLiteral("ItemButton.Background.9"));
}

TEST(ListBoxGrpType, FamiliesAndCorners)
{
    EXPECT_EQ(CListBoxGrpType::SheetTypeOfKind(0), QStringLiteral("DEFAULTITEMBUTTON"));
    EXPECT_EQ(CListBoxGrpType::SheetTypeOfKind(1), QStringLiteral("DEFAULTFUNCTIONBUTTON"));
    EXPECT_EQ(CListBoxGrpType::SheetTypeOfKind(2),
              QStringLiteral("DEFAULTITEMSHEETSELECTIONNORMAL"));
    EXPECT_EQ(CListBoxGrpType::CornerSize(QStringLiteral("ItemSheetSelection.Normal.9.png")), 4);
    EXPECT_EQ(CListBoxGrpType::CornerSize(QStringLiteral("FunctionButton.9.png")), 8);
}
