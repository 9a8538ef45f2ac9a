#include "functions/CFcKeyLayoutDlg.h"

#include "functions/CKeyLayoutDialogs.h"
#include "functions/FcDialogIds.h"
#include "functions/keylayout/CButtonStyleMgr.h"
#include "functions/keylayout/CFcKeyLayCSB023.h"
#include "functions/keylayout/CFcKeySheetButton.h"
#include "functions/keylayout/CKeyLayoutEditor.h"
#include "functions/keylayout/CKeyLayoutLoader.h"
#include "functions/keylayout/CKeyLayoutReads.h"
#include "functions/keylayout/CKeySheetController.h"
#include "functions/keylayout/CMsgKindButton.h"
#include "functions/keylayout/CNinePatchButton.h"
#include "functions/keylayout/CSaveKeyLayout.h"
#include "functions/keylayout/PrepareImageFolder.h"

#include "goods/base/ProgramMessage.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/CColorButton.h"
#include "shared/controls/CWaitCursor.h"
#include "shared/controls/FindControlById.h"
#include "shared/data/CColumnDataList.h"
#include "shared/data/CDataManager.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QSettings>

#include <algorithm>

namespace kesmond {

namespace {

std::function<void(int)>& FolderWait()
{
    static std::function<void(int)> wait;
    return wait;
}

struct Command
{
    uint id;
    const char* key;
};
const Command kCommands[] = {
    {CFcKeyLayoutDlg::IDC_PAGE_SET, "CRDC_FC_PAGE_SET"},
    {CFcKeyLayoutDlg::IDC_PAGE_DEL, "CRDC_FC_PAGE_DEL"},
    {CFcKeyLayoutDlg::IDC_BUTTON_SET, "CRDC_FC_BUTTON_SET"},
    {CFcKeyLayoutDlg::IDC_BUTTON_DEL, "CRDC_FC_BUTTON_DEL"},
    {CFcKeyLayoutDlg::IDC_BUTTON_RELEASE, "CRDC_FC_BUTTON_RELEASE"},
    {CFcKeyLayoutDlg::IDC_UNDO, "CRDC_FC_UNDO"},
    {CFcKeyLayoutDlg::IDC_PAGE_COPY, "CRDC_FC_PAGE_COPY"},
    {CFcKeyLayoutDlg::IDC_PAGE_PASTE, "CRDC_FC_PAGE_PASTE"},
};
// Palette: key kinds 0 to 4, then section kinds 1 to 3.
const uint kPaletteIds[] = {23157, 23159, 23160, 23161, 23162, 23163, 23164, 23165};
const char* const kPaletteKeys[] = {
    "CRDC_FC_SIZE_BTNKIND_0", "CRDC_FC_SIZE_BTNKIND_1", "CRDC_FC_SIZE_BTNKIND_2",
    "CRDC_FC_SIZE_BTNKIND_3", "CRDC_FC_SIZE_BTNKIND_4", "CRDC_FC_SIZE_MSGKIND_1",
    "CRDC_FC_SIZE_MSGKIND_2", "CRDC_FC_SIZE_MSGKIND_3",
};
constexpr int kLeft = 12;
// Between the palette and the canvas: section buttons end 16 px left of it.
constexpr int kPaletteGap = 16;
const QPoint kCanvasAt(520, 20);
// A dealer's 1280 x 800 screen holds the whole window with its frame and
// title bar.
constexpr QSize kLargestWindow(1272, 760);
constexpr int kRightMargin = 40;
// Below the sheet: the margin it had before it scrolled.
constexpr int kSheetBottomMargin = 70;
// Below the palette: the row of Help, OK and Cancel.
constexpr int kButtonRow = 48;

PaletteKind KindOf(int index)
{
    return index < 5 ? PaletteKind{false, index} : PaletteKind{true, index - 4};
}

} // namespace

void CFcKeyLayoutDlg::SetFolderWait(std::function<void(int ms)> wait)
{
    FolderWait() = std::move(wait);
}

CFcKeyLayoutDlg::CFcKeyLayoutDlg(CDataManager* dataManager, QWidget* parent,
                                 CKeyLayoutDialogs* dialogs)
    : CFcMainDlg(parent, IDD_FC_KEYLAYOUT, 2), m_pDataManager(dataManager), m_pDialogs(dialogs)
{
    SetEditorLayout(true);
    int y = 12;
    for (const Command& command : kCommands) {
        CColorButton* button = AddButton(command.id, QLatin1String(command.key));
        button->setAutoDefault(false);
        button->setGeometry(kLeft, y, 150, 28);
        y += 32;
    }
    auto label = [](QWidget* parent, uint id, const char* key, const QRect& place) {
        auto* text = new QLabel(QLatin1String(key), parent);
        SetControlId(text, id);
        text->setGeometry(place);
        return text;
    };
    label(this, 23153, "CRDC_LABEL_GRIDSIZE", QRect(kLeft, y + 4, 100, 20));
    m_pGridText = label(this, IDC_GRID_TEXT, "", QRect(kLeft + 100, y + 4, 80, 20));
    AddButton(IDC_SIZE_CHANGE, QStringLiteral("CRDC_FC_SIZE_CHANGE"))
        ->setGeometry(kLeft + 190, y, 120, 28);
    y += 40;
    // The palette takes its sizes from the layout's geometry, as large as
    // a shop's keys: where the window has no room for them, it scrolls.
    m_pPaletteView = new QScrollArea(this);
    m_pPaletteView->setFrameShape(QFrame::NoFrame);
    m_pPaletteView->setWidget(new QWidget);
    m_pPaletteView->move(kLeft, y);
    QWidget* palette = m_pPaletteView->widget();
    label(palette, 23155, "CRDC_LABEL_BUTTONKIND", QRect(0, 0, 200, 20));
    for (int i = 0; i < 8; ++i) {
        QPushButton* button = i < 5 ? static_cast<QPushButton*>(new CNinePatchButton(palette))
                                    : new CMsgKindButton(palette);
        SetControlId(button, kPaletteIds[i]);
        button->setText(QLatin1String(kPaletteKeys[i]));
        // The one-cell key keeps this place: tall enough for its label
        // inside its border.
        button->setGeometry(0, 24 + i * 26, 140, std::max(22, button->fontMetrics().height() + 12));
        const uint id = kPaletteIds[i];
        connect(button, &QPushButton::clicked, this, [this, id] { OnCommand(id); });
    }
    label(palette, 23156, "CRDC_LABEL_MESSAGEKIND", QRect(0, 24, 200, 20));
    for (const auto& [id, key] : {std::pair<uint, const char*>{IDC_FC_HELP, "CRDM_FC_HELP"},
                                  {1, "CRD_OK"},
                                  {2, "CRD_CANCEL"}})
        AddButton(id, QLatin1String(key))->setAutoDefault(false);
    // The sheet is drawn at its stored pixels; where it is larger than the
    // window's room, it scrolls inside this view.
    m_pSheetView = new QScrollArea(this);
    m_pSheetView->setFrameShape(QFrame::NoFrame);
    m_pSheetView->setWidget(new QWidget);
    m_pSheetView->move(kCanvasAt);
    m_pScroll = new QScrollBar(Qt::Horizontal, m_pSheetView->widget());
    SetControlId(m_pScroll, IDC_STRIP_SCROLL);
    m_pScroll->hide();
    qApp->installEventFilter(this);
}

CFcKeyLayoutDlg::~CFcKeyLayoutDlg()
{
    qApp->removeEventFilter(this);
    StoreGrid();
    // Windows first, then the records and their images.
    m_controller.reset();
    m_editor.reset();
    m_images.reset();
}

void CFcKeyLayoutDlg::FailStart(int err)
{
    m_bStartFailed = true;
    if (err == 0)
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD_FAILED"),
                           platform::MessageIcon::Error);
    else
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SETREAD2_FAILED"),
                           platform::MessageIcon::Warning, platform::MessageButtons::Ok, err);
    QTimer::singleShot(0, this, [this] { EndDialog(platform::IDCANCEL); });
}

