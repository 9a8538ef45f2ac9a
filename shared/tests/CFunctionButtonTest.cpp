#include "shared/controls/CFunctionButton.h"

#include "shared/program/CMainWndCtrl.h"
#include "shared/lang/CSarvikApp.h"
#include "shared/controls/FindControlById.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QUuid>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {

constexpr uint kButtonId = 1001;
constexpr int kWaitMs = 15000;

// A launcher window with one plain button of id 1001, a program folder whose
// path holds a blank, the test program linked into it as "Brelkin", and the
// launcher's single-instance socket in a runtime folder of the test's own.
class ProgramStart : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtime.isValid());
        m_savedRuntime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(m_runtime.path()));
        m_folder = m_suite.folders().scratch() + "/My Suite";
        ASSERT_TRUE(QDir().mkpath(m_folder));
        CBasePath::SetModuleFolder(m_folder);
        ASSERT_TRUE(
            korvane::test::writeFile(m_folder + "/Tovanel.ini", "[PRODUCT]\nPRODUCTKEY=ABC\n"));
        ASSERT_TRUE(QFile::link(KORVANE_ARG_RECORDER, m_folder + "/Brelkin"));
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages.push_back(request);
            return int(platform::IDOK);
        });

        m_recordFile = m_suite.folders().scratch() + "/record.json";
        m_releaseFile = m_suite.folders().scratch() + "/release";
        qputenv("KORVANE_RECORD_FILE", QFile::encodeName(m_recordFile));

        auto* layout = new QVBoxLayout(&m_launcher);
        m_control = new QPushButton("BTNDUMMY", &m_launcher);
        SetControlId(m_control, kButtonId);
        layout->addWidget(m_control);
        m_launcher.show();

        m_instance =
            std::make_unique<platform::SingleInstance>("Tovanel " + QUuid::createUuid().toString());
        ASSERT_TRUE(m_instance->acquire());
        ASSERT_NE(m_instance->token(), 0u);
        CMainWndCtrl::AttachMainWnd(&m_launcher, *m_instance);
    }

    void TearDown() override
    {
        QFile(m_releaseFile).open(QIODevice::WriteOnly); // never leave a child waiting
        m_button.reset();
        m_instance.reset();
        qunsetenv("KORVANE_RECORD_FILE");
        qunsetenv("KORVANE_RECORD_HOLD");
        qunsetenv("KORVANE_RECORD_BRING");
        qputenv("XDG_RUNTIME_DIR", m_savedRuntime);
        CSarvikApp::Instance().ReleaseLangDatas();
    }

    CFunctionButton& createButton(const QString& program, const QString& options)
    {
        m_button = std::make_unique<CFunctionButton>();
        const _functionbutton_base record{int(kButtonId), program, options,
                                          CFunctionButtonFace::BTNTYPE_DARK,
                                          "CRDS_CMN_ERR_EXECUTE_PROGRAM"};
        EXPECT_TRUE(m_button->CreateEx(record, &m_launcher));
        return *m_button;
    }

    // Runs a start to its end and returns the arguments the program received.
    QStringList runToEnd(const std::function<bool(CFunctionButton&)>& start)
    {
        QFile::remove(m_recordFile);
        QSignalSpy ended(&m_button->GetExecuteProcess(), &CExecuteProcess::programEnded);
        EXPECT_TRUE(start(*m_button));
        EXPECT_TRUE(ended.wait(kWaitMs));
        return recordedArguments();
    }

    QJsonObject record() const
    {
        return QJsonDocument::fromJson(korvane::test::readFile(m_recordFile)).object();
    }
    QStringList recordedArguments() const
    {
        QStringList args;
        for (const QJsonValue& v : record().value("args").toArray())
            args << v.toString();
        return args;
    }
    void holdChild() { qputenv("KORVANE_RECORD_HOLD", QFile::encodeName(m_releaseFile)); }
    void releaseChild() { ASSERT_TRUE(QFile(m_releaseFile).open(QIODevice::WriteOnly)); }
    bool launcherIdle() const
    {
        return m_launcher.isEnabled() && m_launcher.isVisible() &&
               CMainWndCtrl::GetMainWndHandle() == 0;
    }

    QTemporaryDir m_runtime;
    QByteArray m_savedRuntime;
    SuiteFixture m_suite;
    QString m_folder, m_recordFile, m_releaseFile;
    std::vector<platform::MessageRequest> m_messages;
    QWidget m_launcher;
    QPushButton* m_control = nullptr;
    std::unique_ptr<platform::SingleInstance> m_instance;
    std::unique_ptr<CFunctionButton> m_button;
};

TEST_F(ProgramStart, TheButtonTakesThePlaceOfItsControl)
{
    CFunctionButton& button = createButton("Brelkin", "/P");
    EXPECT_EQ(FindControlById(&m_launcher, kButtonId), &button);
    EXPECT_EQ(button.parentWidget(), &m_launcher);
    EXPECT_EQ(m_launcher.layout()->indexOf(&button), 0);
    EXPECT_EQ(button.size(), button.GetImages()[0].size());
    EXPECT_TRUE(CMainWndCtrl::IsOwnerDrawButton(&button));
    EXPECT_EQ(button.text(), "%s could not be started.");
    QPointer<QPushButton> control = m_control;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(control.isNull());

    // Return presses the focused button once; the mouse over it gives the focus.
    QSignalSpy clicked(&button, &QAbstractButton::clicked);
    m_launcher.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&m_launcher));
    m_launcher.setFocus();
    ASSERT_FALSE(button.hasFocus());
    QEnterEvent enter(QPointF(5, 5), QPointF(5, 5), QPointF(5, 5));
    QCoreApplication::sendEvent(&button, &enter);
    EXPECT_TRUE(button.hasFocus());
    EXPECT_EQ(button.GetCondition(), CFunctionButtonFace::BTNCOND_FOCUS);
    QTest::keyClick(&button, Qt::Key_Return);
    EXPECT_EQ(clicked.count(), 1);
}

