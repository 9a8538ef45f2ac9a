#include "shared/program/CMainWndCtrl.h"
#include "shared/program/ForegroundWindow.h"

#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/Registry.h"

#include <QComboBox>
#include <QDialog>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QCheckBox>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

const QString kRoot = QStringLiteral("SOFTWARE\\Korvane\\ABC\\SYSTEM");

TEST(CMainWndCtrl, WritesAndReadsTheLauncherTokenUnderTheProductKey)
{
    SuiteFixture suite;
    suite.writeIni("[PRODUCT]\nPRODUCTKEY=ABC\n");
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0u); // never written
    EXPECT_FALSE(CMainWndCtrl::BringMainWndToFront());

    ASSERT_TRUE(CMainWndCtrl::SetMainWndHandle(0xCAFEF00D));
    EXPECT_EQ(platform::Registry::readNumber(platform::RegistryHive::CurrentUser, kRoot, "MAINWH"),
              0xCAFEF00Du);
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0xCAFEF00Du);
    // Nobody listens under that token: the request fails and the value stays.
    EXPECT_FALSE(CMainWndCtrl::BringMainWndToFront());
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0xCAFEF00Du);
    ASSERT_TRUE(CMainWndCtrl::SetMainWndHandle(0));
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0u);
}

TEST(CMainWndCtrl, WithoutTheLauncherIniNothingIsWrittenAndNothingThrows)
{
    SuiteFixture suite; // no Tovanel.ini
    EXPECT_FALSE(CMainWndCtrl::SetMainWndHandle(7));
    EXPECT_EQ(CMainWndCtrl::GetMainWndHandle(), 0u);
    EXPECT_FALSE(CMainWndCtrl::BringMainWndToFront());
    EXPECT_TRUE(suite.messages().contains("CRDS_CMN_ERR_NOTFOUNDINI"));
}

TEST(CMainWndCtrl, TellsWindowKindsApart)
{
    QWidget form;
    QLineEdit edit(&form);
    QPlainTextEdit multiLine(&form);
    QComboBox combo(&form);
    combo.addItem("a");
    QRadioButton radio(&form);
    QCheckBox check(&form);
    QPushButton push(&form);
    QPushButton defaultPush(&form);
    defaultPush.setDefault(true);
    QPushButton ownerDrawn(&form);
    CMainWndCtrl::SetOwnerDraw(&ownerDrawn);
    QWidget* comboList = combo.view();

    struct Row
    {
        QWidget* window;
        bool edit, editOrCombo, radio, ownerDraw, push;
    };
    const Row rows[] = {
        {&edit, true, true, false, false, false},
        {&multiLine, true, true, false, false, false},
        {&combo, false, true, false, false, false},
        {comboList, false, true, false, false, false},
        {&radio, false, false, true, false, false},
        {&check, false, false, false, false, false},
        {&push, false, false, false, false, true},
        {&defaultPush, false, false, false, false, false},
        {&ownerDrawn, false, false, false, true, false},
        {&form, false, false, false, false, false},
        {nullptr, false, false, false, false, false},
    };
    for (const Row& row : rows) {
        const QString name = row.window ? row.window->metaObject()->className() : "null";
        EXPECT_EQ(CMainWndCtrl::IsEditWindow(row.window), row.edit) << name.toStdString();
        EXPECT_EQ(CMainWndCtrl::IsEditORComboBox(row.window), row.editOrCombo)
            << name.toStdString();
        EXPECT_EQ(CMainWndCtrl::IsRadioButton(row.window), row.radio) << name.toStdString();
        EXPECT_EQ(CMainWndCtrl::IsOwnerDrawButton(row.window), row.ownerDraw) << name.toStdString();
        EXPECT_EQ(CMainWndCtrl::IsPushButton(row.window), row.push) << name.toStdString();
    }
}

TEST(ForegroundWindow, TheModalDialogOverTheOwnerIsTheStartupWindow)
{
    QWidget main;
    main.show();
    QWidget other;
    other.show();
    EXPECT_EQ(GetStartupActiveWindow(&main), &main);
    EXPECT_EQ(GetStartupActiveWindow(nullptr), nullptr);

    QDialog modal(&main);
    modal.setModal(true);
    modal.show();
    EXPECT_EQ(GetStartupActiveWindow(&main), &modal);
    EXPECT_EQ(GetStartupActiveWindow(&other), &other); // not over that one

    // A dialog over the dialog: the topmost one is where the user goes.
    QDialog second(&modal);
    second.setModal(true);
    second.show();
    EXPECT_EQ(GetStartupActiveWindow(&main), &second);
    second.hide();
    modal.hide();
    EXPECT_EQ(GetStartupActiveWindow(&main), &main);
}

TEST(ForegroundWindow, ForcingShowsAHiddenOrMinimisedWindowAgain)
{
    QWidget window;
    window.show();
    window.showMinimized();
    SetForegroundWindowEx(&window, false); // minimised and visible: restored
    EXPECT_FALSE(window.isMinimized());
    EXPECT_TRUE(window.isVisible());

    window.hide();
    SetForegroundWindowEx(&window, false); // hidden, not forced: stays hidden
    EXPECT_FALSE(window.isVisible());
    SetForegroundWindowEx(&window, true);
    EXPECT_TRUE(window.isVisible());
    SetForegroundWindowEx(nullptr, true); // nothing happens
}

} // namespace