bool CFcKeyLayoutDlg::StartEditor()
{
    setWindowTitle(GetLangString(m_pDataManager->m_strWindowNameKey));
    const QString folder = CBasePath::GetLocalTemporaryPath();
    if (!WorkDatabaseExists() || !m_pDataManager->CreateSQLiteDB(folder)) {
        FailStart();
        return false;
    }
    int err = 0;
    if (!m_pDataManager->OpenSQLiteDB(QStringLiteral("\\SETTING.DB"), err) ||
        !m_pDataManager->GetColumnDataList()->ReadRecords(err, QString())) {
        FailStart(err != 0 ? err : SQLERR_NOT_OPEN);
        return false;
    }
    PrepareImageFolder(folder + QStringLiteral("/BTNIMG"), FolderWait());
    CSQliteDB* db = m_pDataManager->m_pSQliteDB;
    m_geometry = std::make_unique<CFcKeyLayCSB023>();
    if (!m_geometry->Read(*db, err)) {
        FailStart();
        return false;
    }
    m_images = std::make_unique<CButtonStyleMgr>(db);
    m_reads = std::make_unique<CKeyLayoutReads>(*db);
    CKeyLayoutLoader loader(*db, m_images.get());
    loader.Load(m_pDataManager->m_arrRecords);
    // A page or strip no screen has would ask for a canvas of any size.
    auto usable = [](const QRect& r) {
        return r.width() >= 0 && r.height() >= 0 && r.width() <= kMaxSide && r.height() <= kMaxSide;
    };
    if (!usable(loader.m_pageRect) || !usable(loader.m_stripRect)) {
        FailStart();
        return false;
    }
    m_geometry->SetSheetRect(loader.m_pageRect);
    const QRect page(QPoint(0, 0), loader.m_pageRect.size());
    const QRect strip(QPoint(0, page.y() + page.height() + 10), loader.m_stripRect.size());
    const int stripColour = loader.m_nStripColor;
    m_editor = std::make_unique<CKeyLayoutEditor>(m_images.get(), m_geometry.get(), m_reads.get());
    m_editor->Load(loader);
    if (m_pDialogs)
        m_pDialogs->SetSession(db, m_reads.get(), m_editor.get(), m_geometry.get());

    QSettings profile(CBasePath::GetProductLocalPath(), QStringLiteral("Kesmond"));
    profile.beginGroup(windowTitle());
    int columns = profile.value(QStringLiteral("KeyLayout.Matrix.X"), 0).toInt();
    int rows = profile.value(QStringLiteral("KeyLayout.Matrix.Y"), 0).toInt();
    if (columns == 0 || rows == 0) {
        columns = m_geometry->Preset(0).width();
        rows = m_geometry->Preset(0).height();
    }
    m_editor->SetGrid(columns, rows);
    SetGridText();

    QWidget* sheet = m_pSheetView->widget();
    m_pCanvas = new CFcKeySheetButton(sheet);
    SetControlId(m_pCanvas, CFcKeySheetButton::kCanvasId);
    m_pCanvas->setGeometry(page);
    m_pStrip = new CFcKeySheetButton(sheet);
    SetControlId(m_pStrip, CFcKeySheetButton::kStripId);
    m_pStrip->setGeometry(strip);
    m_pStrip->SetFillOnly(true, stripColour);
    m_controller = std::make_unique<CKeySheetController>(*m_editor, m_pCanvas, m_pStrip);
    connect(
        m_controller.get(), &CKeySheetController::commandPosted, this,
        [this](uint id) { OnCommand(id); }, Qt::QueuedConnection);
    connect(m_controller.get(), &CKeySheetController::stateChanged, this,
            &CFcKeyLayoutDlg::UpdateEnabling);

    // Palette: sizes and captions from the geometry, stacked under kind 0;
    // the window's fitting clips them at the canvas.
    int y = FindControlById(this, kPaletteIds[0])->geometry().bottom() + 1;
    KeyStyle style = m_images->GetDefaultKeyStyle();
    for (int i = 1; i < 8; ++i) {
        QWidget* button = FindControlById(this, kPaletteIds[i]);
        const bool section = i >= 5;
        if (i == 5) {
            QWidget* sectionLabel = FindControlById(this, 23156);
            sectionLabel->move(0, y + 20);
            y = sectionLabel->geometry().bottom() + 1 + 8 - 4;
        }
        const QSize size = section ? m_geometry->SectionSize(i - 5) : m_geometry->KeySize(i - 1);
        const QString caption =
            section ? m_geometry->SectionLabel(i - 5) : m_geometry->KeyLabel(i - 1);
        if (!caption.isEmpty())
            static_cast<QPushButton*>(button)->setText(caption);
        button->setGeometry(0, y + 4, size.width(), size.height());
        y = button->geometry().bottom() + 1;
    }
    CNinePatchButton* kinds[5];
    for (int i = 0; i < 5; ++i) {
        kinds[i] = qobject_cast<CNinePatchButton*>(FindControlById(this, kPaletteIds[i]));
        kinds[i]->m_nOverhangY = 2;
        kinds[i]->m_bTint = true;
        kinds[i]->m_bVeil = true;
    }
    PaintKindButtons(style, kinds);

    m_pScroll->setGeometry(strip.left(), strip.bottom() + 1 - 10, strip.width(), 20);
    FitWindow(page.united(strip).united(m_pScroll->geometry()).size(), y);
    connect(m_pScroll, &QScrollBar::valueChanged, this, &CFcKeyLayoutDlg::OnStripScrolled);
    m_editor->ShowStripPage(0);
    m_bStarted = true;
    return true;
}

