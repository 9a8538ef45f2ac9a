#include "platform/MessageBox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>

using namespace platform;

namespace {

// Acts on the next message box once it is shown.
void onNextMessageBox(std::function<void(QMessageBox*)> act)
{
    auto* timer = new QTimer;
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            timer->stop();
            timer->deleteLater();
            act(box);
        }
    });
    timer->start(10);
}

} // namespace

TEST(MessageBox, TheResponderAnswersInPlaceOfTheUser)
{
    QStringList keys;
    setMessageResponder([&](const MessageRequest& request) {
        keys << request.key;
        return IDNO;
    });
    MessageRequest request;
    request.key = "CRDS_CMN_ERR_SAVE_FAILED";
    request.buttons = MessageButtons::YesNo;
    EXPECT_EQ(showMessage(request), IDNO);
    EXPECT_EQ(keys, QStringList{"CRDS_CMN_ERR_SAVE_FAILED"});
    setMessageResponder({});
}

TEST(MessageBox, TheRealBoxAnswersWithTheSuitesNumbers)
{
    struct Case
    {
        MessageButtons buttons;
        int defaultButton;
        QMessageBox::StandardButton expectedDefault;
        QMessageBox::StandardButton click; // NoButton: Escape
        int expected;
    };
    const Case cases[] = {
        {MessageButtons::Ok, 0, QMessageBox::Ok, QMessageBox::Ok, IDOK},
        {MessageButtons::Ok, 0, QMessageBox::Ok, QMessageBox::NoButton, IDOK},
        {MessageButtons::OkCancel, IDCANCEL, QMessageBox::Cancel, QMessageBox::Ok, IDOK},
        {MessageButtons::YesNo, IDNO, QMessageBox::No, QMessageBox::Yes, IDYES},
        {MessageButtons::YesNoCancel, 0, QMessageBox::Yes, QMessageBox::NoButton, IDCANCEL},
        {MessageButtons::YesNoCancel, IDYES, QMessageBox::Yes, QMessageBox::No, IDNO},
        {MessageButtons::RetryCancel, IDOK, QMessageBox::Retry, QMessageBox::Retry, IDRETRY},
    };
    for (const Case& c : cases) {
        QString shownText;
        QMessageBox::Icon shownIcon = QMessageBox::NoIcon;
        QPushButton* shownDefault = nullptr;
        QAbstractButton* expectedDefault = nullptr;
        onNextMessageBox([&](QMessageBox* box) {
            shownText = box->text();
            shownIcon = box->icon();
            shownDefault = box->defaultButton();
            expectedDefault = box->button(c.expectedDefault);
            if (c.click == QMessageBox::NoButton)
                box->reject();
            else
                box->button(c.click)->click();
        });
        MessageRequest request;
        request.text = "Save?";
        request.icon = MessageIcon::Error;
        request.buttons = c.buttons;
        request.defaultButton = c.defaultButton;
        EXPECT_EQ(showMessage(request), c.expected) << int(c.buttons) << " " << c.click;
        EXPECT_EQ(shownText, "Save?");
        EXPECT_EQ(shownIcon, QMessageBox::Critical);
        EXPECT_NE(shownDefault, nullptr);
        EXPECT_EQ(shownDefault, expectedDefault);
    }
}
