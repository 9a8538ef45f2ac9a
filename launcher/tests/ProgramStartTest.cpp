// The menus start the settings programs from the launcher's folder: the
// stand-in program, under each program's name, records what it was given.
#include "launcher/CSelectKeyLayoutDlg.h"
#include "launcher/CTovanelCleaningDlg.h"
#include "launcher/CTovanelEasyDlg.h"
#include "launcher/CTovanelStandardDlg.h"
#include "launcher/tests/LauncherFixture.h"

#include "shared/controls/CFunctionButton.h"
#include "shared/program/CMainWndCtrl.h"
#include "testsupport/ModalDriver.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTest>

namespace tovanel::test {
namespace {

constexpr int kWaitMs = 15000;

class ProgramStart : public LauncherTest
{
protected:
    void SetUp() override
    {
        LauncherTest::SetUp();
        for (const char* name : {"Brelkin", "Kesmond", "Dunmarel", "Pellark", "Mervolt"})
            ASSERT_TRUE(QFile::link(QStringLiteral(KORVANE_ARG_RECORDER),
                                    m_suite.programFolder() + u'/' + QLatin1String(name)));
        m_record = m_suite.folders().scratch() + QStringLiteral("/record.json");
        m_release = m_suite.folders().scratch() + QStringLiteral("/release");
        qputenv("KORVANE_RECORD_FILE", QFile::encodeName(m_record));
    }
    void TearDown() override
    {
        QFile(m_release).open(QIODevice::WriteOnly); // never leave a child waiting
        qunsetenv("KORVANE_RECORD_FILE");
        qunsetenv("KORVANE_RECORD_HOLD");
        LauncherTest::TearDown();
    }

    // Clicks the button and waits until the launcher is given back; the
    // arguments the program got, or null when none started.
    std::optional<QStringList> Click(CTovanelBaseDlg& menu, int id)
    {
        QFile::remove(m_record);
        CFunctionButton* button = menu.GetFunctionButton(id);
        EXPECT_NE(button, nullptr) << id;
        if (!button)
            return std::nullopt;
        QSignalSpy ended(&button->GetExecuteProcess(), &CExecuteProcess::programEnded);
        button->click();
        if (ended.isEmpty() && !button->GetExecuteProcess().IsRunning())
            return std::nullopt; // nothing was started
        EXPECT_TRUE(ended.wait(kWaitMs));
        if (!QFile::exists(m_record))
            return std::nullopt;
        const QJsonObject record =
            QJsonDocument::fromJson(korvane::test::readFile(m_record)).object();
        QStringList arguments;
        for (const QJsonValue& value : record.value(QStringLiteral("args")).toArray())
            arguments << value.toString();
        return arguments;
    }