int CFcKeyLayoutDlg::CanvasLeft(int sheetWidth)
{
    // Left of the canvas stay the commands, the grid row and the editor
    // layout's Help, OK and Cancel (Cancel the rightmost, in left slot 2).
    const int buttons =
        CColorButton::AdjustRect(QRect(QPoint(0, 0), kLargestWindow), 0, 2, 2, 3, 0, false)
            ->right();
    const int left = std::max(buttons, FindControlById(this, IDC_SIZE_CHANGE)->geometry().right()) +
                     1 + kPaletteGap;
    // A sheet the screen has room for shows whole: the canvas moves left.
    return std::clamp(kLargestWindow.width() - kRightMargin - sheetWidth, left, kCanvasAt.x());
}

void CFcKeyLayoutDlg::FitWindow(const QSize& sheet, int paletteHeight)
{
    const int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, m_pSheetView);
    const int canvasX = CanvasLeft(sheet.width());
    const int height = std::min(kLargestWindow.height(),
                                std::max(m_pPaletteView->y() + paletteHeight + kButtonRow,
                                         kCanvasAt.y() + sheet.height() + kSheetBottomMargin));

    // The palette ends above the button row and left of the canvas; its
    // buttons are clipped at its right edge, less the bar where it scrolls.
    const QSize paletteRoom(canvasX - kPaletteGap - kLeft,
                            height - kButtonRow - m_pPaletteView->y());
    const int paletteWidth = paletteRoom.width() - (paletteHeight > paletteRoom.height() ? bar : 0);
    QWidget* palette = m_pPaletteView->widget();
    for (QWidget* control : palette->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
        control->resize(std::min(control->width(), paletteWidth - control->x()), control->height());
    palette->resize(paletteWidth, paletteHeight);
    m_pPaletteView->resize(paletteRoom);

    m_pSheetView->widget()->resize(sheet);
    m_pSheetView->move(canvasX, kCanvasAt.y());
    const QSize room(kLargestWindow.width() - canvasX - kRightMargin,
                     height - kCanvasAt.y() - kButtonRow / 2);
    // A bar along one side takes room from the other.
    QSize view = sheet;
    for (int pass = 0; pass < 2; ++pass) {
        if (sheet.width() > room.width() && view.width() > room.width()) {
            view.setWidth(room.width());
            view.rheight() += bar;
        }
        if (sheet.height() > room.height() && view.height() > room.height()) {
            view.setHeight(room.height());
            view.rwidth() += bar;
        }
    }
    view = view.boundedTo(room);
    m_pSheetView->resize(view);
    resize(canvasX + view.width() + kRightMargin, height);
}

