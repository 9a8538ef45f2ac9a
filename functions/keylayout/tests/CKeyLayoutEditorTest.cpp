#include "KeyLayoutDbFixture.h"

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutEditor.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeyLayoutReads.h"

using namespace kesmond;

namespace {

// Counts what the window would be told.
struct RecordingView : CKeyLayoutView
{
    void ShowRecord(CButtonProperty& record, bool place) override
    {
        shown << record.m_strCode;
        placed += place ? 1 : 0;
    }
    void PageShown() override { ++pages; }
    void StripShown() override { ++strips; }
    void KeyAdded(CButtonProperty&) override { ++added; }
    void KeyRemoved(CButtonProperty&) override { ++removed; }
    void StateChanged() override {}
    QStringList shown;
    int placed = 0, pages = 0, strips = 0, added = 0, removed = 0;
};

class KeyLayoutEditor : public KeyLayoutDbFixture
{
protected:
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        int err = 0;
        ASSERT_TRUE(m_geometry.Read(*m_db, err));
        m_images = std::make_unique<CButtonStyleMgr>(m_db.get());
        m_reads = std::make_unique<CKeyLayoutReads>(*m_db);
        CKeyLayoutLoader loader(*m_db, m_images.get());
        for (const QStringList& row : Rows(QStringLiteral("CSB022"), KeyLayoutColumnNames(),
                                           QString(), QStringLiteral("rowid")))
            loader.AddRow(row);
        m_geometry.SetSheetRect(loader.m_pageRect);
        m_editor = std::make_unique<CKeyLayoutEditor>(m_images.get(), &m_geometry, m_reads.get());
        m_editor->SetView(&m_view);
        m_editor->Load(loader);
        m_editor->SetGrid(m_geometry.Preset(0).width(), m_geometry.Preset(0).height());
        m_editor->ShowStripPage(0);
    }
    void TearDown() override
    {
        m_editor.reset();
        m_images.reset();
    }

    CButtonProperty* Key(const char* code, int page = 1)
    {
        for (CButtonProperty* key : m_editor->ShownKeys())
            if (key->m_strCode == QLatin1String(code) && key->m_nSheetNumber == page)
                return key;
        return nullptr;
    }
    CButtonProperty* Tab(const char* code)
    {
        for (const auto& row : m_editor->StripRows())
            if (row->m_strCode == QLatin1String(code))
                return row.get();
        return nullptr;
    }

    CFcKeyLayCSB023 m_geometry;
    std::unique_ptr<CButtonStyleMgr> m_images;
    std::unique_ptr<CKeyLayoutReads> m_reads;
    RecordingView m_view;
    std::unique_ptr<CKeyLayoutEditor> m_editor;
};

} // namespace

TEST_F(KeyLayoutEditor, StartsOnTheSmallestTabsCustomPage)
{
    EXPECT_EQ(m_editor->CurrentTab(), Tab("000001"));
    EXPECT_EQ(m_editor->CurrentPage(), 1);
    EXPECT_FALSE(m_editor->IsAutomaticPage());
    EXPECT_EQ(m_editor->ShownKeys().size(), 4u);
    EXPECT_EQ(m_editor->Grid().CellSize(), QSize(127, 68));
    const EditorEnabling e = m_editor->Enabling();
    EXPECT_TRUE(e.palette);
    EXPECT_FALSE(e.keyCommands);
    EXPECT_FALSE(e.paste);
    EXPECT_FALSE(e.undo);

    // An automatic page shows no keys and takes no palette or paste.
    ASSERT_TRUE(m_editor->CopyPage());
    m_editor->SelectTab(Tab("000002"));
    EXPECT_TRUE(m_editor->IsAutomaticPage());
    EXPECT_TRUE(m_editor->ShownKeys().empty());
    EXPECT_FALSE(m_editor->Enabling().palette);
    EXPECT_FALSE(m_editor->Enabling().paste);
    EXPECT_FALSE(m_editor->PastePage());
}

