#include "images/CImgEditDlg.h"

#include "images/CEditImgCtrl.h"
#include "images/GraphicTypes.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/ReadImageFile.h"
#include "shared/dialogs/FileDialogFilter.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include "platform/FileChooser.h"

#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPainter>
#include <QStandardPaths>
#include <QTimer>

namespace pellark {

namespace {

// The zoom buttons repeat while held: first after this, then every kRepeat.
constexpr int kRepeatDelayMs = 500;
constexpr int kRepeatMs = 80;

void RemoveFile(QString& path)
{
    if (!path.isEmpty())
        QFile::remove(path);
    path.clear();
}

} // namespace

CImgEditDlg::CImgEditDlg(QWidget* parent) : CMainDlg(parent, IDD)
{
    setWindowTitle(QStringLiteral("CRDD_IM_IMGEDIT"));
    m_pEditArea = new CEditImgCtrl(this);
    SetControlId(m_pEditArea, IDC_EDITAREA);
    m_pEditArea->setGeometry(12, 12, 736, 340);
    auto* caption = new QLabel(QStringLiteral("CRDC_STATIC_MOVEIMAGE"), this);
    caption->setGeometry(12, 358, 736, 20);
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_HELP, "CRDM_IM_HELP"},
                                  {IDC_FILEOPEN, "CRDC_IM_FILEOPEN"},
                                  {IDC_CHANGEMODE, "CRDC_IM_CHANGEMODE"},
                                  {IDC_ZOOMIN, "CRDC_IM_ZOOMIN"},
                                  {IDC_ZOOMOUT, "CRDC_IM_ZOOMOUT"},
                                  {1, "CRD_OK"},
                                  {2, "CRD_CANCEL"}}) {
        CColorButton* button = AddButton(id, QLatin1String(key));
        button->setAutoDefault(false);
        if (id == IDC_ZOOMIN || id == IDC_ZOOMOUT) {
            button->setAutoRepeat(true);
            button->setAutoRepeatDelay(kRepeatDelayMs);
            button->setAutoRepeatInterval(kRepeatMs);
        }
    }
    if (QWidget* help = FindControlById(this, IDC_HELP))
        help->hide();
    resize(760, 430);
    connect(m_pEditArea, &CEditImgCtrl::fileDropped, this, [this] {
        const QString path = m_pEditArea->TakeDropFile();
        if (!path.isEmpty())
            OpenImageFile(path);
    });
}

CImgEditDlg::~CImgEditDlg()
{
    m_pEditArea->ClearImage();
    DeleteFiles();
}

void CImgEditDlg::SetNarrow(bool narrow)
{
    m_bNarrow = narrow;
    m_pEditArea->SetNarrow(narrow);
}

void CImgEditDlg::SetSourceFile(const QString& path)
{
    if (path.isEmpty())
        return;
    if (m_bNarrow)
        CropToNarrowWidth(path);
    QString copy = path;
    LoadWorkingCopy(copy);
}

bool CImgEditDlg::OnInitDialog()
{
    CMainDlg::OnInitDialog();
    m_pEditArea->SetNarrow(m_bNarrow);
    if (!m_strWorkingFile.isEmpty())
        return true;
    EnableButton(1, false);
    EnableButton(IDC_ZOOMIN, false);
    EnableButton(IDC_ZOOMOUT, false);
    if (QWidget* open = FindControlById(this, IDC_FILEOPEN)) {
        open->setFocus();
        // The file chooser opens as soon as the window runs.
        QTimer::singleShot(0, this, [this] { BrowseImageFile(); });
    }
    return true;
}

bool CImgEditDlg::OnCommand(uint id)
{
    QWidget* control = FindControlById(this, id);
    const bool enabled = control && control->isEnabled();
    switch (id) {
    case IDC_FILEOPEN:
        BrowseImageFile();
        return true;
    case IDC_ZOOMIN:
        if (enabled)
            StepZoom(1);
        return true;
    case IDC_ZOOMOUT:
        if (enabled)
            StepZoom(-1);
        return true;
    case IDC_CHANGEMODE:
        ChangeMode();
        return true;
    default:
        return CMainDlg::OnCommand(id);
    }
}

