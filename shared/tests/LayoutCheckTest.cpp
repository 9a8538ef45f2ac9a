// The layout check finds each kind of fault it is for, and names the window,
// the control and its text; a sound window passes.
#include "testsupport/LayoutCheck.h"

#include "shared/controls/FindControlById.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <QVBoxLayout>

#include <gtest/gtest-spi.h>
#include <gtest/gtest.h>

namespace {

using korvane::test::LayoutFaults;

bool HasFault(const QStringList& faults, const QString& start, const QString& part)
{
    return std::any_of(faults.begin(), faults.end(), [&](const QString& fault) {
        return fault.startsWith(start) && fault.contains(part);
    });
}

struct TinyWindow
{
    QDialog window;
    TinyWindow()
    {
        window.setWindowTitle(QStringLiteral("Tiny"));
        window.resize(300, 200);
    }
};

TEST(LayoutCheck, ACutLabelIsNamedWithItsText)
{
    TinyWindow tiny;
    auto* label = new QLabel(QStringLiteral("A label far too long for its place"), &tiny.window);
    SetControlId(label, 1001);
    label->setGeometry(10, 10, 40, 20);
    const QStringList faults = LayoutFaults(&tiny.window);
    EXPECT_TRUE(HasFault(faults,
                         QStringLiteral("QDialog \"Tiny\": QLabel 1001 \"A label far too long for "
                                        "its place\": needs"),
                         QString()))
        << faults.join(u'\n').toStdString();
}

TEST(LayoutCheck, AWrappedLabelNeedsTheHeightForItsLines)
{
    TinyWindow tiny;
    auto* label = new QLabel(QStringLiteral("Several words that wrap on many lines"), &tiny.window);
    label->setWordWrap(true);
    label->setGeometry(10, 10, 60, 20);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window), QStringLiteral("QDialog \"Tiny\": QLabel"),
                         QStringLiteral("wraps")));
    label->setGeometry(10, 10, 60, 180);
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());
}

TEST(LayoutCheck, AButtonOffTheWindowIsNamed)
{
    TinyWindow tiny;
    auto* button = new QPushButton(QStringLiteral("OK"), &tiny.window);
    SetControlId(button, 1);
    button->setGeometry(3500, 160, 80, 30);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window),
                         QStringLiteral("QDialog \"Tiny\": QPushButton 1 \"OK\""),
                         QStringLiteral("outside the window")));
}

TEST(LayoutCheck, AWindowLargerThanTheScreenIsNamed)
{
    TinyWindow tiny;
    tiny.window.resize(4096, 600);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window), QStringLiteral("QDialog \"Tiny\""),
                         QStringLiteral("larger than the screen")));
}

TEST(LayoutCheck, OverlappingSiblingsAreNamedButAFrameMayHoldThem)
{
    TinyWindow tiny;
    auto* first = new QPushButton(QStringLiteral("Insert"), &tiny.window);
    first->setGeometry(10, 10, 100, 30);
    auto* second = new QPushButton(QStringLiteral("Help"), &tiny.window);
    second->setGeometry(60, 20, 100, 30);
    auto* frame = new QFrame(&tiny.window);
    frame->setGeometry(0, 0, 300, 200);
    const QStringList faults = LayoutFaults(&tiny.window);
    EXPECT_EQ(faults, QStringList(QStringLiteral(
                          "QDialog \"Tiny\": QPushButton \"Help\": overlaps QPushButton")));
}

TEST(LayoutCheck, ACodeColumnMustFitItsWidestCode)
{
    TinyWindow tiny;
    tiny.window.resize(600, 300);
    QStandardItemModel model(2, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Code"), QStringLiteral("Name")});
    model.setItem(0, 0, new QStandardItem(QStringLiteral("0000000000000001")));
    model.setItem(1, 0, new QStandardItem(QStringLiteral("4902102072618000")));
    model.setItem(0, 1, new QStandardItem(QStringLiteral("Apple")));
    auto* view = new QTableView(&tiny.window);
    view->setModel(&model);
    view->setGeometry(10, 10, 580, 280);
    view->setColumnWidth(0, 60);
    view->setColumnWidth(1, 200);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window),
                         QStringLiteral("QDialog \"Tiny\": QTableView \"Code\""),
                         QStringLiteral("code column needs")));
    view->resizeColumnToContents(0);
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());
}

TEST(LayoutCheck, ACutColumnHeaderIsNamed)
{
    TinyWindow tiny;
    QStandardItemModel model(1, 1);
    model.setHorizontalHeaderLabels({QStringLiteral("Mix & match items")});
    auto* view = new QTableView(&tiny.window);
    view->setModel(&model);
    view->setGeometry(10, 10, 280, 180);
    view->setColumnWidth(0, 40);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window),
                         QStringLiteral("QDialog \"Tiny\": QTableView \"Mix & match items\""),
                         QStringLiteral("column header")));
}

TEST(LayoutCheck, ASoundWindowPasses)
{
    QDialog window;
    auto* column = new QVBoxLayout(&window);
    column->addWidget(new QLabel(QStringLiteral("Code of the item")));
    auto* row = new QHBoxLayout;
    row->addWidget(new QPushButton(QStringLiteral("OK")));
    row->addWidget(new QPushButton(QStringLiteral("Cancel")));
    column->addLayout(row);
    window.show();
    EXPECT_EQ(LayoutFaults(&window), QStringList());
}

TEST(LayoutCheck, TheWatchFailsATestThatShowsAFaultyWindow)
{
    EXPECT_NONFATAL_FAILURE(
        {
            korvane::test::LayoutWatch watch;
            QDialog window;
            window.resize(200, 100);
            auto* button = new QPushButton(QStringLiteral("Cancel"), &window);
            button->setGeometry(150, 10, 80, 30);
            window.show();
        },
        "QPushButton \"Cancel\"");
}

} // namespace