TEST_F(KeyLayoutEditor, UndoGivesBackMovesResizesAndSettings)
{
    CButtonProperty* key = Key("0000000000000123");
    m_editor->SelectKey(key);
    const CButtonProperty before = *key;
    ASSERT_TRUE(m_editor->MoveSelectedKey(QRect(258, 144, 127, 68)));
    ASSERT_TRUE(m_editor->PalettePressed({false, 0})); // one cell, at least 40
    EXPECT_EQ(m_editor->UndoCount(), 2);
    EXPECT_EQ(m_editor->SelectedKey()->m_nX, 258);

    ASSERT_TRUE(m_editor->Undo());
    EXPECT_EQ(m_editor->SelectedKey()->m_nX, 258);
    ASSERT_TRUE(m_editor->Undo());
    const CButtonProperty& back = *m_editor->SelectedKey();
    EXPECT_EQ(QRect(back.m_nX, back.m_nY, back.m_nWidth, back.m_nHeight),
              QRect(before.m_nX, before.m_nY, before.m_nWidth, before.m_nHeight));
    EXPECT_EQ(m_view.placed, 2); // each undo places the window again
    EXPECT_FALSE(m_editor->Undo());
    EXPECT_FALSE(m_editor->Enabling().undo);

    // Settings: same-code keys on any page take the colours and background.
    ASSERT_TRUE(m_editor->CopyPage());
    ASSERT_TRUE(m_editor->PastePage());
    ASSERT_EQ(m_editor->ShownKeys().size(), 8u);
    m_editor->SelectKey(m_editor->ShownKeys().front());
    auto copy = std::make_unique<CButtonProperty>(*m_editor->SelectedKey());
    copy->m_nBackColor = 0x123456;
    copy->m_pBackImage = m_images->FindImage(QStringLiteral("ItemButton.Background.9"),
                                             QStringLiteral("Standard"), QStringLiteral("1"));
    ASSERT_TRUE(m_editor->ApplyKeySettings(std::move(copy)));
    EXPECT_EQ(m_editor->SelectedKey()->m_strDispName, QStringLiteral("Croissant"));
    const std::vector<CButtonProperty*> keys = m_editor->ShownKeys();
    EXPECT_EQ(keys[4]->m_nBackColor, 0x123456);
    EXPECT_EQ(keys[4]->m_pBackImage, keys[0]->m_pBackImage);
    ASSERT_TRUE(m_editor->Undo());
    EXPECT_EQ(keys[4]->m_nBackColor, 0xFFFFFF);
    EXPECT_EQ(keys[4]->m_pBackImage->m_strCode, QStringLiteral("0"));
}

TEST_F(KeyLayoutEditor, AddingDeletingAndShowingAPageEmptyTheStack)
{
    m_editor->SelectKey(Key("000001"));
    ASSERT_TRUE(m_editor->ArrowMove(1, 0));
    ASSERT_TRUE(m_editor->PalettePressed({false, 0})); // a key kind on a key: resize
    EXPECT_EQ(m_editor->UndoCount(), 2);
    ASSERT_TRUE(m_editor->DeleteKey());
    EXPECT_EQ(m_editor->UndoCount(), 0);
    EXPECT_EQ(m_view.removed, 1);
    EXPECT_EQ(m_editor->ShownKeys().size(), 3u);

    m_editor->SelectKey(Key("0000000000000123"));
    ASSERT_TRUE(m_editor->ArrowMove(0, 1));
    m_editor->Deselect();
    ASSERT_TRUE(m_editor->PalettePressed({true, 2})); // adds a section
    EXPECT_EQ(m_editor->UndoCount(), 0);
    EXPECT_EQ(m_editor->SelectedKey()->m_strControlType, QStringLiteral("ItemSection"));
    EXPECT_EQ(m_editor->SelectedKey()->m_nSheetNumber, 1);
    EXPECT_EQ(m_editor->SelectedKey()->m_nHeight, 30);

    // A key kind with a section selected only deselects it.
    EXPECT_FALSE(m_editor->PalettePressed({false, 1}));
    EXPECT_EQ(m_editor->SelectedKey(), nullptr);

    m_editor->SelectKey(Key("0000000000000123"));
    ASSERT_TRUE(m_editor->ArrowMove(0, 1));
    m_editor->SelectTab(Tab("000001"));
    EXPECT_EQ(m_editor->UndoCount(), 0);
}

TEST_F(KeyLayoutEditor, KindZeroOnSmallCellsAddsA40By40Key)
{
    m_editor->SetGrid(19, 12);
    ASSERT_EQ(m_editor->Grid().CellSize(), QSize(40, 30));
    ASSERT_TRUE(m_editor->PalettePressed({false, 0}));
    const CButtonProperty& key = *m_editor->SelectedKey();
    EXPECT_EQ(QSize(key.m_nWidth, key.m_nHeight), QSize(40, 40));
    EXPECT_EQ(key.m_strControlType, QStringLiteral("ItemButton"));
    EXPECT_EQ(key.m_nForeColor, 1); // the default key style
    EXPECT_EQ(key.m_pBackImage->m_strCode, QStringLiteral("0"));
    EXPECT_EQ(m_view.added, 1);
}