    QString m_record;
    QString m_release;
};

enum class Chooser { None, KeyLayout, FunctionList, Cancel };

struct StartCase
{
    const char* menu;
    int id;
    const char* package;
    int display;
    Chooser chooser;
    std::optional<QStringList> arguments;
};

TEST_F(ProgramStart, EachRowStartsItsProgramWithItsSwitches)
{
    const StartCase cases[] = {
        {"standard", 1011, "QSR", 0, Chooser::None, QStringList{"/P_QSR"}},
        {"standard", 1011, "", 0, Chooser::None, QStringList{"/P"}},
        {"standard", 1033, "QSR", 0, Chooser::None, QStringList{"/SM_QSR"}},
        {"standard", 1013, "QSR", 0, Chooser::None, QStringList{"/G"}},
        {"standard", 1024, "", 0, Chooser::None, QStringList{}},
        {"standard", 1029, "", 0, Chooser::KeyLayout, QStringList{"/KL"}},
        {"standard", 1029, "", 0, Chooser::FunctionList, QStringList{"/FL"}},
        {"standard", 1029, "", 0, Chooser::Cancel, std::nullopt},
        {"standard", 1036, "", 0, Chooser::None, QStringList{"/A"}},
        {"standard", 1036, "", 1, Chooser::None, QStringList{"/B"}},
        {"easy", 1011, "QSR", 0, Chooser::None, QStringList{"/P", "/EASY_QSR"}},
        {"easy", 1013, "QSR", 0, Chooser::None, QStringList{"/G", "/EASY"}},
        {"easy", 1029, "", 0, Chooser::None, QStringList{"/KL"}},
        {"cleaning", 1011, "QSR", 0, Chooser::None, QStringList{"/P_CL"}},
        {"cleaning", 1016, "QSR", 0, Chooser::None, QStringList{"/PC_CL"}},
        {"cleaning", 1029, "", 0, Chooser::KeyLayout, QStringList{"/KL"}},
        {"cleaning", 1036, "", 1, Chooser::None, QStringList{"/B"}},
    };
    for (const StartCase& c : cases) {
        std::unique_ptr<CTovanelBaseDlg> menu;
        if (QLatin1String(c.menu) == QLatin1String("easy"))
            menu = MakeMenu<CTovanelEasyDlg>();
        else if (QLatin1String(c.menu) == QLatin1String("cleaning"))
            menu = MakeMenu<CTovanelCleaningDlg>();
        else
            menu = MakeMenu<CTovanelStandardDlg>();
        menu->show();
        menu->m_crxHeader.package = QLatin1String(c.package);
        menu->m_bDispArchive = c.display;
        menu->EnableMenuButtons(c.display ? 3 : 2);
        if (c.chooser != Chooser::None) {
            korvane::test::WhenModal<CSelectKeyLayoutDlg>([&c](CSelectKeyLayoutDlg& dlg) {
                if (c.chooser == Chooser::FunctionList)
                    qobject_cast<QRadioButton*>(
                        FindControlById(&dlg, CSelectKeyLayoutDlg::IDC_FUNCTIONLIST))
                        ->click();
                QTest::mouseClick(
                    qobject_cast<QAbstractButton*>(FindControlById(
                        &dlg, c.chooser == Chooser::Cancel ? platform::IDCANCEL : platform::IDOK)),
                    Qt::LeftButton);
            });
        }
        const std::string name = std::string(c.menu) + " " + std::to_string(c.id) + " " +
                                 c.package + " " + std::to_string(int(c.chooser));
        EXPECT_EQ(Click(*menu, c.id), c.arguments) << name;
        EXPECT_TRUE(m_suite.messages().isEmpty()) << name;
    }
}

TEST_F(ProgramStart, TheLauncherHidesWhileTheProgramRunsAndComesBack)
{
    qputenv("KORVANE_RECORD_HOLD", QFile::encodeName(m_release));
    const auto menu = MakeMenu<CTovanelStandardDlg>();
    menu->show();
    menu->EnableMenuButtons(2);
    CFunctionButton* button = menu->GetFunctionButton(1012);
    QSignalSpy ended(&button->GetExecuteProcess(), &CExecuteProcess::programEnded);
    button->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return QFile::exists(m_record); }, kWaitMs));
    EXPECT_FALSE(menu->isVisible());
    EXPECT_FALSE(menu->isEnabled());
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), m_instance->token());
    QFile(m_release).open(QIODevice::WriteOnly);
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_TRUE(menu->isVisible());
    EXPECT_TRUE(menu->isEnabled());
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0u);
    EXPECT_EQ(menu->result(), 0); // still running
}

TEST_F(ProgramStart, TheOutsideCustomerProgramIsReportedAndTheLauncherStaysUsable)
{
    const auto menu = MakeMenu<CTovanelCleaningDlg>();
    menu->show();
    menu->EnableMenuButtons(2);
    for (int id : {1025, 1026, 1028, 1092}) {
        m_suite.messages().clear();
        EXPECT_EQ(Click(*menu, id), std::nullopt) << id;
        EXPECT_EQ(m_suite.messages(), QStringList{QStringLiteral("CRDS_CMN_ERR_EXECUTE_PROGRAM")})
            << id;
        EXPECT_TRUE(menu->isVisible());
        EXPECT_TRUE(menu->isEnabled());
    }
}

} // namespace
} // namespace tovanel::test
