#pragma once

#include "shared/program/CExecuteProcess.h"
#include "shared/controls/CFunctionButtonFace.h"

#include <QAbstractButton>
#include <QPointer>
#include <QString>

using EnumBtnTypetag = CFunctionButtonFace::EnumBtnTypetag;

// One launcher menu button as the launcher lists them.
struct _functionbutton_base
{
    int nCtrlId = 0;    // the button control in the launcher's form
    QString strProgram; // program file beside the launcher; "" starts nothing
    QString strOption;  // its switches, e.g. "/P EASY"
    EnumBtnTypetag nType = CFunctionButtonFace::BTNTYPE_DARK;
    QString strLabelKey; // language key of the label drawn on the button
};

// A launcher menu button: four state pictures with the label drawn on them,
// Return presses it, the mouse over it gives it the focus, and a click (the
// launcher connects it) starts its program through CExecuteProcess.
class CFunctionButton : public QAbstractButton
{
    Q_OBJECT
public:
    using EnumBtnCondTag = CFunctionButtonFace::EnumBtnCondTag;

    explicit CFunctionButton(QWidget* parent = nullptr);
    ~CFunctionButton() override;

    // Takes the place of the parent's control of the record's id (its
    // position, layout slot, tab order and id), loads the pictures of the
    // record's type, sizes itself to them and draws the label. False, with
    // the control left as it was, when the pictures or the control are
    // missing.
    bool CreateEx(const _functionbutton_base& record, QWidget* parent);
    bool Create(const _functionbutton_base& record, QWidget* parent)
    {
        return CreateEx(record, parent);
    }

    // Starts the button's program with its option string; returns at once.
    // True when started, or when the button has no program (nothing done);
    // false when it could not be started (a program of it still runs).
    bool ExecuteChildProcess(const QString& title);
    // The same with the option string "<options>_<suffix>" for this start only.
    bool ExecuteChildProcessRegPackage(const QString& title, const QString& suffix);

    // The owner may change the option string between starts.
    QString m_strOption;

    const QString& GetProgram() const { return m_strProgram; }
    CExecuteProcess& GetExecuteProcess() { return m_executeProcess; }
    const CFunctionButtonFace::Images& GetImages() const { return m_images; }
    EnumBtnCondTag GetCondition() const;

    QSize sizeHint() const override;

    // The folder of the running program (the launcher's).
    static QString GetModulePath();

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;

private:
    bool Execute(const QString& title, const QString& options);
    void ReturnAsSpace(QKeyEvent* event);

    QPointer<QWidget> m_pParentWnd;
    QString m_strProgram;
    CFunctionButtonFace::Images m_images;
    CExecuteProcess m_executeProcess;
};
