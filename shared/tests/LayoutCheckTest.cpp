// The layout check finds each kind of fault it is for, and names the window,
// the control and its text; a sound window passes.
#include "testsupport/LayoutCheck.h"

#include "shared/controls/FindControlById.h"

#include <QCheckBox>
#include <QDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollArea>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

#include <functional>

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
    EXPECT_EQ(faults,
              QStringList(QStringLiteral(
                  "QDialog \"Tiny\": QPushButton \"Help\": overlaps QPushButton by 50 x 20 px")));
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
                         QStringLiteral("number column needs")));
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

    // A title is measured as drawn over selected rows: bold.
    model.setHorizontalHeaderLabels({QStringLiteral("Image")});
    QHeaderView* header = view->horizontalHeader();
    const int margin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int regular = header->fontMetrics().horizontalAdvance(QStringLiteral("Image"));
    view->setColumnWidth(0, regular + 2 * margin);
    QFont bold = header->font();
    bold.setBold(true);
    if (QFontMetrics(bold).horizontalAdvance(QStringLiteral("Image")) > regular)
        EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window),
                             QStringLiteral("QDialog \"Tiny\": QTableView \"Image\""),
                             QStringLiteral("column header needs")));
}

// Each kind of text, cut in a small place, is named; given room, it passes.
TEST(LayoutCheck, EveryKindOfTextIsCheckedWhole)
{
    const QString text = QStringLiteral("A text far too long for its place");
    struct Case
    {
        const char* kind;
        std::function<QWidget*(QWidget*)> make;
    };
    const Case cases[] = {
        {"group-box title", [&](QWidget* w) { return new QGroupBox(text, w); }},
        {"check box", [&](QWidget* w) { return new QCheckBox(text, w); }},
        {"radio button", [&](QWidget* w) { return new QRadioButton(text, w); }},
        {"rich-text label",
         [&](QWidget* w) {
             return new QLabel(QStringLiteral("<b>") + text + QStringLiteral("</b>"), w);
         }},
        {"elided label", [&](QWidget* w) { return new QLabel(text + QChar(0x2026), w); }},
        {"tab text",
         [&](QWidget* w) {
             auto* tabs = new QTabWidget(w);
             tabs->addTab(new QWidget, text);
             tabs->addTab(new QWidget, text);
             return tabs;
         }},
    };
    for (const Case& c : cases) {
        TinyWindow tiny;
        tiny.window.resize(1000, 300);
        QWidget* control = c.make(&tiny.window);
        tiny.window.show();
        control->setGeometry(10, 10, 60, 60);
        EXPECT_FALSE(LayoutFaults(&tiny.window).isEmpty()) << c.kind;
        control->setGeometry(10, 10, 900, 200);
        const QStringList faults = LayoutFaults(&tiny.window);
        if (QByteArray(c.kind) == "elided label")
            EXPECT_TRUE(HasFault(faults, QStringLiteral("QDialog"), QStringLiteral("elided")));
        else
            EXPECT_EQ(faults, QStringList()) << c.kind;
    }
}

// A control in a scroll area is checked against the area's content, which
// must scroll to all of it.
TEST(LayoutCheck, ControlsInAScrollAreaKeepTheRulesInItsContent)
{
    TinyWindow tiny;
    auto* area = new QScrollArea(&tiny.window);
    area->setGeometry(0, 0, 300, 200);
    auto* content = new QWidget;
    content->resize(280, 900);
    auto* label = new QLabel(QStringLiteral("A label far too long for its place"), content);
    label->setGeometry(10, 700, 40, 20);
    auto* button = new QPushButton(QStringLiteral("OK"), content);
    button->setGeometry(10, 880, 80, 40);
    area->setWidget(content);
    tiny.window.show();
    QStringList faults = LayoutFaults(&tiny.window);
    EXPECT_TRUE(
        HasFault(faults, QStringLiteral("QDialog \"Tiny\": QLabel"), QStringLiteral("needs")));
    EXPECT_TRUE(HasFault(faults, QStringLiteral("QDialog \"Tiny\": QPushButton \"OK\""),
                         QStringLiteral("outside the scrolled content")));
    label->setGeometry(10, 700, 260, 20);
    button->setGeometry(10, 840, 80, 40);
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());

    area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    faults = LayoutFaults(&tiny.window);
    EXPECT_TRUE(
        HasFault(faults, QStringLiteral("QDialog \"Tiny\": QScrollArea"), QStringLiteral("bottom")))
        << faults.join(u'\n').toStdString();
}

