#include "images/CGpSmartDlg.h"

#include "images/CGpImgButton.h"
#include "images/CImgEditDlg.h"
#include "images/GraphicRows.h"
#include "images/GraphicTypes.h"
#include "images/StampText.h"

#include "goods/base/CMessageEdit.h"
#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/config/CHelpMgr.h"
#include "shared/config/DeleteFileWithRetry.h"
#include "shared/config/PitchFontName.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CStampImageMgr.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QComboBox>
#include <QFileInfo>
#include <QFontDialog>
#include <QGroupBox>
#include <QLabel>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QSettings>
#include <QSlider>

namespace pellark {

namespace {

const QString kSection = QStringLiteral("SHOPSTAMP");
const char* const kAlignKeys[] = {"CRDC_STATIC_ADJUST_LEFT", "CRDC_STATIC_ADJUST_CENTER",
                                  "CRDC_STATIC_ADJUST_RIGHT"};
constexpr int kTextLimit = 512;

// The template buttons' arrows, drawn here rather than shipped as pictures.
QIcon TemplateArrow(bool next)
{
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath arrow;
    if (next) {
        arrow.moveTo(4, 2);
        arrow.lineTo(13, 8);
        arrow.lineTo(4, 14);
    } else {
        arrow.moveTo(12, 2);
        arrow.lineTo(3, 8);
        arrow.lineTo(12, 14);
    }
    arrow.closeSubpath();
    painter.fillPath(arrow, QColor(40, 40, 40));
    painter.end();
    return QIcon(pixmap);
}

bool DefaultFontChooser(QWidget* parent, QFont& font)
{
    bool ok = false;
    const QFont chosen = QFontDialog::getFont(&ok, font, parent);
    if (ok)
        font = chosen;
    return ok;
}

template <class Control> Control* Add(QWidget* page, uint id, const QRect& place)
{
    if (id == 0)
        return nullptr;
    auto* control = new Control(page);
    SetControlId(control, id);
    control->setGeometry(place);
    return control;
}

// The picture as the printer's black and white, at its own size.
void CopyMono(const CImgCanvas& from, CImgCanvas& to)
{
    if (!to.Create(from.Width(), from.Height()))
        return;
    QPainter painter(&to.Image());
    from.Draw(painter);
}

} // namespace

CGpSmartDlg::CGpSmartDlg(CSQliteDB* db, uint templateId, QWidget* parent)
    : QWidget(parent), m_pDB(db), m_nTemplateId(templateId), m_editor(RunImgEditDlg),
      m_chooseFont(DefaultFontChooser)
{
    m_shop.acceptsDrops = true;
}

CGpSmartDlg::~CGpSmartDlg() = default;

void CGpSmartDlg::SetCodes(const QString& shop, const QString& address)
{
    m_shop.code = shop;
    m_address.code = address;
}

void CGpSmartDlg::SetFileNames(const QString& shop, const QString& address)
{
    m_shop.fileName = shop;
    m_address.fileName = address;
}

void CGpSmartDlg::InitPage()
{
    if (m_bInitDone)
        return;
    m_bInitDone = true;
    m_bInitialising = true;
    OnInitDialog();
    m_bInitialising = false;
}

bool CGpSmartDlg::OnInitDialog()
{
    SetDialogLangTexts(this);
    ColorPageButtons();
    return true;
}

void CGpSmartDlg::AddPageButtons()
{
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_PAGEHELP, "CRDM_IM_HELP"},
                                  {IDC_PAGEOK, "CRD_OK"},
                                  {IDC_PAGECANCEL, "CRD_CANCEL"}}) {
        auto* button = new CColorButton(this);
        SetControlId(button, id);
        button->setText(QLatin1String(key));
        button->setAutoDefault(false);
        button->resize(112, 32);
        const uint command = id;
        connect(button, &QPushButton::clicked, this, [this, command] {
            if (command == IDC_PAGEOK)
                ConfirmOk();
            else if (command == IDC_PAGECANCEL)
                CancelPage();
            else
                PageHelp();
        });
    }
}

void CGpSmartDlg::AddLoadExplanation(int top)
{
    auto* load = new QLabel(QStringLiteral("CRDC_STATIC_LOGOLOAD_EXPLAIN"), this);
    SetControlId(load, 1223);
    load->setGeometry(8, top, 864, 20);
    load->setStyleSheet(QStringLiteral("color: rgb(255, 0, 0)"));
}