TEST_F(KeyLayoutEditor, ArrowKeysStopAtTheCanvasEdge)
{
    CButtonProperty* key = Key("0000000000000123"); // at (2, 2)
    m_editor->SelectKey(key);
    ASSERT_TRUE(m_editor->ArrowMove(-1, 0));
    ASSERT_TRUE(m_editor->ArrowMove(-1, 0));
    EXPECT_EQ(m_editor->SelectedKey()->m_nX, 0);
    EXPECT_FALSE(m_editor->ArrowMove(-1, 0));
    ASSERT_TRUE(m_editor->ArrowMove(0, -1));
    ASSERT_TRUE(m_editor->ArrowMove(0, -1));
    EXPECT_FALSE(m_editor->ArrowMove(0, -1));
    EXPECT_EQ(m_editor->UndoCount(), 4);
}

TEST_F(KeyLayoutEditor, ClearingLeavesAnEmptyCustomPage)
{
    Tab("000001")->m_strLabel = QStringLiteral("Main");
    ASSERT_TRUE(m_editor->ClearPage());
    EXPECT_TRUE(m_editor->ShownKeys().empty());
    const CButtonProperty& tab = *Tab("000001");
    EXPECT_EQ(tab.m_strLabel, QString());
    EXPECT_EQ(tab.m_strMenuLayout, QString());
    EXPECT_EQ(tab.m_strMenuType, QStringLiteral("1"));
    EXPECT_EQ(tab.m_nPageArrange, 1);
    EXPECT_EQ(m_editor->SheetRows().front()->m_strLabel, QString()); // the page row
    EXPECT_TRUE(m_editor->Enabling().palette);
}

TEST_F(KeyLayoutEditor, StripPagesWithoutTabsLeaveNoPageToEdit)
{
    EXPECT_EQ(m_editor->LastStripPage(), 1);
    m_editor->NextStripPage();
    EXPECT_EQ(m_editor->ShownStripPage(), 1);
    EXPECT_EQ(m_editor->CurrentTab(), nullptr);
    const EditorEnabling e = m_editor->Enabling();
    EXPECT_FALSE(e.palette);
    EXPECT_FALSE(e.pageCommands);
    EXPECT_FALSE(e.paste);
    EXPECT_FALSE(m_editor->PalettePressed({false, 0}));
    EXPECT_FALSE(m_editor->CopyPage());
    EXPECT_FALSE(m_editor->ClearPage());
    m_editor->NextStripPage(); // the last one: stays
    EXPECT_EQ(m_editor->ShownStripPage(), 1);
    m_editor->PreviousStripPage();
    EXPECT_EQ(m_editor->CurrentTab(), Tab("000001"));
}

TEST_F(KeyLayoutEditor, APageMadeAutomaticLosesItsKeys)
{
    auto copy = std::make_unique<CButtonProperty>(*Tab("000001"));
    copy->m_nPageArrange = 0;
    copy->m_strLabel = QStringLiteral("Drinks");
    copy->m_strMenuDeptLink = QStringLiteral("000001");
    copy->m_strMenuLayout.clear();
    ASSERT_TRUE(m_editor->ApplyPageSettings(std::move(copy)));
    const CButtonProperty& tab = *m_editor->CurrentTab();
    EXPECT_EQ(Tab("000001"), &tab);
    EXPECT_EQ(tab.m_strDispName, QStringLiteral("Drinks"));
    EXPECT_EQ(tab.m_strMenuLayout, QStringLiteral("1"));
    EXPECT_TRUE(m_editor->IsAutomaticPage());
    EXPECT_EQ(m_editor->SheetRows().size(), 2u); // the two page rows
    EXPECT_EQ(m_editor->SheetRows().front()->m_strLabel, QStringLiteral("Drinks"));
    EXPECT_EQ(m_editor->SheetRows().front()->m_nSheetArrange, 0);

    // Back to custom: the department link goes.
    auto custom = std::make_unique<CButtonProperty>(tab);
    custom->m_nPageArrange = 1;
    ASSERT_TRUE(m_editor->ApplyPageSettings(std::move(custom)));
    EXPECT_EQ(m_editor->CurrentTab()->m_strMenuDeptLink, QStringLiteral("0"));
    EXPECT_TRUE(m_editor->Enabling().palette);
}

TEST_F(KeyLayoutEditor, TheScrollBarFollowsTheTabs)
{
    EXPECT_FALSE(m_editor->ScrollOfStrip().shown); // no scroll area on strip page 0
    auto area = std::make_unique<CButtonProperty>();
    area->m_strControlType = QStringLiteral("ScrollArea");
    m_editor->StripRows().push_back(std::move(area));
    EXPECT_FALSE(m_editor->ScrollOfStrip().shown); // tabs end at 290 of 800
    auto far = std::make_unique<CButtonProperty>(*Tab("000002"));
    far->m_strCode = QStringLiteral("000009");
    far->m_nX = 900;
    m_editor->StripRows().push_back(std::move(far));
    const StripScroll scroll = m_editor->ScrollOfStrip();
    EXPECT_TRUE(scroll.shown);
    EXPECT_EQ(scroll.range, 900 + 120 - 800);
}
