#include "shared/controls/CReadOnlyCombo.h"
#include "shared/tests/EditTestHost.h"

#include <QAbstractItemView>
#include <QWheelEvent>

namespace {

class CReadOnlyComboTest : public EditTestHost
{
protected:
    CReadOnlyCombo& Combo(bool readOnly)
    {
        auto& combo = Add<CReadOnlyCombo>();
        combo.addItems({"A", "B", "C"});
        combo.setCurrentIndex(0);
        combo.SetCmbReadOnly(readOnly);
        Enter(combo);
        return combo;
    }

    static void Wheel(QWidget& widget)
    {
        const QPointF at(widget.width() / 2.0, widget.height() / 2.0);
        QWheelEvent wheel(at, widget.mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(&widget, &wheel);
    }
};

TEST_F(CReadOnlyComboTest, ReadOnlyTakesNoClicksWheelOrKeys)
{
    auto& combo = Combo(true);
    QTest::mouseClick(&combo, Qt::LeftButton);
    EXPECT_FALSE(combo.view()->isVisible());
    QTest::keyClick(&combo, Qt::Key_Down);
    QTest::keyClick(&combo, Qt::Key_F4);
    QTest::keyClicks(&combo, "C");
    Wheel(combo);
    EXPECT_EQ(combo.currentIndex(), 0);
    EXPECT_FALSE(combo.view()->isVisible());

    // Return and Escape go on to the dialog, Tab moves the focus on.
    for (int key : {Qt::Key_Return, Qt::Key_Escape}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QApplication::sendEvent(&combo, &press);
        EXPECT_FALSE(press.isAccepted()) << key;
    }
    QTest::keyClick(&combo, Qt::Key_Tab);
    EXPECT_TRUE(m_other->hasFocus());
}

TEST_F(CReadOnlyComboTest, EditableWorksNormallyAndShowsReadOnlyOnButtonFace)
{
    auto& combo = Combo(false);
    QTest::keyClick(&combo, Qt::Key_Down);
    Wheel(combo);
    EXPECT_EQ(combo.currentIndex(), 2);

    const QColor base = combo.palette().color(QPalette::Base);
    combo.SetCmbReadOnly(true);
    EXPECT_EQ(combo.palette().color(QPalette::Base), combo.palette().color(QPalette::Button));
    combo.SetCmbReadOnly(false);
    EXPECT_EQ(combo.palette().color(QPalette::Base), base);
    QTest::keyClick(&combo, Qt::Key_Up);
    EXPECT_EQ(combo.currentIndex(), 1);
}

} // namespace