void CGpSmartDlg::ColorPageButtons()
{
    struct Row
    {
        uint id;
        QColor color;
        uint align;
        int index;
    };
    for (const Row& row : {Row{IDC_PAGEHELP, QColor(211, 191, 255), 2, 0},
                           Row{IDC_PAGEOK, QColor(191, 201, 255), 1, 1},
                           Row{IDC_PAGECANCEL, QColor(255, 191, 191), 1, 0}}) {
        if (auto* button = qobject_cast<CColorButton*>(FindControlById(this, row.id))) {
            button->SetColor(row.color);
            button->Adjust(this, row.align, row.index, 1, 0, false);
        }
    }
}

void CGpSmartDlg::ConfirmOk()
{
    // No still ends the easy mode, unsaved; only a failed save stays.
    if (SavePage() != SaveFailed)
        emit pageEnded(platform::IDOK);
}

void CGpSmartDlg::CancelPage()
{
    emit pageEnded(platform::IDCANCEL);
}

void CGpSmartDlg::PageHelp()
{
    CHelpMgr::ShowHelpToolManual(this);
}

void CGpSmartDlg::BuildStamp(StampSlot& stamp, const StampIds& ids, int top)
{
    stamp.group = Add<QGroupBox>(this, ids.group, QRect(8, top, 864, 236));
    stamp.group->lower();
    Add<QLabel>(this, ids.previewCaption, QRect(20, top + 20, 300, 18));
    stamp.preview = Add<CGpImgButton>(this, ids.preview, QRect(20, top + 40, 288, 84));
    stamp.preview->SetKeepHeight(true);
    stamp.preview->SetBox(QSize(300, 84));
    stamp.preview->SetAcceptFiles(stamp.acceptsDrops);
    if (auto* button = Add<QPushButton>(this, ids.selectFile, QRect(20, top + 132, 110, 26))) {
        button->setText(QStringLiteral("CRDC_BTN_SELECT_FILE"));
        connect(button, &QPushButton::clicked, this,
                [this, &stamp] { EditStamp(stamp, stamp.image.Image()); });
    }
    if (auto* button = Add<QPushButton>(this, ids.clear, QRect(136, top + 132, 110, 26))) {
        button->setText(QStringLiteral("CRDC_BTN_CLEAR"));
        connect(button, &QPushButton::clicked, this, [this, &stamp] { ClearStamp(stamp); });
    }
    Add<QLabel>(this, ids.templateCaption, QRect(20, top + 164, 300, 18));
    stamp.prev = Add<QPushButton>(this, ids.prev, QRect(20, top + 184, 28, 44));
    stamp.templatePreview =
        Add<CGpImgButton>(this, ids.templatePreview, QRect(52, top + 184, 180, 44));
    stamp.next = Add<QPushButton>(this, ids.next, QRect(236, top + 184, 28, 44));
    if (stamp.templatePreview) {
        stamp.templatePreview->SetKeepHeight(false);
        stamp.templatePreview->SetBox(QSize(180, 44));
    }
    Add<QLabel>(this, ids.textCaption, QRect(340, top + 20, 300, 18));
    stamp.edit = Add<CMessageEdit>(this, ids.edit, QRect(340, top + 40, 300, 84));
    if (auto* button = Add<QPushButton>(this, ids.font, QRect(340, top + 132, 110, 26))) {
        button->setText(QStringLiteral("CRDC_BTN_SELECT_FONT"));
        connect(button, &QPushButton::clicked, this, [this, &stamp] { ChooseStampFont(stamp); });
    }
    if (auto* button = Add<QPushButton>(this, ids.apply, QRect(456, top + 132, 110, 26))) {
        button->setText(QStringLiteral("CRDC_BTN_LOGO_SETTEXT"));
        connect(button, &QPushButton::clicked, this, [this, &stamp] {
            if (m_bBroken)
                return;
            SetChanged();
            Redraw(stamp);
        });
    }
    stamp.align = Add<QComboBox>(this, ids.align, QRect(572, top + 132, 110, 26));
    stamp.sliderX = Add<QSlider>(this, ids.sliderX, QRect(656, top + 40, 200, 24));
    stamp.sliderY = Add<QSlider>(this, ids.sliderY, QRect(656, top + 72, 200, 24));
    for (QSlider* slider : {stamp.sliderX, stamp.sliderY}) {
        slider->setOrientation(Qt::Horizontal);
        slider->setTickPosition(QSlider::TicksBelow);
    }
    stamp.explain = Add<QLabel>(this, ids.explain, QRect(340, top + 166, 520, 60));
    if (stamp.explain)
        stamp.explain->setWordWrap(true);
    if (stamp.prev)
        stamp.prev->setIcon(TemplateArrow(false));
    if (stamp.next)
        stamp.next->setIcon(TemplateArrow(true));
    ConnectStamp(stamp);
}

