#pragma once

#include "images/GraphicEditor.h"
#include "images/StampSlot.h"

#include <QImage>
#include <QList>
#include <QWidget>

#include <functional>

class CColorButton;
class CSQliteDB;
class QSettings;

namespace pellark {

// The base of the easy-mode stamp pages: Help, OK and Cancel, and the two
// stamps a page composes from a stored picture, an optional template and
// lines of text, and stores in "CSB008" and the profile's "SHOPSTAMP".
class CGpSmartDlg : public QWidget
{
    Q_OBJECT

public:
    enum : uint { IDC_PAGEHELP = 1099, IDC_PAGEOK = 1100, IDC_PAGECANCEL = 1101 };
    enum ESaveResult { SaveDone, SaveDeclined, SaveFailed };
    // Chooses a font starting from the given one; false when cancelled.
    using FontChooser = std::function<bool(QWidget* parent, QFont& font)>;

    // The FILENAME every saved stamp carries.
    static constexpr const char* kToolOutput = "ToolOutput.bmp";

    CGpSmartDlg(CSQliteDB* db, uint templateId, QWidget* parent = nullptr);
    ~CGpSmartDlg() override;

    uint TemplateId() const { return m_nTemplateId; }
    void SetCodes(const QString& shop, const QString& address);
    void SetFileNames(const QString& shop, const QString& address);
    StampSlot& Shop() { return m_shop; }
    StampSlot& Address() { return m_address; }

    // Builds the page's state; once, after the codes and names are set.
    void InitPage();

    bool IsChanged() const { return m_bChanged; }
    void ClearChanged() { m_bChanged = false; }
    // A stored stamp could not be read: the page shows nothing to save.
    bool IsBroken() const { return m_bBroken; }
    bool IsNarrow() const { return m_bNarrow; }
    const QList<QImage>& Templates() const { return m_templates; }

    // Asks, then stores both stamps and the profile values; a failure keeps
    // the rows, the profile and the changed flag as they were, and so does
    // a No to storing a text cut by its stamp's edge (SaveFailed).
    ESaveResult SavePage();

    void SetEditor(GraphicEditor editor) { m_editor = std::move(editor); }
    void SetFontChooser(FontChooser chooser) { m_chooseFont = std::move(chooser); }

    // The stamp's picture recomposed from its source and text.
    void Redraw(StampSlot& stamp);
    // The image editor on a picture; on OK its result becomes the stamp.
    void EditStamp(StampSlot& stamp, const QImage& picture);

    // Whitens every column from the narrow print width on.
    static void ClearRightOfNarrow(CImgCanvas& image);
    // The stored picture of a code (a white one of the print size when
    // none is stored); false after its message.
    bool LoadStampImage(const QString& code, const QString& fileName, CImgCanvas& stamp,
                        CImgCanvas& loaded);
    // A new temporary ".bmp" name in the local data folder; false after
    // its message.
    bool CreateTempBmpPath(QString& path);

signals:
    // OK or Cancel ends the easy host with this result.
    void pageEnded(int result);

protected:
    virtual bool OnInitDialog();
    virtual void ColorPageButtons();
    virtual void ConfirmOk();
    virtual void CancelPage();
    virtual void PageHelp();

    // The page's controls for one stamp, top-down from top.
    void BuildStamp(StampSlot& stamp, const StampIds& ids, int top);
    void AddPageButtons();
    // The red note 1223 on what becomes of the stamps, at top.
    void AddLoadExplanation(int top);
    // Profile values, texts and pictures of both stamps; false when a
    // stored stamp could not be read (the page is then disabled).
    bool InitStamps();
    void SetXRange(StampSlot& stamp);
    void EnableTemplateButtons(StampSlot& stamp);
    void SetChanged() { m_bChanged = true; }
    bool Initialising() const { return m_bInitialising; }
    void SetNarrowFlag(bool narrow) { m_bNarrow = narrow; }
    void SetTemplates(QList<QImage> templates) { m_templates = std::move(templates); }
    // Profile values of the page beyond its stamps', written with them.
    virtual void SaveProfileExtras(QSettings& profile) { Q_UNUSED(profile); }
    // The profile section of the stamps.
    static std::unique_ptr<QSettings> OpenProfile();

    StampSlot m_shop;
    StampSlot m_address;

private:
    void ConnectStamp(StampSlot& stamp);
    void ReadProfile(StampSlot& stamp, QSettings& profile);
    void WriteProfile(const StampSlot& stamp, QSettings& profile) const;
    void ApplyProfilePlacement(StampSlot& stamp, QSettings& profile);
    bool InitStamp(StampSlot& stamp);
    void ShowStamp(StampSlot& stamp);
    void ClearStamp(StampSlot& stamp);
    void ChooseStampFont(StampSlot& stamp);
    void StepTemplate(StampSlot& stamp, int step);
    void ApplyTemplate(StampSlot& stamp);
    void DropOnStamp(StampSlot& stamp);
    void DisablePage();
    // Each stamp whose text its edge cuts asks before it is stored.
    bool ConfirmCutTexts();

    CSQliteDB* m_pDB;
    uint m_nTemplateId;
    bool m_bChanged = false;
    bool m_bBroken = false;
    bool m_bNarrow = false;
    bool m_bInitialising = false;
    bool m_bInitDone = false;
    QList<QImage> m_templates;
    GraphicEditor m_editor;
    FontChooser m_chooseFont;
};

} // namespace pellark
