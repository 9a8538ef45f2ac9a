#pragma once

#include <QApplication>
#include <QClipboard>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>
#include <QWidget>

#include <gtest/gtest.h>

// A shown, active window holding the widget under test and a second edit
// that takes the focus away from it.
class EditTestHost : public ::testing::Test
{
protected:
    template <class T> T& Add()
    {
        auto* widget = new T(&m_window);
        m_layout->insertWidget(0, widget);
        m_window.show();
        QApplication::setActiveWindow(&m_window);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&m_window));
        return *widget;
    }

    void Enter(QWidget& widget)
    {
        widget.setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(widget.hasFocus());
    }
    void Leave()
    {
        m_other->setFocus(Qt::TabFocusReason);
        ASSERT_TRUE(m_other->hasFocus());
    }
    static void SetClipboard(const QString& text) { QGuiApplication::clipboard()->setText(text); }

    QWidget m_window;
    QVBoxLayout* m_layout = new QVBoxLayout(&m_window);
    QLineEdit* m_other = new QLineEdit(&m_window);

private:
    void SetUp() override { m_layout->addWidget(m_other); }
};