void CGpSmartDlg::ConnectStamp(StampSlot& stamp)
{
    connect(stamp.preview, &QAbstractButton::clicked, this,
            [this, &stamp] { EditStamp(stamp, stamp.image.Image()); });
    connect(stamp.preview, &CGpImgButton::fileDropped, this,
            [this, &stamp] { DropOnStamp(stamp); });
    connect(stamp.edit, &QPlainTextEdit::textChanged, this, [this, &stamp] {
        if (m_bInitialising || m_bBroken)
            return;
        SetChanged();
        Redraw(stamp);
    });
    connect(stamp.align, &QComboBox::currentIndexChanged, this, [this, &stamp] {
        if (m_bInitialising || m_bBroken)
            return;
        SetChanged();
        Redraw(stamp);
    });
    // Moving the text alone is no change worth a question.
    for (QSlider* slider : {stamp.sliderX, stamp.sliderY})
        connect(slider, &QSlider::valueChanged, this, [this, &stamp] {
            if (!m_bInitialising && !m_bBroken)
                Redraw(stamp);
        });
    if (stamp.prev)
        connect(stamp.prev, &QPushButton::clicked, this,
                [this, &stamp] { StepTemplate(stamp, -1); });
    if (stamp.next)
        connect(stamp.next, &QPushButton::clicked, this,
                [this, &stamp] { StepTemplate(stamp, 1); });
    if (stamp.templatePreview)
        connect(stamp.templatePreview, &QAbstractButton::clicked, this,
                [this, &stamp] { ApplyTemplate(stamp); });
}

std::unique_ptr<QSettings> CGpSmartDlg::OpenProfile()
{
    auto profile = std::make_unique<QSettings>();
    profile->beginGroup(kSection);
    return profile;
}

void CGpSmartDlg::ReadProfile(StampSlot& stamp, QSettings& profile)
{
    const QString& s = stamp.prefix;
    stamp.height = profile.value(s + QStringLiteral("STAMPFONTSIZE"), 0).toInt();
    stamp.weight = profile.value(s + QStringLiteral("STAMPFONTBOLD"), 0).toInt();
    stamp.italic = profile.value(s + QStringLiteral("STAMPFONTITALIC"), 0).toInt() != 0;
    stamp.edit->SetStoredText(
        UnescapeText(profile.value(s + QStringLiteral("STAMPTEXT"), QString()).toString()));
    stamp.face = GetFixPitchFontName();
    const QString face = profile.value(s + QStringLiteral("STAMPFONTNAME"), QString()).toString();
    if (!face.isEmpty())
        stamp.face = face;
}

void CGpSmartDlg::ApplyProfilePlacement(StampSlot& stamp, QSettings& profile)
{
    const QString& s = stamp.prefix;
    const int align = profile.value(s + QStringLiteral("STAMPTEXT_ARGX"), 1).toInt();
    stamp.align->setCurrentIndex(align >= 0 && align < stamp.align->count() ? align : 1);
    stamp.sliderX->setValue(profile.value(s + QStringLiteral("STAMPTEXT_ADJX")).toInt());
    stamp.sliderY->setValue(profile.value(s + QStringLiteral("STAMPTEXT_ADJY")).toInt());
}

void CGpSmartDlg::WriteProfile(const StampSlot& stamp, QSettings& profile) const
{
    const QString& s = stamp.prefix;
    profile.setValue(s + QStringLiteral("STAMPTEXT"), EscapeText(stamp.edit->StoredText()));
    if (!stamp.face.isEmpty())
        profile.setValue(s + QStringLiteral("STAMPFONTNAME"), stamp.face);
    profile.setValue(s + QStringLiteral("STAMPFONTSIZE"), stamp.height);
    profile.setValue(s + QStringLiteral("STAMPFONTBOLD"), stamp.weight);
    profile.setValue(s + QStringLiteral("STAMPFONTITALIC"), stamp.italic ? 1 : 0);
    profile.setValue(s + QStringLiteral("STAMPTEXT_ARGX"),
                     QString::number(stamp.align->currentIndex()));
    profile.setValue(s + QStringLiteral("STAMPTEXT_ADJX"), QString::number(stamp.sliderX->value()));
    profile.setValue(s + QStringLiteral("STAMPTEXT_ADJY"), QString::number(stamp.sliderY->value()));
}

