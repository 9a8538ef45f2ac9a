#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/CSarvikApp.h"

#include "testsupport/TestFolders.h"

#include <QAction>
#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include <gtest/gtest.h>

namespace {

using korvane::test::TestFolders;

// Writes a language file into a fresh folder and loads it.
class LangFile
{
public:
    explicit LangFile(const QByteArray& xml)
    {
        m_path = m_folders.scratch() + "/NolvarLANG.xml";
        korvane::test::writeFile(m_path, xml);
        m_result = m_datas.LoadDocumentFile(m_path);
    }
    CResourceLangDatas& datas() { return m_datas; }
    bool result() const { return m_result; }
    QString path() const { return m_path; }

private:
    TestFolders m_folders;
    QString m_path;
    CResourceLangDatas m_datas;
    bool m_result = false;
};

TEST(CResourceLangDatas, KeepsTextsWholeAndMatchesKeysAndModulesWithoutCase)
{
    const QByteArray longText(2000, 'x');
    LangFile file(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<resources>\n"
        "<module name=\"Brelkin\">\n"
        "<string id=\"crds_pr_lower\">  two\nlines &amp; more</string>\n"
        "<string id=\"CRDS_PR_LONG\">" +
        longText +
        "</string>\n"
        "<string id=\"CRDS_PR_INNER\">a<b>b</b>c</string>\n"
        "<string id=\"CRDS_PR_EMPTY\"></string>\n"
        "</module>\n"
        "<module name=\"BRELKIN\"><string id=\"CRDS_PR_SECOND\">second</string></module>\n"
        "<module><string id=\"CRDS_PR_ORPHAN\">x</string></module>\n"
        "</resources>\n");
    ASSERT_TRUE(file.result());
    CResourceLangDatas& d = file.datas();
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_LOWER"), "  two\nlines & more");
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_LONG"), QString::fromLatin1(longText));
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_INNER"), "abc");
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_SECOND"), "second");
    EXPECT_EQ(d.LoadResString("brelkin", "CRDS_PR_SECOND"), "second");
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_EMPTY"), "");
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_ORPHAN"), "");
    EXPECT_EQ(d.LoadResString("Brelkin", ""), "");
    EXPECT_EQ(d.LoadResString("Kesmond", "CRDS_PR_SECOND"), "");

    EXPECT_TRUE(d.ReleaseDocumentDatas());
    EXPECT_EQ(d.LoadResString("Brelkin", "CRDS_PR_SECOND"), "");
}

TEST(CResourceLangDatas, BrokenFilesKeepWhatCameBeforeAndReportTheirCode)
{
    struct Case
    {
        const char* name;
        QByteArray xml;
        int expected;
        const char* keptText;
    };
    const Case cases[] = {
        {"malformed tail",
         "<resources><module name=\"Sarvik\"><string id=\"K1\">one</string>"
         "<string id=\"K2\">two</strin",
         CResourceLangDatas::LANGLOAD_XML_FATAL, "one"},
        {"doctype",
         "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY a \"aaaa\">]>"
         "<resources><module name=\"Sarvik\"><string id=\"K1\">&a;</string></module></resources>",
         CResourceLangDatas::LANGLOAD_XML_FATAL, ""},
        {"well formed",
         "<resources><module name=\"Sarvik\"><string id=\"K1\">one</string>"
         "</module></resources>",
         CResourceLangDatas::LANGLOAD_OK, "one"},
    };
    for (const Case& c : cases) {
        LangFile file(c.xml);
        EXPECT_EQ(file.datas().GetLoadResult(), c.expected) << c.name;
        EXPECT_EQ(file.datas().LoadResString("Sarvik", "K1"), c.keptText) << c.name;
    }

    CResourceLangDatas missing;
    EXPECT_FALSE(missing.LoadDocumentFile("/nonexistent/NolvarLANG.xml"));
    EXPECT_EQ(missing.GetLoadResult(), CResourceLangDatas::LANGLOAD_XML_FATAL);
    EXPECT_EQ(missing.LoadResString("Sarvik", "K1"), "");
}

TEST(CResourceLangDatas, TranslatesWidgetTreesWhoseTextsAreKeys)
{
    LangFile file("<resources><module name=\"Kesmond\">"
                  "<string id=\"CRDD_TITLE\">Title</string>"
                  "<string id=\"CRDC_LABEL\">Label</string>"
                  "<string id=\"CRDC_GROUP\">Group</string>"
                  "<string id=\"CRDC_OK\">OK</string>"
                  "<string id=\"CRDC_CHECK\">Check</string>"
                  "<string id=\"CRDC_EDIT\">Edit</string>"
                  "<string id=\"CRDC_NOTEXT\"></string>"
                  "<string id=\"CRDM_FILE\">File</string>"
                  "<string id=\"CRDM_OPEN\">Open</string>"
                  "<string id=\"CRDM_RECENT\">Recent</string>"
                  "<string id=\"CRDM_FIRST\">First</string>"
                  "</module></resources>");
    QDialog dialog;
    dialog.setWindowTitle("CRDD_TITLE");
    auto* group = new QGroupBox("CRDC_GROUP", &dialog);
    auto* label = new QLabel("CRDC_LABEL", group); // a grandchild
    auto* button = new QPushButton("CRDC_OK", &dialog);
    auto* check = new QCheckBox("CRDC_CHECK", &dialog);
    auto* edit = new QLineEdit("CRDC_EDIT", &dialog);
    auto* plain = new QLabel("not a key", &dialog);
    auto* empty = new QLabel("CRDC_NOTEXT", &dialog);
    auto* other = new QLabel("CRDC_LABEL", nullptr); // not in the tree
    std::unique_ptr<QLabel> otherOwner(other);

    file.datas().SetWinLangTextAllChildren("Kesmond", &dialog);
    EXPECT_EQ(dialog.windowTitle(), "Title");
    EXPECT_EQ(group->title(), "Group");
    EXPECT_EQ(label->text(), "Label");
    EXPECT_EQ(button->text(), "OK");
    EXPECT_EQ(check->text(), "Check");
    EXPECT_EQ(edit->text(), "Edit");
    EXPECT_EQ(plain->text(), "not a key");
    EXPECT_EQ(empty->text(), "CRDC_NOTEXT"); // an empty text never replaces a key
    EXPECT_EQ(other->text(), "CRDC_LABEL");
    file.datas().SetWinLangTextAllChildren("Kesmond", nullptr); // harmless

    QMenuBar bar;
    QMenu* fileMenu = bar.addMenu("CRDM_FILE");
    QAction* open = fileMenu->addAction("CRDM_OPEN");
    fileMenu->addSeparator();
    QAction* plainItem = fileMenu->addAction("Plain");
    QMenu* recent = fileMenu->addMenu("CRDM_RECENT");
    QAction* first = recent->addAction("CRDM_FIRST");
    file.datas().SetMenuLangTextAllChildren("Kesmond", &bar);
    EXPECT_EQ(fileMenu->title(), "File");
    EXPECT_EQ(open->text(), "Open");
    EXPECT_EQ(plainItem->text(), "Plain");
    EXPECT_EQ(recent->title(), "Recent");
    EXPECT_EQ(recent->menuAction()->menu(), recent); // the submenu stays attached
    EXPECT_EQ(first->text(), "First");
}

const QByteArray kModules = "<resources>"
                            "<module name=\"Sarvik\"><string id=\"K_BOTH\">library</string>"
                            "<string id=\"K_EMPTY_HERE\"></string></module>"
                            "<module name=\"Tovanel\"><string id=\"K_EMPTY_HERE\">launcher</string>"
                            "</module>"
                            "<module name=\"Brelkin\"><string id=\"K_BOTH\">goods</string>"
                            "<string id=\"K_GOODS\">goods only</string>"
                            "<string id=\"K_EMPTY_HERE\">goods too</string></module>"
                            "<module name=\"Mervolt\"><string id=\"K_LAST\">monitor</string>"
                            "</module></resources>";

TEST(CResourceLangDatas, LoadCommonStringPrefersTheLibraryThenTheFallbackOrder)
{
    LangFile file(kModules);
    ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(file.path()));
    EXPECT_EQ(LoadCommonString("K_BOTH"), "library");
    EXPECT_EQ(LoadCommonString("K_GOODS"), "goods only");
    EXPECT_EQ(LoadCommonString("K_EMPTY_HERE"), "launcher");
    EXPECT_EQ(LoadCommonString("K_LAST"), "monitor");
    EXPECT_EQ(LoadCommonString("K_NONE"), "");
    CSarvikApp::Instance().ReleaseLangDatas();
}

