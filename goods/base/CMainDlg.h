#pragma once

#include "goods/base/CButtonTable.h"

#include "shared/dialogs/CSarvikDialog.h"

#include <QSize>

#include <functional>

class CColorButton;

// The base of a settings program's top-level windows (list windows, record
// editor): texts from the program's language module, coloured buttons placed
// along the bottom edge from the program's button table, a minimum size equal
// to the size at start-up, the Enter-key rules and the help command.
class CMainDlg : public CSarvikDialog
{
    Q_OBJECT

public:
    // Commands every top-level window understands.
    enum : uint { IDC_CLOSE = 33001, IDC_HELP = 33002, IDC_NOTHING = 33003 };

    CMainDlg(QWidget* parent, uint templateId, int windowKind);
    ~CMainDlg() override;

    // The program's button table, handed over once at start-up.
    static void SetButtonTable(const CButtonTable& table);
    static const CButtonTable& ButtonTable();

    // Colours and places the buttons of the table that the window has.
    virtual void ColorDialogButtons();
    // A command by control id; true when handled here.
    virtual bool OnCommand(uint id);
    // Moves the focus to the control (the list 23001 only when it has rows),
    // else to Cancel; false when neither could take it.
    bool FocusControl(uint id);

    // A coloured button of the bottom row (placed by ColorDialogButtons):
    // OK and Cancel end the dialog through OnOK and OnCancel, others are
    // commands.
    CColorButton* AddButton(uint id, const QString& key);

    int WindowKind() const { return m_nWindowKind; }
    // Editor layout: buttons take the second placement of their table row.
    void SetEditorLayout(bool editor) { m_bEditorLayout = editor; }
    bool EditorLayout() const { return m_bEditorLayout; }
    uint TemplateId() const { return m_nTemplateId; }

protected:
    // The editors' OK: asks before saving, then ends the dialog with OK, or
    // shows that the save failed and stays open.
    void ConfirmSaveAndEnd(const std::function<bool()>& save);
    // A window shown that has grown past the screen's edge moves back onto it.
    void KeepOnScreen();

    bool OnInitDialog() override;
    void SetLangTexts() override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    static constexpr int kWidestWindow = 4096;
    static constexpr int kButtonGap = 12; // between two table buttons side by side
    // Whether two of the table's shown buttons would overlap, or stand
    // closer than the gap, in a window that wide.
    bool TableButtonsOverlap(int width);

    uint m_nTemplateId;
    int m_nWindowKind;
    bool m_bEditorLayout = false;
};
