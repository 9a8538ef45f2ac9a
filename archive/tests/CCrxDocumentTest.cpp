// The grammar the full document builds for import and export.

#include "archive/CCrxDocument.h"
#include "archive/CCrxNode_recinfo.h"
#include "archive/CCrxRecord.h"

#include <gtest/gtest.h>

namespace {

QStringList ChildNames(const CCrxElement* element)
{
    QStringList names;
    if (auto node = dynamic_cast<const CCrxNode*>(element))
        for (const auto& child : node->Children())
            names << child->Name();
    return names;
}

const CCrxNode* Child(const CCrxElement* element, int index)
{
    return dynamic_cast<const CCrxNode*>(
        static_cast<const CCrxNode*>(element)->Children().at(index).get());
}

TEST(CCrxDocumentTest, ImportGrammarReadsRowsOnly)
{
    CCrxDocument doc;
    doc.BuildGrammar(false);
    EXPECT_EQ(doc.GetElementStack().Top(), &doc.Root());
    const CCrxNode* crxparse = Child(&doc.Root(), 0);
    EXPECT_EQ(ChildNames(crxparse), QStringList({"fileinfo", "datainfo"}));
    const CCrxNode* tabinfo = Child(Child(Child(crxparse, 1), 0), 0);
    EXPECT_EQ(tabinfo->Name(), "tabinfo");
    EXPECT_EQ(ChildNames(tabinfo), QStringList{"recinfo"});
    EXPECT_EQ(ChildNames(tabinfo->Children()[0].get()), QStringList{"datarec"});
}

TEST(CCrxDocumentTest, ExportGrammarCarriesHeaderDeletedRowsAndNoDataInfo)
{
    CCrxDocument doc;
    doc.m_fileInfo = {"M", "1", "", "S", "", 1, 0};
    doc.BuildGrammar(true);
    const CCrxNode* crxparse = Child(&doc.Root(), 0);
    const CCrxNode* tabinfo = Child(Child(Child(crxparse, 1), 0), 0);
    ASSERT_EQ(ChildNames(tabinfo), QStringList({"recinfo", "recinfo"}));
    EXPECT_EQ(static_cast<const CCrxNode_recinfo*>(tabinfo->Children()[1].get())->DeletedRows(), 1);
    EXPECT_EQ(ChildNames(tabinfo->Children()[1].get()), QStringList{"baserec"});

    auto fileinfo = static_cast<const CCrxRecord*>(crxparse->Children()[0].get());
    QStringList values;
    QList<int> writeEmpty;
    for (const auto& item : fileinfo->Items()) {
        values << item->m_strName + "=" + item->m_strValue;
        writeEmpty << item->m_nWriteEmpty;
    }
    EXPECT_EQ(values,
              QStringList({"machinetype=M", "crxver=1", "regver=", "system=S", "package="}));
    EXPECT_EQ(writeEmpty, QList<int>({0, 0, 1, 0, 0}));

    // Only a partial export drops "datainfo" for the no-data-info switch.
    for (int kind : {1, 2}) {
        CCrxDocument partial;
        partial.m_nExportKind = kind;
        partial.m_nNoDataInfo = 1;
        partial.BuildGrammar(true);
        EXPECT_EQ(ChildNames(Child(&partial.Root(), 0)).size(), kind == 2 ? 1 : 2) << kind;
    }
}

TEST(CCrxDocumentTest, GetDbDefaultsToTheSettingsDatabase)
{
    CCrxDocument doc;
    EXPECT_EQ(doc.GetDb("CUSTOMER"), doc.GetCustomerDb());
    EXPECT_EQ(doc.GetDb("SETTING"), doc.GetSettingDb());
    EXPECT_EQ(doc.GetDb("setting"), doc.GetSettingDb());
    EXPECT_EQ(doc.GetDb("customer"), doc.GetSettingDb());
    EXPECT_EQ(doc.GetDb(""), doc.GetSettingDb());
}

} // namespace