bool CGpSmartDlg::InitStamps()
{
    auto profile = OpenProfile();
    ReadProfile(m_shop, *profile);
    ReadProfile(m_address, *profile);
    if (!InitStamp(m_shop) || !InitStamp(m_address)) {
        DisablePage();
        return false;
    }
    for (StampSlot* stamp : {&m_shop, &m_address}) {
        SetXRange(*stamp);
        const int half = stamp->image.Height() / 2;
        stamp->sliderY->setRange(-half, half);
        stamp->sliderY->setValue(0);
        ApplyProfilePlacement(*stamp, *profile);
        stamp->fileName = QLatin1String(kToolOutput);
    }
    return true;
}

bool CGpSmartDlg::InitStamp(StampSlot& stamp)
{
    if (stamp.templatePreview && !m_templates.isEmpty())
        stamp.templatePreview->SetImage(&m_templates.first());
    if (!LoadStampImage(stamp.code, stamp.fileName, stamp.image, stamp.loaded))
        return false;
    stamp.preview->SetImage(&stamp.image.Image());
    EnableTemplateButtons(stamp);
    QFont editFont = font();
    editFont.setFamily(GetFixPitchFontName());
    stamp.edit->setFont(editFont);
    stamp.edit->LimitText(kTextLimit);
    stamp.align->clear();
    for (const char* key : kAlignKeys)
        stamp.align->addItem(GetLangString(QLatin1String(key)));
    stamp.align->setCurrentIndex(StampAlignCenter);
    stamp.font = StampFont(stamp.face, stamp.height, stamp.weight, stamp.italic);
    return true;
}

void CGpSmartDlg::SetXRange(StampSlot& stamp)
{
    const int width = m_bNarrow ? kNarrowPrintWidth : stamp.image.Width();
    stamp.sliderX->setRange(-width / 2, width / 2);
    stamp.sliderX->setValue(0);
    // Ticks at both ends and the one that matters, 0.
    stamp.sliderX->setTickInterval(qMax(1, width / 2));
    stamp.sliderY->setTickInterval(qMax(1, stamp.image.Height() / 2));
}

void CGpSmartDlg::EnableTemplateButtons(StampSlot& stamp)
{
    if (stamp.prev)
        stamp.prev->setEnabled(stamp.browse != 0);
    if (stamp.next)
        stamp.next->setEnabled(stamp.browse != m_templates.size() - 1);
}

void CGpSmartDlg::DisablePage()
{
    m_bBroken = true;
    for (QWidget* child : findChildren<QWidget*>()) {
        const uint id = ControlId(child);
        if (id != IDC_PAGEHELP && id != IDC_PAGECANCEL && id != 0)
            child->setEnabled(false);
    }
}

bool CGpSmartDlg::LoadStampImage(const QString& code, const QString& fileName, CImgCanvas& stamp,
                                 CImgCanvas& loaded)
{
    QString temp;
    // The stored name gives only the extension of the copy.
    if (!m_pDB ||
        !CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("QRM"),
                                       CStampImageMgr::TempExtensionOf(fileName), temp) ||
        ReadGraphicBlob(*m_pDB, code, QFileInfo(temp).fileName()) != 0) {
        if (!temp.isEmpty())
            DeleteFileWithRetry(temp);
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return false;
    }
    stamp.Release();
    const bool read = QFileInfo::exists(temp) && loaded.Load(temp);
    DeleteFileWithRetry(temp);
    if (read) {
        CopyMono(loaded, stamp);
        return true;
    }
    loaded.Release();
    if (!fileName.trimmed().isEmpty()) {
        ShowProgramMessage(this, QStringLiteral("CRDS_ERR_READIMGFILE"),
                           platform::MessageIcon::Error);
        return false;
    }
    const QSize size = GetGraphicSize(code);
    if (!stamp.Create(size.width(), size.height()) || !loaded.Create(size.width(), size.height())) {
        ShowProgramMessage(this, QStringLiteral("CRDS_IM_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
        return false;
    }
    return true;
}

void CGpSmartDlg::ClearRightOfNarrow(CImgCanvas& image)
{
    if (image.Width() > kNarrowPrintWidth)
        QPainter(&image.Image())
            .fillRect(kNarrowPrintWidth, 0, image.Width() - kNarrowPrintWidth, image.Height(),
                      Qt::white);
}

bool CGpSmartDlg::CreateTempBmpPath(QString& path)
{
    if (CBasePath::CreateTempFileName(CBasePath::GetLocalTemporaryPath(), QStringLiteral("QRT"),
                                      QStringLiteral(".bmp"), path))
        return true;
    path.clear();
    ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_CREATEIMGFILE"),
                       platform::MessageIcon::Error, platform::MessageButtons::Ok, 0);
    return false;
}