bool CFcKeyLayoutDlg::OnInitDialog()
{
    m_bInitRun = true;
    const bool started = StartEditor();
    CFcMainDlg::OnInitDialog();
    if (started)
        UpdateEnabling();
    return true;
}

void CFcKeyLayoutDlg::setVisible(bool visible)
{
    if (visible && !m_bInitRun)
        Create();
    if (visible && m_bStartFailed)
        return;
    CFcMainDlg::setVisible(visible);
}

void CFcKeyLayoutDlg::SetGridText()
{
    m_pGridText->setText(FormatLangText(GetLangString(QStringLiteral("CRDS_FC_LABEL_MATRIX")),
                                        m_editor->Grid().Columns(), m_editor->Grid().Rows()));
}

void CFcKeyLayoutDlg::StoreGrid()
{
    if (!m_bStarted || m_bGridStored || !m_editor)
        return;
    m_bGridStored = true;
    QSettings profile(CBasePath::GetProductLocalPath(), QStringLiteral("Kesmond"));
    profile.beginGroup(windowTitle());
    profile.setValue(QStringLiteral("KeyLayout.Matrix.X"), m_editor->Grid().Columns());
    profile.setValue(QStringLiteral("KeyLayout.Matrix.Y"), m_editor->Grid().Rows());
}

