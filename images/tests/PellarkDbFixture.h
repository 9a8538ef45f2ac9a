#pragma once

// A work database of the test's own with "CSB008", the program's language
// texts, a fixed clock, and a message responder that records the keys and
// texts it is shown and answers with m_answer.
#include "shared/config/CBasePath.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/FixedClock.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QImage>

#include <gtest/gtest.h>

#include <utility>

class PellarkDbFixture : public korvane::test::WorkDbFixture
{
protected:
    void SetUp() override
    {
        m_suite.writeIni("[PRODUCT]\nPRODUCTKEY=TESTKEY\n");
        m_local = CBasePath::GetLocalTemporaryPath();
        OpenDb(m_local + QStringLiteral("/SETTING.DB"));
        CreateTables({QStringLiteral("CSB008")});
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Pellark"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            m_texts << request.text;
            return m_answer;
        });
    }
    void TearDown() override
    {
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    static inline const QString kStamp = QStringLiteral("20260102030405");
    static inline const QString kOld = QStringLiteral("20200101000000");

    SuiteFixture m_suite;
    korvane::test::FixedClock m_clock{
        QDateTime::fromString(kStamp, QStringLiteral("yyyyMMddHHmmss"))};
    QString m_local;
    QStringList m_messages;
    QStringList m_texts;
    int m_answer = platform::IDOK;
    korvane::test::LayoutWatch m_layout; // every window shown keeps the layout rules
};

// The columns of an image holding black between rows top and bottom (the
// last row for -1), as [first, last]; (-1, -1) for none.
inline std::pair<int, int> InkColumns(const QImage& image, int top = 0, int bottom = -1)
{
    int first = -1, last = -1;
    const int end = bottom < 0 ? image.height() - 1 : bottom;
    for (int x = 0; x < image.width(); ++x)
        for (int y = top; y <= end; ++y)
            if ((image.pixel(x, y) & 0xFFFFFF) == 0) {
                if (first < 0)
                    first = x;
                last = x;
                break;
            }
    return {first, last};
}
