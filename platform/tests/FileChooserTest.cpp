#include "platform/FileChooser.h"
#include "testsupport/TestFolders.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

using namespace korvane::test;
using namespace platform;

TEST(FileChooser, ScriptedVersionsStandInForTheUser)
{
    std::vector<FileChoice::Kind> asked;
    setFileChooser([&](const FileChoice& choice) {
        asked.push_back(choice.kind);
        return choice.kind == FileChoice::Kind::Save ? QString("/tmp/a.crx") : QString();
    });
    FileChoice choice;
    choice.kind = FileChoice::Kind::Save;
    EXPECT_EQ(chooseFile(choice), "/tmp/a.crx");
    choice.kind = FileChoice::Kind::Open;
    EXPECT_EQ(chooseFile(choice), "");
    EXPECT_EQ(asked, (std::vector{FileChoice::Kind::Save, FileChoice::Kind::Open}));
    setFileChooser({});

    QStringList opened;
    setDefaultProgramOpener([&](const QString& path) {
        opened << path;
        return true;
    });
    EXPECT_TRUE(openWithDefaultProgram("/x/NolvarSettingTool.pdf"));
    EXPECT_EQ(opened, QStringList{"/x/NolvarSettingTool.pdf"});
    setDefaultProgramOpener({});
}

TEST(FileChooser, TheRealOpenerRefusesAMissingFile)
{
    TestFolders folders;
    EXPECT_FALSE(openWithDefaultProgram(folders.scratch() + "/NolvarSettingTool.pdf"));
    EXPECT_FALSE(openWithDefaultProgram(folders.scratch()));
}

TEST(FileChooser, TheRealDialogReturnsTheChosenPathOrNothing)
{
    TestFolders folders;
    const QString file = folders.scratch() + "/SETTING.crx";
    ASSERT_TRUE(writeFile(file, "x"));
    const auto answer = [](bool accept, const QString& path) {
        auto* timer = new QTimer;
        QObject::connect(timer, &QTimer::timeout, [=] {
            if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
                timer->stop();
                timer->deleteLater();
                if (!accept) {
                    dialog->reject();
                    return;
                }
                dialog->selectFile(path);
                QMetaObject::invokeMethod(dialog, "accept");
            }
        });
        timer->start(10);
    };
    FileChoice choice;
    choice.startPath = folders.scratch();
    choice.filter = "Setting archive (*.crx)";
    answer(true, file);
    EXPECT_EQ(chooseFile(choice), file);
    answer(false, {});
    EXPECT_EQ(chooseFile(choice), "");
}

TEST(FileChooser, TheSaveDialogAddsTheSuffixBeforeItAsksAboutOverwriting)
{
    TestFolders folders;
    ASSERT_TRUE(writeFile(folders.scratch() + "/x.crx", "old"));
    QStringList questions;
    QTimer timer;
    QObject::connect(&timer, &QTimer::timeout, [&questions] {
        QWidget* modal = QApplication::activeModalWidget();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            questions << box->text();
            box->button(QMessageBox::Yes)->click();
        } else if (auto* dialog = qobject_cast<QFileDialog*>(modal)) {
            if (!dialog->property("typed").toBool()) {
                dialog->setProperty("typed", true);
                dialog->selectFile("x"); // as typed into the name field
                // Queued: the question runs a loop of its own, and this
                // timer does not fire inside its own slot.
                QMetaObject::invokeMethod(dialog, "accept", Qt::QueuedConnection);
            }
        }
    });
    timer.start(10);
    FileChoice choice;
    choice.kind = FileChoice::Kind::Save;
    choice.startPath = folders.scratch();
    choice.filter = "Setting archive (*.crx)";
    choice.defaultSuffix = "crx";
    EXPECT_EQ(chooseFile(choice), folders.scratch() + "/x.crx");
    ASSERT_EQ(questions.size(), 1);
    EXPECT_TRUE(questions[0].contains("x.crx")) << questions[0].toStdString();
}