void CFcKeyLayoutDlg::UpdateScrollBar()
{
    if (m_nScrollStripPage == m_editor->ShownStripPage())
        return;
    m_nScrollStripPage = m_editor->ShownStripPage();
    const StripScroll scroll = m_editor->ScrollOfStrip();
    m_nScrollPosition = 0;
    m_pScroll->blockSignals(true);
    m_pScroll->setRange(0, scroll.range);
    m_pScroll->setSingleStep(1);
    m_pScroll->setPageStep(20);
    m_pScroll->setValue(0);
    m_pScroll->blockSignals(false);
    m_pScroll->setVisible(scroll.shown);
    if (scroll.shown)
        m_pScroll->raise();
}

void CFcKeyLayoutDlg::OnStripScrolled(int position)
{
    // The tabs move by the difference; the strip's fill stays.
    m_pStrip->scroll(m_nScrollPosition - position, 0);
    m_nScrollPosition = position;
}

void CFcKeyLayoutDlg::UpdateEnabling()
{
    if (!m_editor)
        return;
    UpdateScrollBar();
    const EditorEnabling e = m_editor->Enabling();
    auto enable = [this](uint id, bool on) {
        if (QWidget* control = FindControlById(this, id))
            control->setEnabled(on);
    };
    for (uint id : {IDC_BUTTON_SET, IDC_BUTTON_DEL, IDC_BUTTON_RELEASE})
        enable(id, e.keyCommands);
    for (uint id : kPaletteIds)
        enable(id, e.palette);
    for (uint id : {23153u, 23154u, 23155u, 23156u, uint(IDC_SIZE_CHANGE), uint(IDC_PAGE_COPY)})
        enable(id, e.palette);
    enable(IDC_PAGE_SET, e.pageCommands);
    enable(IDC_PAGE_DEL, e.pageCommands);
    enable(IDC_PAGE_PASTE, e.paste);
    QWidget* undo = FindControlById(this, IDC_UNDO);
    if (undo && !e.undo && undo->hasFocus())
        FocusControl(IDC_PAGE_SET);
    enable(IDC_UNDO, e.undo);
}

void CFcKeyLayoutDlg::OnPalette(uint id)
{
    const uint* at = std::find(std::begin(kPaletteIds), std::end(kPaletteIds), id);
    m_editor->PalettePressed(KindOf(int(at - std::begin(kPaletteIds))));
}

