#pragma once

#include "images/CMainDlg.h"
#include "images/GraphicEditor.h"

namespace pellark {

class CEditImgCtrl;
class CImgCanvas;

// The image editor: a picture file placed on the print area of one graphic,
// zoomed, converted to black and white and rendered as the printer's 1-bit
// BMP. Callers: SetSourceFile, SetFileName, EditArea()->SetGraphicType,
// DoModal, then GetOutputFile and GetFileName. The editor keeps its own
// copy of the picture; its working and output files go with it.
class CImgEditDlg : public CMainDlg
{
    Q_OBJECT

public:
    enum : uint {
        IDD = 3002,
        IDC_EDITAREA = 33004,
        IDC_FILEOPEN = 23005,
        IDC_CHANGEMODE = 23008,
        IDC_ZOOMIN = 23006,
        IDC_ZOOMOUT = 23007,
    };
    enum EMode { ModeMono = 0, ModeGrey = 1 };

    explicit CImgEditDlg(QWidget* parent = nullptr);
    ~CImgEditDlg() override;

    // 58 mm paper: the picture is cut to the narrow width; set before
    // SetSourceFile.
    void SetNarrow(bool narrow);
    CEditImgCtrl* EditArea() const { return m_pEditArea; }

    // The picture the editor starts with; "" for none.
    void SetSourceFile(const QString& path);
    void SetFileName(const QString& name) { m_strFileName = name; }
    QString GetFileName() const { return m_strFileName; }
    // Renders the print area; the output file's path, "" on failure.
    QString GetOutputFile();
    // The output file becomes the caller's: the editor no longer deletes it.
    void ReleaseOutputFile() { m_strOutputFile.clear(); }

    // A file the user chose or dropped; false (the picture kept) when it
    // is refused or cannot be read.
    bool OpenImageFile(const QString& path);
    // The editor's copy of the picture (converted to BMP unless it is one);
    // path gets the copy's file name change. decoded: the file's picture
    // when already read, so it is not decoded twice.
    bool LoadWorkingCopy(QString& path, CImgCanvas* decoded = nullptr);

    // Whether the extension (no dot) is one of the "|"-ended list's
    // (any letter case); warns when it is not.
    static bool IsPermittedExtension(QWidget* parent, const QString& extension,
                                     const QString& list);
    // Cuts the file to its left narrow-width columns, in place; a narrower
    // picture is padded with white.
    static bool CropToNarrowWidth(const QString& path);
    // The path with its final extension replaced by ".bmp".
    static QString BmpPathOf(const QString& path);

    const QString& WorkingFile() const { return m_strWorkingFile; }
    const QString& OutputFile() const { return m_strOutputFile; }
    int ConvertMode() const { return m_nMode; }

    bool OnCommand(uint id) override;

protected:
    bool OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

private:
    void BrowseImageFile();
    void StepZoom(int step);
    void ChangeMode();
    void EnableButton(uint id, bool enable);
    void EnableZoomButtons();
    void DeleteFiles();

    QString m_strFileName;
    QString m_strWorkingFile;
    QString m_strOutputFile;
    CEditImgCtrl* m_pEditArea = nullptr;
    int m_nMode = ModeMono;
    bool m_bNarrow = false;
};

// The graphic list's editor: the editor window run modally on the request.
bool RunImgEditDlg(QWidget* parent, const GraphicEditRequest& request, GraphicEditResult& result);

} // namespace pellark
