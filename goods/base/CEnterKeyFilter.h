#pragma once

#include <QObject>
#include <QPointer>

class QWidget;

// A multi-line edit that takes Enter as a line break carries this property
// set to true; the rule leaves Enter to it.
inline constexpr const char* kWantReturnProperty = "wantReturn";

// The Enter-key rule of a program's windows: on a focused button Enter
// clicks it once (a held Enter does not repeat); in an edit (and, where the
// window says so, a combo box) or on a tab control it does nothing; anywhere
// else the window's default button takes it. Watches the key before the
// focused widget acts on it, for the widgets of one window or page.
class CEnterKeyFilter : public QObject
{
    Q_OBJECT

public:
    CEnterKeyFilter(QWidget* scope, bool comboEatsEnter);

    // The rule for one Enter press: true when it is eaten.
    static bool ApplyEnterRule(QWidget* target, bool autoRepeat, bool comboEatsEnter);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QPointer<QWidget> m_scope;
    bool m_bComboEatsEnter;
};
