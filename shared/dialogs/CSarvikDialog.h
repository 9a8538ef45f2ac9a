#pragma once

#include <QDialog>

class CDialogTemplate;

// The base of the library's dialogs: MFC-style entry points over QDialog.
// Results are IDOK and IDCANCEL as numbers; OK and Cancel (and Escape) go
// through OnOK and OnCancel.
class CSarvikDialog : public QDialog
{
    Q_OBJECT

public:
    explicit CSarvikDialog(QWidget* parent = nullptr);
    ~CSarvikDialog() override;

    // Initialises and runs the dialog; IDOK or IDCANCEL.
    int DoModal();
    // Initialises the dialog for modeless use without showing it.
    bool Create();
    void EndDialog(int result) { done(result); }

    void accept() override { OnOK(); }
    void reject() override { OnCancel(); }
    // A dialog shown without DoModal or Create is initialised first, once.
    void setVisible(bool visible) override;

protected:
    // Translates the dialog (SetLangTexts).
    virtual bool OnInitDialog();
    // Sets the texts of the dialog and its controls from the language file:
    // the library's dialogs from its module "Sarvik"; a program's dialogs
    // from the program's module only.
    virtual void SetLangTexts();
    virtual void OnOK();
    virtual void OnCancel();

    // OK (id 1, the default button) and Cancel (id 2) at their template places.
    void AddOkCancel(CDialogTemplate& tmpl, int okX, int okY, int cancelX, int cancelY, int width,
                     int height);

private:
    bool m_bInitDone = false;
};