void CGpSmartDlg::Redraw(StampSlot& stamp)
{
    const int width = m_bNarrow ? kNarrowPrintWidth : stamp.image.Width();
    const QRect page(0, 0, width, stamp.image.Height());
    QRect area = page;
    const QString text = stamp.edit->StoredText();
    const int alignment = stamp.align->currentIndex();
    if (stamp.applied < 0 || stamp.applied >= m_templates.size()) {
        CopyMono(stamp.loaded, stamp.image);
    } else {
        const QImage& applied = m_templates.at(stamp.applied);
        CImgCanvas picture;
        picture.Image() = applied.convertToFormat(QImage::Format_RGB888);
        const QSize size(stamp.image.Width(), stamp.image.Height());
        const QRect placed((width - applied.width()) / 2, 0, applied.width(), applied.height());
        if (stamp.image.Create(size.width(), size.height())) {
            QPainter painter(&stamp.image.Image());
            picture.Draw(painter, placed);
        }
        // The text keeps off the template's dots.
        area = StampTextArea(stamp.image.Image(), placed, page,
                             StampTextSize(stamp.font, alignment, text, kStampLineLength));
        if (stamp.templatePreview)
            stamp.templatePreview->SetImage(&applied);
    }
    stamp.textCut =
        !DrawStampText(stamp.image.Image(), stamp.font, alignment, text, kStampLineLength,
                       stamp.sliderX->value(), stamp.sliderY->value(), area, page);
    // What 58 mm paper cannot print stays white, text included.
    if (m_bNarrow)
        ClearRightOfNarrow(stamp.image);
    ShowStamp(stamp);
}

void CGpSmartDlg::ShowStamp(StampSlot& stamp)
{
    stamp.preview->SetImage(&stamp.image.Image());
}

void CGpSmartDlg::ClearStamp(StampSlot& stamp)
{
    if (m_bBroken)
        return;
    stamp.image.Image().fill(Qt::white);
    stamp.loaded.Image().fill(Qt::white);
    stamp.applied = -1;
    stamp.textCut = false;
    SetChanged();
    ShowStamp(stamp);
}

void CGpSmartDlg::ChooseStampFont(StampSlot& stamp)
{
    if (m_bBroken)
        return;
    QFont chosen = stamp.font;
    if (!m_chooseFont || !m_chooseFont(this, chosen))
        return;
    stamp.face = chosen.family();
    stamp.height = StampFontHeight(chosen);
    stamp.weight = chosen.weight();
    stamp.italic = chosen.italic();
    stamp.font = StampFont(stamp.face, stamp.height, stamp.weight, stamp.italic);
    SetChanged();
    Redraw(stamp);
}

void CGpSmartDlg::StepTemplate(StampSlot& stamp, int step)
{
    if (m_bBroken)
        return;
    const int index = qMax(0, stamp.browse);
    if (step < 0 ? index > 0 : index < m_templates.size() - 1) {
        stamp.browse = index + step;
        if (stamp.templatePreview)
            stamp.templatePreview->SetImage(&m_templates.at(stamp.browse));
        stamp.applied = stamp.browse;
        Redraw(stamp);
    }
    EnableTemplateButtons(stamp);
    SetChanged();
}

void CGpSmartDlg::ApplyTemplate(StampSlot& stamp)
{
    if (m_bBroken || stamp.browse < 0 || stamp.browse >= m_templates.size())
        return;
    stamp.applied = stamp.browse;
    SetChanged();
    Redraw(stamp);
}