void CImgEditDlg::BrowseImageFile()
{
    m_pEditArea->setFocus();
    platform::FileChoice choice;
    choice.kind = platform::FileChoice::Kind::Open;
    choice.parent = this;
    choice.startPath = QStandardPaths::writableLocation(QStandardPaths::PicturesLocation);
    choice.filter = FileDialogFilter(GetLangString(QStringLiteral("CRDS_IM_BITMAPFILTER")));
    choice.defaultSuffix = GetLangString(QStringLiteral("CRDS_IM_BITMAPSUFFIX"));
    const QString path = platform::chooseFile(choice);
    if (!path.isEmpty())
        OpenImageFile(path);
}

bool CImgEditDlg::IsPermittedExtension(QWidget* parent, const QString& extension,
                                       const QString& list)
{
    qsizetype start = 0;
    while (start < list.size() && list.at(start) != QLatin1Char('|')) {
        const qsizetype bar = list.indexOf(QLatin1Char('|'), start);
        // A one-letter token ends the list unread.
        if (bar < 0 || bar - start == 1)
            break;
        if (QStringView(list).mid(start, bar - start).compare(extension, Qt::CaseInsensitive) == 0)
            return true;
        start = bar + 1;
    }
    ShowProgramMessage(parent, QStringLiteral("CRDS_IM_WRN_IGNORE_EXT"),
                       platform::MessageIcon::Warning);
    return false;
}

bool CImgEditDlg::OpenImageFile(const QString& path)
{
    if (!IsPermittedExtension(this, QFileInfo(path).suffix(),
                              GetLangString(QStringLiteral("CRDS_IM_SEL_PNGFILE_PERMIT"))))
        return false;
    CImgCanvas picture;
    if (!picture.Load(path)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_ERR_READIMGFILE"),
                           platform::MessageIcon::Error);
        return false;
    }
    QString working = path;
    if (!LoadWorkingCopy(working, &picture))
        return false;
    m_pEditArea->SetZoom(100);
    EnableZoomButtons();
    m_strFileName = QFileInfo(working).fileName();
    EnableButton(1, true);
    return true;
}

QString CImgEditDlg::BmpPathOf(const QString& path)
{
    const QFileInfo info(path);
    const QString suffix = info.suffix();
    if (suffix.isEmpty() && !info.fileName().endsWith(QLatin1Char('.')))
        return path + QStringLiteral(".bmp");
    return path.left(path.size() - suffix.size()) + QStringLiteral("bmp");
}

bool CImgEditDlg::LoadWorkingCopy(QString& path, CImgCanvas* decoded)
{
    const QString suffix = QFileInfo(path).suffix();
    const QString extension = suffix.isEmpty() ? QString() : QLatin1Char('.') + suffix;
    QString copy;
    if (!CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("QRE"),
                                       extension, copy) ||
        !QFile::remove(copy) || !QFile::copy(path, copy)) {
        if (!copy.isEmpty())
            QFile::remove(copy);
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return false;
    }
    QString working = copy;
    if (suffix.compare(QLatin1String("bmp"), Qt::CaseInsensitive) != 0) {
        // Any other format becomes a 24-bit BMP, laid on white.
        CImgCanvas picture;
        if (!decoded && !picture.Load(copy)) {
            QFile::remove(copy);
            ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_READIMGFILE"),
                               platform::MessageIcon::Error);
            return false;
        }
        working = BmpPathOf(copy);
        const bool saved = (decoded ? *decoded : picture).Image().save(working, "BMP");
        QFile::remove(copy);
        if (!saved) {
            QFile::remove(working);
            ShowProgramMessage(this, QStringLiteral("CRDS_ERR_CREATEIMGFILE"),
                               platform::MessageIcon::Error);
            return false;
        }
        path = BmpPathOf(path);
    }
    if (decoded) {
        m_pEditArea->SetImage(std::move(*decoded));
    } else if (!m_pEditArea->LoadImage(working)) {
        QFile::remove(working);
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_READIMGFILE"),
                           platform::MessageIcon::Error);
        return false;
    }
    // Only now is the previous picture given up.
    RemoveFile(m_strWorkingFile);
    m_strWorkingFile = working;
    EnableZoomButtons();
    return true;
}