TEST_F(ProgramStart, MissingPicturesOrControlLeaveTheFormAsItWas)
{
    CFunctionButton button;
    // Type 0 takes its picture name from the control's text, which names none.
    EXPECT_FALSE(button.CreateEx(
        {int(kButtonId), "Brelkin", "/P", CFunctionButtonFace::BTNTYPE_TEMPLATE, "K"},
        &m_launcher));
    EXPECT_FALSE(button.CreateEx({4711, "Brelkin", "/P", CFunctionButtonFace::BTNTYPE_DARK, "K"},
                                 &m_launcher));
    EXPECT_EQ(FindControlById(&m_launcher, kButtonId), m_control);
    EXPECT_EQ(button.parentWidget(), nullptr);

    // A label key without text is drawn as the key itself.
    CFunctionButton keyed;
    ASSERT_TRUE(keyed.CreateEx(
        {int(kButtonId), "", "", CFunctionButtonFace::BTNTYPE_GREEN, "CRDS_NO_SUCH_KEY"},
        &m_launcher));
    EXPECT_EQ(keyed.text(), "CRDS_NO_SUCH_KEY");
}

TEST_F(ProgramStart, TheProgramGetsItsSwitchesWhileTheLauncherWaitsHidden)
{
    CFunctionButton& button = createButton("Brelkin", "/P  EASY");
    holdChild();
    QSignalSpy ended(&button.GetExecuteProcess(), &CExecuteProcess::programEnded);
    ASSERT_TRUE(button.ExecuteChildProcess("Title"));

    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(m_recordFile); }, kWaitMs));
    EXPECT_FALSE(m_launcher.isEnabled());
    EXPECT_FALSE(m_launcher.isVisible());
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), m_instance->token());
    // While it runs, no second program starts from the same button.
    EXPECT_FALSE(button.ExecuteChildProcess("Title"));

    releaseChild();
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_TRUE(ended.first().first().toBool());
    EXPECT_TRUE(launcherIdle());
    // Split at blanks, through a program path that holds one.
    EXPECT_EQ(recordedArguments(), QStringList({"/P", "EASY"}));
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProgramStart, ARegisterPackageStartAddsTheSuffixForThatStartOnly)
{
    createButton("Brelkin", "/P");
    EXPECT_EQ(
        runToEnd([](CFunctionButton& b) { return b.ExecuteChildProcessRegPackage("T", "RES"); }),
        QStringList({"/P_RES"}));
    EXPECT_EQ(runToEnd([](CFunctionButton& b) { return b.ExecuteChildProcess("T"); }),
              QStringList({"/P"}));
    EXPECT_EQ(m_button->m_strOption, "/P");
    EXPECT_TRUE(launcherIdle());
}

TEST_F(ProgramStart, AMissingProgramIsNamedAndTheLauncherStaysUsable)
{
    createButton("Nothing Here", "/P");
    EXPECT_TRUE(
        runToEnd([](CFunctionButton& b) { return b.ExecuteChildProcess("Title"); }).isEmpty());
    ASSERT_EQ(m_messages.size(), 1u);
    EXPECT_EQ(m_messages[0].key, "CRDS_CMN_ERR_EXECUTE_PROGRAM");
    EXPECT_EQ(m_messages[0].text, "Nothing Here could not be started.");
    EXPECT_EQ(m_messages[0].caption, "Title");
    EXPECT_EQ(m_messages[0].icon, platform::MessageIcon::Error);
    EXPECT_EQ(m_messages[0].parent, &m_launcher);
    EXPECT_TRUE(launcherIdle());
    EXPECT_FALSE(m_button->GetExecuteProcess().IsRunning());
}

TEST_F(ProgramStart, AButtonWithoutProgramStartsAndDisablesNothing)
{
    CFunctionButton& button = createButton("", "/P");
    ASSERT_TRUE(CMainWndCtrl::SetMainWndHandle(0));
    EXPECT_TRUE(button.ExecuteChildProcess("Title"));
    EXPECT_FALSE(button.GetExecuteProcess().IsRunning());
    EXPECT_TRUE(launcherIdle());
    EXPECT_TRUE(m_messages.empty());
}

TEST_F(ProgramStart, TheProgramBringsTheWaitingLauncherBack)
{
    CFunctionButton& button = createButton("Brelkin", "/P");
    holdChild();
    qputenv("KORVANE_RECORD_BRING", QFile::encodeName(m_folder));
    QSignalSpy fronts(m_instance.get(), &platform::SingleInstance::frontRequested);
    QSignalSpy ended(&button.GetExecuteProcess(), &CExecuteProcess::programEnded);
    ASSERT_TRUE(button.ExecuteChildProcess("Title"));

    // The other process reads "MAINWH" and asks over the socket; the window
    // comes back while the program still runs, and stays disabled until it ends.
    ASSERT_TRUE(QTest::qWaitFor([this] { return QFile::exists(m_recordFile); }, kWaitMs));
    EXPECT_TRUE(record().value("brought").toBool());
    ASSERT_TRUE(QTest::qWaitFor([&] { return fronts.count() == 1; }, kWaitMs));
    EXPECT_TRUE(m_launcher.isVisible());
    EXPECT_FALSE(m_launcher.isEnabled());
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), m_instance->token());

    releaseChild();
    ASSERT_TRUE(ended.wait(kWaitMs));
    EXPECT_TRUE(launcherIdle());
}

} // namespace