void CGpSmartDlg::DropOnStamp(StampSlot& stamp)
{
    if (m_bBroken)
        return;
    const QString path = stamp.preview->DroppedFile();
    if (!CImgEditDlg::IsPermittedExtension(
            this, QFileInfo(path).suffix(),
            GetLangString(QStringLiteral("CRDS_IM_SEL_PNGFILE_PERMIT"))))
        return;
    CImgCanvas picture;
    if (!picture.Load(path)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_ERR_READIMGFILE"),
                           platform::MessageIcon::Error);
        return;
    }
    EditStamp(stamp, picture.Image());
}

void CGpSmartDlg::EditStamp(StampSlot& stamp, const QImage& picture)
{
    if (m_bBroken || !m_editor)
        return;
    QString temp;
    if (!CreateTempBmpPath(temp)) {
        ShowProgramMessage(this, QStringLiteral("CRDS_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error);
        return;
    }
    if (!picture.save(temp, "BMP")) {
        DeleteFileWithRetry(temp);
        ShowProgramMessage(this, QStringLiteral("CRDS_ERR_CREATEIMGFILE"),
                           platform::MessageIcon::Error);
        return;
    }
    GraphicEditRequest request;
    request.sourceFile = temp;
    request.code = stamp.code.toInt();
    request.narrow = m_bNarrow;
    request.guideLines = false;
    GraphicEditResult result;
    if (m_editor(this, request, result)) {
        DeleteFileWithRetry(temp);
        SetChanged();
        CImgCanvas edited;
        if (!edited.Load(result.outputFile)) {
            ShowProgramMessage(this, QStringLiteral("CRDS_ERR_READIMGFILE"),
                               platform::MessageIcon::Error);
        } else {
            stamp.loaded = std::move(edited);
            stamp.applied = -1;
            stamp.textCut = false;
            CopyMono(stamp.loaded, stamp.image);
            if (m_bNarrow)
                ClearRightOfNarrow(stamp.image);
            ShowStamp(stamp);
        }
    }
    DeleteFileWithRetry(temp);
    if (!result.outputFile.isEmpty())
        DeleteFileWithRetry(result.outputFile);
}

bool CGpSmartDlg::ConfirmCutTexts()
{
    for (const StampSlot* stamp : {&m_shop, &m_address})
        if (stamp->textCut &&
            ShowProgramMessage(this, QStringLiteral("CRDS_IM_PROMPT_STAMPTEXT_CUT"),
                               platform::MessageIcon::Warning, platform::MessageButtons::YesNo,
                               stamp->group->title()) != platform::IDYES)
            return false;
    return true;
}

CGpSmartDlg::ESaveResult CGpSmartDlg::SavePage()
{
    if (m_bBroken)
        return SaveDeclined;
    if (ShowProgramMessage(this, QStringLiteral("CRDS_PROMPT_PAGE_SAVE"),
                           platform::MessageIcon::Question,
                           platform::MessageButtons::YesNo) != platform::IDYES)
        return SaveDeclined;
    if (!ConfirmCutTexts())
        return SaveFailed;
    CWaitCursor wait;
    QString files[2];
    const auto removeFiles = [&files] {
        for (QString& file : files)
            if (!file.isEmpty())
                DeleteFileWithRetry(file);
    };
    StampSlot* stamps[2] = {&m_shop, &m_address};
    for (int i = 0; i < 2; ++i) {
        if (!CreateTempBmpPath(files[i])) {
            removeFiles();
            ShowProgramMessage(this, QStringLiteral("CRDS_ERR_CREATEIMGFILE"),
                               platform::MessageIcon::Error);
            return SaveFailed;
        }
        if (!stamps[i]->image.WriteMonoBmp(files[i])) {
            removeFiles();
            ShowProgramMessage(this, QStringLiteral("CRDS_ERR_CREATEIMGFILE"),
                               platform::MessageIcon::Error);
            return SaveFailed;
        }
    }
    const QString name = QLatin1String(kToolOutput);
    const int status =
        WriteGraphicRows(*m_pDB, {{m_shop.code, name, QFileInfo(files[0]).fileName()},
                                  {m_address.code, name, QFileInfo(files[1]).fileName()}});
    if (status != 0) {
        removeFiles();
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, status);
        return SaveFailed;
    }
    for (int i = 0; i < 2; ++i)
        stamps[i]->loaded.Load(files[i]);
    removeFiles();
    auto profile = OpenProfile();
    SaveProfileExtras(*profile);
    WriteProfile(m_shop, *profile);
    WriteProfile(m_address, *profile);
    profile->sync();
    m_shop.applied = -1;
    m_bChanged = false;
    return SaveDone;
}

} // namespace pellark