bool CImgEditDlg::CropToNarrowWidth(const QString& path)
{
    QImage source;
    if (!ReadImageFile(path, source))
        return false;
    QImage narrow;
    if (source.depth() == 1) {
        narrow = source.convertToFormat(QImage::Format_Mono)
                     .copy(0, 0, kNarrowPrintWidth, source.height());
        // Outside the source: the lighter of the two colours.
        const QList<QRgb> colors = narrow.colorTable();
        const int white = colors.size() > 1 && qGray(colors[1]) > qGray(colors[0]) ? 1 : 0;
        for (int y = 0; y < narrow.height(); ++y)
            for (int x = source.width(); x < narrow.width(); ++x)
                narrow.setPixel(x, y, uint(white));
    } else {
        const bool alpha = source.hasAlphaChannel();
        narrow = QImage(kNarrowPrintWidth, source.height(),
                        alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
        narrow.fill(Qt::white);
        QPainter painter(&narrow);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(0, 0, source);
    }
    return !narrow.isNull() && narrow.save(path);
}

void CImgEditDlg::StepZoom(int step)
{
    const int zoom = m_pEditArea->Zoom();
    if (step > 0 && zoom < CEditImgCtrl::kMaxZoom)
        m_pEditArea->SetZoom(zoom + 1);
    else if (step < 0 && zoom > CEditImgCtrl::kMinZoom)
        m_pEditArea->SetZoom(zoom - 1);
    EnableZoomButtons();
}

void CImgEditDlg::EnableZoomButtons()
{
    const int zoom = m_pEditArea->Zoom();
    // A disabled button stops repeating.
    EnableButton(IDC_ZOOMIN, zoom < CEditImgCtrl::kMaxZoom);
    EnableButton(IDC_ZOOMOUT, zoom > CEditImgCtrl::kMinZoom);
}

void CImgEditDlg::ChangeMode()
{
    m_nMode = m_nMode == ModeMono ? ModeGrey : ModeMono;
    m_pEditArea->SetConvertMode(m_nMode);
    if (QWidget* button = FindControlById(this, IDC_CHANGEMODE))
        static_cast<QPushButton*>(button)->setText(
            GetLangString(m_nMode == ModeGrey ? QStringLiteral("CRDS_IM_CHANGEMODE_GLAY")
                                              : QStringLiteral("CRDS_IM_CHANGEMODE_MONO")));
}

QString CImgEditDlg::GetOutputFile()
{
    if (m_strWorkingFile.isEmpty())
        return QString();
    RemoveFile(m_strOutputFile);
    const QString suffix = QFileInfo(m_strWorkingFile).suffix();
    QString output;
    if (!CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("QRE"),
                                       QLatin1Char('.') + suffix, output) ||
        !m_pEditArea->RenderToFile(output)) {
        if (!output.isEmpty())
            QFile::remove(output);
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return QString();
    }
    m_strOutputFile = output;
    return output;
}

void CImgEditDlg::OnOK()
{
    QWidget* ok = FindControlById(this, 1);
    if (!ok || !ok->isEnabled())
        return;
    if (ShowProgramMessage(this, QStringLiteral("CRDS_COMFIRM_SAVE"),
                           platform::MessageIcon::Question,
                           platform::MessageButtons::OkCancel) == platform::IDOK)
        EndDialog(platform::IDOK);
}

void CImgEditDlg::OnCancel()
{
    m_pEditArea->ClearImage();
    DeleteFiles();
    EndDialog(platform::IDCANCEL);
}

void CImgEditDlg::DeleteFiles()
{
    RemoveFile(m_strWorkingFile);
    RemoveFile(m_strOutputFile);
}

void CImgEditDlg::EnableButton(uint id, bool enable)
{
    if (QWidget* control = FindControlById(this, id))
        control->setEnabled(enable);
}

bool RunImgEditDlg(QWidget* parent, const GraphicEditRequest& request, GraphicEditResult& result)
{
    CImgEditDlg editor(parent);
    editor.SetNarrow(request.narrow);
    editor.EditArea()->SetGuideLine(request.guideLines);
    editor.SetSourceFile(request.sourceFile);
    editor.SetFileName(request.fileName);
    editor.EditArea()->SetGraphicType(request.code);
    if (editor.DoModal() != platform::IDOK)
        return false;
    result.outputFile = editor.GetOutputFile();
    result.fileName = editor.GetFileName();
    // The list stores the file and removes it.
    editor.ReleaseOutputFile();
    return !result.outputFile.isEmpty();
}

} // namespace pellark