TEST(CResourceLangDatas, ProgramLookupTriesItsModuleThenTheLibrary)
{
    LangFile file(kModules);
    ASSERT_TRUE(CProgramLang::Initialize("Brelkin", file.path()));
    EXPECT_EQ(GetLangString("K_BOTH"), "goods");
    EXPECT_EQ(GetLangString("K_LAST"), ""); // other programs' modules are not searched
    ASSERT_TRUE(CProgramLang::Initialize("Kesmond", file.path()));
    EXPECT_EQ(GetLangString("K_BOTH"), "library");

    QLabel label("K_BOTH"); // windows use the program's module only
    SetDialogLangTexts(&label);
    EXPECT_EQ(label.text(), "K_BOTH");
    CProgramLang::Release();
}

TEST(CResourceLangDatas, ShowErrorDialogNamesTheLoadResult)
{
    SuiteFixture suite;
    const std::pair<int, const char*> cases[] = {
        {CResourceLangDatas::LANGLOAD_NOMEMORY, "CRDS_CMN_LANGXML_NOMEMORY"},
        {CResourceLangDatas::LANGLOAD_XML_ERROR, "CRDS_CMN_LANGXML_ERROR"},
        {CResourceLangDatas::LANGLOAD_XML_FATAL, "CRDS_CMN_LANGXML_FATAL"},
        {CResourceLangDatas::LANGLOAD_UNKNOWN, "CRDS_CMN_LANGXML_UNKNOWN"},
        {99, "CRDS_CMN_LANGXML_UNKNOWN"},
    };
    for (const auto& [code, key] : cases) {
        CSarvikApp::ShowErrorDialog(code);
        EXPECT_EQ(suite.messages().takeLast(), key) << code;
    }
}

} // namespace
