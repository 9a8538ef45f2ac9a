// The one message call of the programs: the key's text formatted with the
// arguments, the key recorded, the caption the program's title or the owner's.
#include "goods/base/ProgramMessage.h"

#include "shared/lang/CProgramLang.h"

#include <QGuiApplication>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

class ProgramMessageTest : public ::testing::Test
{
protected:
    ProgramMessageTest()
    {
        CProgramLang::Initialize(QStringLiteral("Brelkin"), KORVANE_SUITE_DIR "/NolvarLANG.xml");
        m_title = QGuiApplication::applicationDisplayName();
        QGuiApplication::setApplicationDisplayName(QStringLiteral("Goods"));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_shown.append(request);
            return int(platform::IDNO);
        });
    }
    ~ProgramMessageTest() override
    {
        platform::setMessageResponder({});
        QGuiApplication::setApplicationDisplayName(m_title);
        CProgramLang::Release();
    }

    QString m_title;
    QList<platform::MessageRequest> m_shown;
};

TEST_F(ProgramMessageTest, FormatsTheKeysTextWithTheArgumentsAndAnswers)
{
    QWidget parent;
    EXPECT_EQ(ShowProgramMessage(&parent, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                                 platform::MessageIcon::Error, platform::MessageButtons::YesNo, -5),
              platform::IDNO);
    ASSERT_EQ(m_shown.size(), 1);
    const platform::MessageRequest& shown = m_shown.first();
    EXPECT_EQ(shown.key, "CRDS_CMN_ERR_SAVE_FAILED");
    EXPECT_EQ(shown.text,
              FormatLangText(GetLangString(QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED")), -5));
    EXPECT_FALSE(shown.text.contains(u'%')) << shown.text.toStdString();
    EXPECT_EQ(shown.parent, &parent);
    EXPECT_EQ(shown.caption, "Goods");
    EXPECT_EQ(shown.icon, platform::MessageIcon::Error);
    EXPECT_EQ(shown.buttons, platform::MessageButtons::YesNo);
}

TEST_F(ProgramMessageTest, AKeyWithoutTextShowsTheKeyAndAnOwnerGivesTheCaption)
{
    ShowProgramMessage({nullptr, QStringLiteral("Launcher - a.crx")},
                       QStringLiteral("CRDS_NO_SUCH_KEY"), platform::MessageIcon::Warning);
    ShowProgramMessageText(nullptr, QStringLiteral("CRDS_CMN_ERR_INPUT"), QString(),
                           platform::MessageIcon::Warning);
    ShowProgramMessageText(nullptr, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                           QStringLiteral("Code: too long"), platform::MessageIcon::Warning);
    ASSERT_EQ(m_shown.size(), 3);
    EXPECT_EQ(m_shown[0].text, "CRDS_NO_SUCH_KEY");
    EXPECT_EQ(m_shown[0].caption, "Launcher - a.crx");
    EXPECT_EQ(m_shown[0].buttons, platform::MessageButtons::Ok);
    EXPECT_EQ(m_shown[1].text, GetLangString(QStringLiteral("CRDS_CMN_ERR_INPUT")));
    EXPECT_FALSE(m_shown[1].text.isEmpty());
    EXPECT_EQ(m_shown[2].text, "Code: too long");
    EXPECT_EQ(m_shown[2].key, "CRDS_CMN_ERR_INPUT");
    EXPECT_EQ(m_shown[2].caption, "Goods");
}

} // namespace