bool CFcKeyLayoutDlg::OnCommand(uint id)
{
    if (!m_editor)
        return CFcMainDlg::OnCommand(id);
    auto selectFirst = [this] {
        ShowProgramMessage(this, QStringLiteral("CRDS_FC_MSG_SELBTN"),
                           platform::MessageIcon::Warning);
    };
    switch (id) {
    case IDC_UNDO:
    case ID_UNDO_ACCEL:
        if (m_editor->Enabling().undo)
            m_editor->Undo();
        return true;
    case IDC_BUTTON_RELEASE:
        m_editor->Deselect();
        return true;
    case IDC_BUTTON_DEL:
        if (!m_editor->DeleteKey())
            selectFirst();
        return true;
    case IDC_BUTTON_SET: {
        CButtonProperty* key = m_editor->SelectedKey();
        if (!key) {
            selectFirst();
            return true;
        }
        auto copy = std::make_unique<CButtonProperty>(*key);
        const bool ok =
            m_pDialogs && (key->IsItemSection() ? m_pDialogs->EditSection(this, *copy)
                                                : m_pDialogs->EditKey(this, *copy, *m_images));
        if (ok)
            m_editor->ApplyKeySettings(std::move(copy));
        return true;
    }
    case IDC_PAGE_SET: {
        CButtonProperty* tab = m_editor->CurrentTab();
        if (!tab) {
            selectFirst();
            return true;
        }
        auto copy = std::make_unique<CButtonProperty>(*tab);
        // The strip stands at its start while the dialog is open.
        const int position = m_pScroll->value();
        m_pScroll->setValue(0);
        if (m_pDialogs && m_pDialogs->EditPage(this, *copy, *m_images, *m_geometry))
            m_editor->ApplyPageSettings(std::move(copy));
        m_pScroll->setValue(position);
        return true;
    }
    case IDC_PAGE_DEL:
        if (!m_editor->CurrentTab()) {
            selectFirst();
            return true;
        }
        if (ShowProgramMessage(this, QStringLiteral("CRDS_FC_MSG_DELTHISPAGE"),
                               platform::MessageIcon::Warning,
                               platform::MessageButtons::OkCancel) == platform::IDOK)
            m_editor->ClearPage();
        return true;
    case IDC_PAGE_COPY:
        m_editor->CopyPage();
        return true;
    case IDC_PAGE_PASTE:
        m_editor->PastePage();
        return true;
    case IDC_SIZE_CHANGE: {
        int columns = m_editor->Grid().Columns();
        int rows = m_editor->Grid().Rows();
        if (m_pDialogs && m_pDialogs->EditGrid(this, columns, rows)) {
            m_editor->SetGrid(columns, rows);
            SetGridText();
        }
        return true;
    }
    default:
        if (std::find(std::begin(kPaletteIds), std::end(kPaletteIds), id) !=
            std::end(kPaletteIds)) {
            OnPalette(id);
            return true;
        }
        return CFcMainDlg::OnCommand(id);
    }
}

void CFcKeyLayoutDlg::OnOK()
{
    if (!m_editor)
        return;
    int err = 0;
    bool saved = false;
    {
        CWaitCursor wait;
        saved = CSaveKeyLayout(m_pDataManager->m_pSQliteDB, m_editor->SheetRows(),
                               m_editor->StripRows())
                    .Save(err);
    }
    if (!saved) {
        ShowProgramMessage(this, QStringLiteral("CRDS_CMN_ERR_SAVE_FAILED"),
                           platform::MessageIcon::Error, platform::MessageButtons::Ok, err);
        return;
    }
    StoreGrid();
    EndDialog(platform::IDOK);
}

void CFcKeyLayoutDlg::OnCancel()
{
    StoreGrid();
    EndDialog(platform::IDCANCEL);
}

void CFcKeyLayoutDlg::closeEvent(QCloseEvent* event)
{
    StoreGrid();
    CFcMainDlg::closeEvent(event);
}

bool CFcKeyLayoutDlg::HandleKey(QKeyEvent* event)
{
    if (!m_editor)
        return false;
    if (event->matches(QKeySequence::Undo)) {
        OnCommand(ID_UNDO_ACCEL);
        return true;
    }
    int dx = 0;
    int dy = 0;
    switch (event->key()) {
    case Qt::Key_Left:
        dx = -1;
        break;
    case Qt::Key_Right:
        dx = 1;
        break;
    case Qt::Key_Up:
        dy = -1;
        break;
    case Qt::Key_Down:
        dy = 1;
        break;
    default:
        return false;
    }
    // Arrow keys are always taken; they move the selected key by a pixel.
    if (m_editor->SelectedKey()) {
        if (QWidget* key = m_editor->SelectedKey()->m_pWindow)
            key->setFocus();
        m_editor->ArrowMove(dx, dy);
    }
    return true;
}

void CFcKeyLayoutDlg::keyPressEvent(QKeyEvent* event)
{
    if (!HandleKey(event))
        CFcMainDlg::keyPressEvent(event);
}

// The window's keys come first, whichever of its controls has the focus.
bool CFcKeyLayoutDlg::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::KeyPress && watched != this) {
        auto* widget = qobject_cast<QWidget*>(watched);
        if (widget && widget->window() == this && HandleKey(static_cast<QKeyEvent*>(event)))
            return true;
    }
    return CFcMainDlg::eventFilter(watched, event);
}

} // namespace kesmond
