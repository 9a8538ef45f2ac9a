#pragma once

#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/CKeyLayoutEditor.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeyLayoutReads.h"
#include "functions/keylayout/KeyLayoutColumns.h"
#include "functions/keylayout/tests/KeyLayoutDbFixture.h"

#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"

#include <memory>

// The fixture's key layout loaded as the editor has it, with the language
// file, an image cache, the reads and a record of the messages shown. The
// style families get all 15 styles, style 3 of the function keys an image
// of its own, the item "…123" a picture and a second department.
class KeyLayoutDialogFixture : public KeyLayoutDbFixture
{
protected:
    void SetUp() override
    {
        KeyLayoutDbFixture::SetUp();
        // The drawing fonts come from the launcher's settings.
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        Exec(QStringLiteral("DELETE FROM CSB022 WHERE SHEETTYPE LIKE 'DEFAULT%'"));
        for (int i = 0; i < 15; ++i) {
            AddStyle("DEFAULTITEMBUTTON", i, "ItemButton.Background.9", QString::number(i % 2));
            AddStyle("DEFAULTFUNCTIONBUTTON", i, "FunctionButton", QString::number(i));
        }
        AddImage("FunctionButton", "3", "fn3.png", Qt::magenta);
        AddImage("ItemButton", "0000000000000123", "croissant.png", Qt::darkYellow);
        Exec(QStringLiteral("INSERT INTO CIA002 (ITEMDEPTCODE, ITEMDEPTNAME) VALUES ('000002', "
                            "'Drinks')"));
        Exec(QStringLiteral("INSERT INTO CSB023 (LAYOUTCODE, LAYOUTVALUE) VALUES "
                            "('ITEMBUTTONAUTO.1.LABEL', 'Twelve')"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Kesmond"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        kesmond::CImageDataCSB012::SetRetryWait([](int) {});
        int err = 0;
        ASSERT_TRUE(m_geometry.Read(*m_db, err));
        m_images = std::make_unique<kesmond::CButtonStyleMgr>(m_db.get());
        m_reads = std::make_unique<kesmond::CKeyLayoutReads>(*m_db);
        kesmond::CKeyLayoutLoader loader(*m_db, m_images.get());
        for (const QStringList& row :
             Rows(QStringLiteral("CSB022"), kesmond::KeyLayoutColumnNames(), QString(),
                  QStringLiteral("rowid")))
            loader.AddRow(row);
        m_geometry.SetSheetRect(loader.m_pageRect);
        m_editor =
            std::make_unique<kesmond::CKeyLayoutEditor>(m_images.get(), &m_geometry, m_reads.get());
        m_editor->Load(loader);
        m_editor->ShowStripPage(0);
    }
    void TearDown() override
    {
        m_editor.reset();
        m_images.reset();
        kesmond::CImageDataCSB012::SetRetryWait({});
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    void AddStyle(const char* sheetType, int number, const char* type, const QString& code)
    {
        Exec(QStringLiteral("INSERT INTO CSB022 (SHEETTYPE, SHEETNUMBER, SHEETARRANGE, "
                            "SHEETSEQCODE, CONTROLTYPE, THEME, CODE, FOREGROUNDCOLOR, "
                            "BACKGROUNDCOLOR, OPTIONCOLOR) VALUES ('%1', %2, 0, 0, '%3', "
                            "'Standard', '%4', %5, %6, %7)")
                 .arg(QLatin1String(sheetType))
                 .arg(number)
                 .arg(QLatin1String(type), code)
                 .arg(0xFF0000 + number)
                 .arg(0x00FF00 + number)
                 .arg(0x0000FF + number));
    }

    // The first sheet row of a control type and code.
    kesmond::CButtonProperty* Row(const char* type, const char* code)
    {
        for (const auto& row : m_editor->SheetRows())
            if (row->m_strControlType == QLatin1String(type) &&
                row->m_strCode == QLatin1String(code))
                return row.get();
        return nullptr;
    }
    kesmond::CButtonProperty* Tab(const char* code)
    {
        for (const auto& row : m_editor->StripRows())
            if (row->m_strCode == QLatin1String(code))
                return row.get();
        return nullptr;
    }

    SuiteFixture m_suite;
    kesmond::CFcKeyLayCSB023 m_geometry;
    std::unique_ptr<kesmond::CButtonStyleMgr> m_images;
    std::unique_ptr<kesmond::CKeyLayoutReads> m_reads;
    std::unique_ptr<kesmond::CKeyLayoutEditor> m_editor;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};
