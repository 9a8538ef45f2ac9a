#include "shared/controls/CHyperLink.h"

#include "platform/FileChooser.h"

#include <QApplication>
#include <QDialog>
#include <QKeyEvent>
#include <QPushButton>
#include <QSignalSpy>

#include "testsupport/QtPrinters.h"

#include <gtest/gtest.h>

namespace {

void sendReturn(QWidget* target, QEvent::Type type, bool autoRepeat)
{
    QKeyEvent event(type, Qt::Key_Return, Qt::NoModifier, QString(), autoRepeat);
    QApplication::sendEvent(target, &event);
}

TEST(CHyperLink, EnterHeldDownClicksOnceAndNeverTheDefaultButton)
{
    QDialog dialog;
    auto* ok = new QPushButton(QStringLiteral("ok"), &dialog);
    ok->setDefault(true);
    auto* link = new CHyperLink(&dialog);
    link->setText(QStringLiteral("link"));
    dialog.show();
    link->setFocus();
    QSignalSpy linkClicks(link, &QPushButton::clicked);
    QSignalSpy okClicks(ok, &QPushButton::clicked);

    sendReturn(link, QEvent::KeyPress, false);
    for (int i = 0; i < 5; ++i)
        sendReturn(link, QEvent::KeyPress, true);
    sendReturn(link, QEvent::KeyRelease, false);
    EXPECT_EQ(linkClicks.count(), 1);

    sendReturn(link, QEvent::KeyPress, false);
    sendReturn(link, QEvent::KeyRelease, false);
    EXPECT_EQ(linkClicks.count(), 2);
    EXPECT_EQ(okClicks.count(), 0);
    EXPECT_TRUE(dialog.isVisible());
}

TEST(CHyperLink, TakesAndOpensOnlyWebLinks)
{
    QStringList opened;
    platform::setWebLinkOpener([&opened](const QString& url) {
        opened << url;
        return true;
    });
    CHyperLink link;
    const struct
    {
        const char* url;
        bool taken;
    } cases[] = {
        {"https://example.com/help", true}, {"HTTP://example.com", true},
        {"file:///etc/passwd", false},      {"javascript:alert(1)", false},
        {"ftp://example.com/", false},      {"https://", false},
        {"/usr/bin/xterm", false},          {"", false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(link.SetLinkUrl(QString::fromLatin1(c.url)), c.taken) << c.url;
        opened.clear();
        link.click();
        EXPECT_EQ(opened, c.taken ? QStringList{QString::fromLatin1(c.url)} : QStringList{})
            << c.url;
    }
    // The platform refuses them too, whoever asks.
    EXPECT_FALSE(platform::openWebLink(QStringLiteral("file:///etc/passwd")));
    platform::setWebLinkOpener({});
}

TEST(CHyperLink, SetupUnderlinesAndFitsTheText)
{
    CHyperLink link;
    link.setText(QStringLiteral("Korvane"));
    link.move(7, 9);
    link.SetupLink();
    EXPECT_TRUE(link.font().underline());
    EXPECT_EQ(link.pos(), QPoint(7, 9));
    const QRect text =
        QFontMetrics(link.font()).boundingRect(QRect(), Qt::TextSingleLine, link.text());
    EXPECT_EQ(link.size(), text.size() + QSize(2, 2));
}

} // namespace