// Cells are as high as their text and show whole where the list has room;
// a list holding several rows shows two of them.
TEST(LayoutCheck, ColumnsAndRowsOfAListShowTheirCells)
{
    TinyWindow tiny;
    tiny.window.resize(700, 300);
    QStandardItemModel model(3, 2);
    model.setHorizontalHeaderLabels({QStringLiteral("Code"), QStringLiteral("Name")});
    for (int row = 0; row < 3; ++row) {
        model.setItem(row, 0, new QStandardItem(QStringLiteral("0001")));
        model.setItem(row, 1, new QStandardItem(QStringLiteral("Fruit & Vegetables")));
    }
    auto* view = new QTableView(&tiny.window);
    view->setModel(&model);
    view->setGeometry(10, 10, 680, 280);
    tiny.window.show();
    view->resizeColumnToContents(0);
    view->setColumnWidth(1, 60);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window),
                         QStringLiteral("QDialog \"Tiny\": QTableView \"Name\""),
                         QStringLiteral("column cut")));
    // A list without room to spare may cut a name: it scrolls.
    view->setColumnWidth(0, 640);
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());

    view->resizeColumnsToContents();
    view->verticalHeader()->setMinimumSectionSize(4);
    view->verticalHeader()->setDefaultSectionSize(8);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window), QStringLiteral("QDialog \"Tiny\": QTableView"),
                         QStringLiteral("px high, its text needs")));
    view->resizeRowsToContents();
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());
    view->setGeometry(10, 10, 680, view->horizontalHeader()->height() + view->rowHeight(0) + 6);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window), QStringLiteral("QDialog \"Tiny\": QTableView"),
                         QStringLiteral("list shows")));
}

// Once shown, a window lies on the screen.
TEST(LayoutCheck, AWindowBeyondTheScreensEdgeIsNamed)
{
    TinyWindow tiny;
    tiny.window.show();
    const QRect screen = tiny.window.screen()->availableGeometry();
    if (screen.width() < 1280 || screen.height() < 800)
        GTEST_SKIP() << "a screen smaller than the user's";
    tiny.window.move(screen.right() - 100, 100);
    EXPECT_TRUE(HasFault(LayoutFaults(&tiny.window), QStringLiteral("QDialog \"Tiny\""),
                         QStringLiteral("beyond the screen's edge")));
    tiny.window.move(screen.topLeft() + QPoint(100, 100));
    EXPECT_EQ(LayoutFaults(&tiny.window), QStringList());
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

// Shows a window with a button partly off it: at once, or only after a
// switch made once the window is up.
void ShowAButtonOffTheWindow(bool afterASwitch)
{
    korvane::test::LayoutWatch watch;
    QDialog window;
    window.resize(200, 100);
    auto* button = new QPushButton(QStringLiteral("Cancel"), &window);
    button->setGeometry(150, 10, 80, 30);
    button->setVisible(!afterASwitch);
    window.show();
    button->show();
    QCoreApplication::processEvents();
}

TEST(LayoutCheck, TheWatchFailsATestThatShowsAFaultyWindow)
{
    EXPECT_NONFATAL_FAILURE(ShowAButtonOffTheWindow(false), "QPushButton \"Cancel\"");
}

// A switch that shows another control is judged once the event loop runs.
TEST(LayoutCheck, TheWatchLooksAgainAfterASwitch)
{
    EXPECT_NONFATAL_FAILURE(ShowAButtonOffTheWindow(true), "QPushButton \"Cancel\"");
}

} // namespace
