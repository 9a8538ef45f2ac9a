#include "testsupport/LayoutCheck.h"

#include "shared/controls/FindControlById.h"

#include <QAbstractButton>
#include <QAbstractItemModel>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QAbstractSpinBox>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QScrollArea>
#include <QScrollBar>
#include <QSizeGrip>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QTextDocument>
#include <QTimer>

#include <algorithm>

namespace korvane::test {

namespace {

// Rows looked at to find a column's widest code: enough for any test's data.
constexpr int kRowsLooked = 500;
// Rows whose height is measured: rows of one list are as high as each other.
constexpr int kRowsMeasured = 50;

// The text as painted: without the mnemonic marks.
QString Shown(const QString& text)
{
    QString shown = text;
    shown.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    shown.remove(u'&');
    shown.replace(u'\x01', u'&');
    return shown;
}

// mnemonic: the text marks its shortcut with "&" (not in column headers).
int TextWidth(const QFontMetrics& metrics, const QString& text, bool mnemonic = true)
{
    int widest = 0;
    for (const QString& line : (mnemonic ? Shown(text) : text).split(u'\n'))
        widest = std::max(widest, metrics.horizontalAdvance(line));
    return widest;
}

int TextHeight(const QFontMetrics& metrics, const QString& text)
{
    return metrics.height() * int(text.count(u'\n') + 1);
}

QString WindowName(const QWidget* window)
{
    const QString title = window->windowTitle();
    const QString cls = QString::fromLatin1(window->metaObject()->className());
    return title.isEmpty() ? cls : QStringLiteral("%1 \"%2\"").arg(cls, title);
}

QString ControlName(const QWidget* control)
{
    QString name = QString::fromLatin1(control->metaObject()->className());
    // The property itself: the platform tests link this without Sarvik.
    const uint id = control->property(kControlIdProperty).toUInt();
    if (id != 0)
        name += QStringLiteral(" %1").arg(id);
    else if (!control->objectName().isEmpty())
        name += QStringLiteral(" %1").arg(control->objectName());
    return name;
}

// Parts of composite controls (a spin box's edit, a scroll area's bars, a tab
// widget's stack) are placed by their owner, not by the window.
bool IsInnerPart(const QWidget* widget)
{
    const QWidget* parent = widget->parentWidget();
    if (!parent)
        return false;
    if (widget->objectName().startsWith(QStringLiteral("qt_")))
        return true;
    return qobject_cast<const QAbstractSpinBox*>(parent) ||
           qobject_cast<const QComboBox*>(parent) || qobject_cast<const QTabWidget*>(parent) ||
           qobject_cast<const QAbstractScrollArea*>(parent) ||
           qobject_cast<const QAbstractScrollArea*>(parent->parentWidget());
}

// Inside an item view: a cell's editor, checked through the view's cells.
bool InItemView(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(up))
            return true;
    return false;
}

// The content of a scroll area, when widget is it.
const QScrollArea* AreaOfContent(const QWidget* widget)
{
    const QWidget* viewport = widget->parentWidget();
    const auto* area =
        viewport ? qobject_cast<const QScrollArea*>(viewport->parentWidget()) : nullptr;
    return area && area->widget() == widget ? area : nullptr;
}

// The room a control must lie in: the nearest scroll area's content (reached
// by scrolling), else the window.
const QWidget* RoomOf(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget())
        if (AreaOfContent(up))
            return up;
    return window;
}

// A part of root itself, not of a window opened over it.
bool InWindow(const QWidget* widget, const QWidget* root)
{
    for (const QWidget* up = widget; up && up != root; up = up->parentWidget())
        if (up->isWindow())
            return false;
    return true;
}

// Frames, group boxes and the pictures drawn as frames may hold or cross
// other controls; a size grip sits in its window's corner over them.
bool IsFrame(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return !label->pixmap().isNull();
    return qobject_cast<const QGroupBox*>(widget) || qobject_cast<const QSizeGrip*>(widget) ||
           QByteArray(widget->metaObject()->className()) == "QFrame";
}

QString GetText(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (const auto* box = qobject_cast<const QGroupBox*>(widget))
        return box->title();
    return QString();
}

struct Faults
{
    QString window;
    QStringList lines;

    void add(const QWidget* control, const QString& text, const QString& fault)
    {
        lines << QStringLiteral("%1: %2 \"%3\": %4").arg(window, ControlName(control), text, fault);
    }
};

void CheckLabel(const QLabel* label, Faults& faults)
{
    const QString text = label->text();
    if (text.isEmpty() || !label->pixmap().isNull())
        return;
    const QRect room = label->contentsRect().marginsRemoved(
        QMargins(label->margin(), label->margin(), label->margin(), label->margin()));
    const bool rich = label->textFormat() == Qt::RichText ||
                      (label->textFormat() == Qt::AutoText && Qt::mightBeRichText(text));
    if (label->wordWrap()) {
        if (label->heightForWidth(label->width()) > label->height())
            faults.add(label, text,
                       QStringLiteral("wraps to %1 px in %2 px")
                           .arg(label->heightForWidth(label->width()))
                           .arg(label->height()));
        return;
    }
    QSize need;
    if (rich) {
        QTextDocument document;
        document.setDefaultFont(label->font());
        document.setDocumentMargin(0);
        document.setHtml(text);
        need = document.size().toSize();
    } else {
        const QFontMetrics metrics(label->font());
        need = QSize(TextWidth(metrics, text), TextHeight(metrics, text));
    }
    if (need.width() > room.width() || need.height() > room.height())
        faults.add(label, text,
                   QStringLiteral("needs %1 x %2 px, has %3 x %4")
                       .arg(need.width())
                       .arg(need.height())
                       .arg(room.width())
                       .arg(room.height()));
}

void CheckButton(const QAbstractButton* button, Faults& faults)
{
    const QString text = button->text();
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(button->font());
    const int width = TextWidth(metrics, text);
    int room = 0;
    if (qobject_cast<const QCheckBox*>(button) || qobject_cast<const QRadioButton*>(button)) {
        QStyleOptionButton option;
        option.initFrom(button);
        option.text = text;
        const bool check = qobject_cast<const QCheckBox*>(button);
        room = button->style()
                   ->subElementRect(check ? QStyle::SE_CheckBoxContents
                                          : QStyle::SE_RadioButtonContents,
                                    &option, button)
                   .width();
    } else {
        // The text stands clear of the button's frame.
        const int frame = button->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
        room = button->width() - 2 * frame;
        if (!button->icon().isNull())
            room -= button->iconSize().width() + 4;
    }
    if (width > room || metrics.height() > button->height())
        faults.add(button, text,
                   QStringLiteral("needs %1 x %2 px, has %3 x %4")
                       .arg(width)
                       .arg(metrics.height())
                       .arg(room)
                       .arg(button->height()));
}

void CheckGroupBox(const QGroupBox* box, Faults& faults)
{
    const QString text = box->title();
    if (text.isEmpty())
        return;
    const QFontMetrics metrics(box->font());
    const int margin = box->style()->pixelMetric(QStyle::PM_LayoutLeftMargin);
    const int room = box->width() - 2 * margin;
    if (TextWidth(metrics, text) > room)
        faults.add(
            box, text,
            QStringLiteral("title needs %1 px, has %2").arg(TextWidth(metrics, text)).arg(room));
}

void CheckTabBar(const QTabBar* bar, Faults& faults)
{
    const QFontMetrics metrics(bar->font());
    const int space = bar->style()->pixelMetric(QStyle::PM_TabBarTabHSpace, nullptr, bar);
    for (int i = 0; i < bar->count(); ++i) {
        const QString text = bar->tabText(i);
        const QRect tab = bar->tabRect(i);
        if (TextWidth(metrics, text) + space / 2 > tab.width())
            faults.add(bar, text,
                       QStringLiteral("tab needs %1 px, has %2")
                           .arg(TextWidth(metrics, text) + space / 2)
                           .arg(tab.width()));
        else if (tab.right() >= bar->width())
            faults.add(bar, text, QStringLiteral("tab beyond the tab bar"));
    }
}

// A code or a number: digits, with a sign, separators or a percent sign.
bool IsNumber(const QString& cell)
{
    static const QRegularExpression number(QStringLiteral("^[-+]?[0-9][0-9,.]*%?$"));
    return number.match(cell.trimmed()).hasMatch();
}

// The width a cell needs to show whole: its text clear of the cell's edges,
// beside its picture and check box.
int CellNeed(const QAbstractItemView* view, const QFontMetrics& metrics, const QModelIndex& index,
             int margin)
{
    const QString text = index.data().toString();
    const QVariant font = index.data(Qt::FontRole);
    int need =
        (font.canConvert<QFont>()
             ? TextWidth(QFontMetrics(font.value<QFont>().resolve(view->font())), text, false)
             : TextWidth(metrics, text, false)) +
        2 * margin;
    if (!index.data(Qt::DecorationRole).isNull())
        need += view->iconSize().width() + margin;
    if (index.data(Qt::CheckStateRole).isValid())
        need += view->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, view) + margin;
    return need;
}

void CheckColumns(const QAbstractItemView* view, const QHeaderView* header, Faults& faults)
{
    const QAbstractItemModel* model = view->model();
    // A section over the selection draws its title bold, and the section
    // sorted by shows its arrow beside the title.
    QFont headFont = header->font();
    if (header->highlightSections())
        headFont.setBold(true);
    const QFontMetrics headMetrics(headFont);
    const int headMargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const QFontMetrics cellMetrics(view->font());
    const int cellMargin =
        view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
    // Room the list shows right of its last column.
    const int spare =
        header->stretchLastSection() ? 0 : view->viewport()->width() - header->length();
    const int rows = std::min(model->rowCount(), kRowsLooked);
    for (int column = 0; column < model->columnCount(); ++column) {
        if (header->isSectionHidden(column) || header->sectionSize(column) == 0)
            continue;
        const int size = header->sectionSize(column);
        const QString title = model->headerData(column, Qt::Horizontal).toString();
        if (header->isVisibleTo(view->window()) && !title.isEmpty()) {
            // A header that wraps needs room for its widest word, and the
            // height for its lines.
            const bool wraps = header->defaultAlignment() & Qt::TextWordWrap;
            int need = TextWidth(headMetrics, title, false) + 2 * headMargin;
            if (wraps) {
                need = 0;
                for (const QString& word : title.split(u' '))
                    need = std::max(need, TextWidth(headMetrics, word, false) + 2 * headMargin);
                const int lines = headMetrics
                                      .boundingRect(QRect(0, 0, size - 2 * headMargin, 10000),
                                                    Qt::TextWordWrap, title)
                                      .height();
                if (lines > header->height())
                    faults.add(view, title,
                               QStringLiteral("column header needs %1 px high, has %2")
                                   .arg(lines)
                                   .arg(header->height()));
            }
            if (header->isSortIndicatorShown() && header->sortIndicatorSection() == column)
                need += header->height() / 2 + 2 * headMargin;
            if (need > size)
                faults.add(view, title,
                           QStringLiteral("column header needs %1 px, has %2").arg(need).arg(size));
        }
        QString widest;
        int widestNeed = 0;
        bool numbers = false;
        bool others = false;
        for (int row = 0; row < rows; ++row) {
            const QModelIndex index = model->index(row, column);
            const QString cell = index.data().toString();
            if (cell.isEmpty())
                continue;
            if (IsNumber(cell))
                numbers = true;
            else
                others = true;
            const int need = CellNeed(view, cellMetrics, index, cellMargin);
            if (need > widestNeed) {
                widestNeed = need;
                widest = cell;
            }
        }
        if (widestNeed <= size)
            continue;
        const QString name = title.isEmpty() ? widest : title;
        if (numbers && !others)
            faults.add(view, name,
                       QStringLiteral("number column needs %1 px for \"%2\", has %3")
                           .arg(widestNeed)
                           .arg(widest)
                           .arg(size));
        else if (widestNeed - size <= spare)
            faults.add(view, name,
                       QStringLiteral("column cut: needs %1 px for \"%2\", has %3 and the list "
                                      "%4 px to spare")
                           .arg(widestNeed)
                           .arg(widest)
                           .arg(size)
                           .arg(spare));
    }
}

// Rows as high as their text (in a list of columns with a pixel clear above
// and below, off the grid and the next row's band), and a list that holds
// several rows shows three of them (two when it holds two).
void CheckRows(const QAbstractItemView* view, bool columns, Faults& faults)
{
    const QAbstractItemModel* model = view->model();
    const QFontMetrics metrics(view->font());
    const int rows = std::min(model->rowCount(), kRowsMeasured);
    int rowHeight = 0;
    for (int row = 0; row < rows; ++row) {
        for (int column = 0; column < model->columnCount(); ++column) {
            const QModelIndex index = model->index(row, column);
            const QRect cell = view->visualRect(index);
            if (cell.isEmpty())
                continue;
            rowHeight = std::max(rowHeight, cell.height());
            const QString text = index.data().toString();
            if (text.isEmpty())
                continue;
            const int need = TextHeight(metrics, text) + (columns ? 2 : 0);
            if (cell.height() < need) {
                faults.add(view, text,
                           QStringLiteral("row %1 px high, its text needs %2")
                               .arg(cell.height())
                               .arg(need));
                return;
            }
        }
    }
    const int wanted = std::min(model->rowCount(), 3);
    if (wanted >= 2 && rowHeight > 0 && view->viewport()->height() < wanted * rowHeight)
        faults.add(view, model->index(0, 0).data().toString(),
                   QStringLiteral("list shows %1 px of %2 rows %3 px high")
                       .arg(view->viewport()->height())
                       .arg(model->rowCount())
                       .arg(rowHeight));
}

void CheckItemView(const QAbstractItemView* view, Faults& faults)
{
    if (!view->model())
        return;
    const QHeaderView* header = nullptr;
    if (const auto* table = qobject_cast<const QTableView*>(view))
        header = table->horizontalHeader();
    else if (const auto* tree = qobject_cast<const QTreeView*>(view))
        header = tree->header();
    if (header)
        CheckColumns(view, header, faults);
    CheckRows(view, header != nullptr, faults);
}

// Every part of the content can be scrolled to.
void CheckScrollArea(const QScrollArea* area, const QWidget* window, Faults& faults)
{
    const QWidget* content = area->widget();
    if (!content || !content->isVisibleTo(window))
        return;
    const QSize shown = area->viewport()->size();
    // A bar shown as needed comes up by a queued call once its range is set:
    // its policy and range say whether it will.
    const auto check = [&](const QScrollBar* bar, Qt::ScrollBarPolicy policy, int hidden,
                           const char* side) {
        if (hidden <= 0)
            return;
        if (policy == Qt::ScrollBarAlwaysOff || bar->isHidden() || bar->maximum() < hidden)
            faults.add(area, GetText(content),
                       QStringLiteral("content %1 x %2 px in %3 x %4: its %5 %6 px cannot be "
                                      "scrolled to")
                           .arg(content->width())
                           .arg(content->height())
                           .arg(shown.width())
                           .arg(shown.height())
                           .arg(QLatin1String(side))
                           .arg(hidden));
    };
    check(area->horizontalScrollBar(), area->horizontalScrollBarPolicy(),
          content->width() - shown.width(), "right");
    check(area->verticalScrollBar(), area->verticalScrollBarPolicy(),
          content->height() - shown.height(), "bottom");
}

void CheckTexts(QWidget* widget, Faults& faults)
{
    const QString elision(QChar(0x2026));
    QString text;
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        CheckLabel(label, faults);
        text = label->text();
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        CheckButton(button, faults);
        text = button->text();
    } else if (auto* box = qobject_cast<QGroupBox*>(widget)) {
        CheckGroupBox(box, faults);
        text = box->title();
    } else if (auto* bar = qobject_cast<QTabBar*>(widget)) {
        CheckTabBar(bar, faults);
    } else if (auto* view = qobject_cast<QAbstractItemView*>(widget)) {
        CheckItemView(view, faults);
    }
    if (text.endsWith(elision))
        faults.add(widget, text, QStringLiteral("elided"));
}

// A cell's editor the window places over a list: inside the list's rows.
bool IsEditorOver(const QWidget* editor, const QWidget* list)
{
    const auto* view = qobject_cast<const QAbstractItemView*>(list);
    if (!view)
        return false;
    const QRect rows(view->viewport()->mapTo(view->parentWidget(), QPoint(0, 0)),
                     view->viewport()->size());
    return rows.contains(editor->geometry());
}

// Keys on the key sheet are placed by stored data and may overlap by the user's choice.
bool IsSheetKey(const QWidget* widget)
{
    return widget->inherits("kesmond::CFcKeyLayButton");
}

void CheckOverlaps(QWidget* parent, const QWidget* window, Faults& faults)
{
    QList<QWidget*> siblings;
    for (QObject* child : parent->children()) {
        auto* widget = qobject_cast<QWidget*>(child);
        if (widget && !widget->isWindow() && widget->isVisibleTo(window) && !IsFrame(widget) &&
            !IsInnerPart(widget))
            siblings << widget;
    }
    for (int i = 0; i < siblings.size(); ++i)
        for (int j = i + 1; j < siblings.size(); ++j) {
            const QRect place = siblings[i]->geometry();
            if (!place.intersects(siblings[j]->geometry()) ||
                IsEditorOver(siblings[i], siblings[j]) || IsEditorOver(siblings[j], siblings[i]) ||
                (IsSheetKey(siblings[i]) && IsSheetKey(siblings[j])))
                continue;
            const QRect common = place & siblings[j]->geometry();
            faults.add(siblings[j], GetText(siblings[j]),
                       QStringLiteral("overlaps %1 by %2 x %3 px")
                           .arg(ControlName(siblings[i]))
                           .arg(common.width())
                           .arg(common.height()));
        }
}

} // namespace

QStringList LayoutFaults(QWidget* window)
{
    Faults faults{WindowName(window), {}};
    if (window->width() > kLayoutScreen.width() || window->height() > kLayoutScreen.height())
        faults.lines << QStringLiteral("%1: %2 x %3 px, larger than the screen")
                            .arg(faults.window)
                            .arg(window->width())
                            .arg(window->height());
    // Where it lies is judged on a screen as large as the user's: a smaller
    // one may not hold what the user's holds.
    const QScreen* screen = window->screen();
    const QRect desk = screen ? screen->availableGeometry() : QRect();
    const QRect shown = window->frameGeometry();
    if ((window->isVisible() || window->testAttribute(Qt::WA_Moved)) &&
        desk.width() >= kLayoutScreen.width() && desk.height() >= kLayoutScreen.height() &&
        !desk.contains(shown))
        faults.lines << QStringLiteral("%1: at %2,%3 %4 x %5 px, beyond the screen's edge")
                            .arg(faults.window)
                            .arg(shown.x())
                            .arg(shown.y())
                            .arg(shown.width())
                            .arg(shown.height());
    QList<QWidget*> parents{window};
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!InWindow(widget, window) || !widget->isVisibleTo(window) || InItemView(widget, window))
            continue;
        parents << widget;
        if (const auto* area = qobject_cast<const QScrollArea*>(widget))
            CheckScrollArea(area, window, faults);
        if (IsInnerPart(widget) && !qobject_cast<QHeaderView*>(widget) &&
            !qobject_cast<QTabBar*>(widget))
            continue;
        const QWidget* room = RoomOf(widget, window);
        const QRect place(widget->mapTo(room, QPoint(0, 0)), widget->size());
        if (!place.isEmpty() && !room->rect().contains(place))
            faults.add(widget, GetText(widget),
                       QStringLiteral("at %1,%2 %3 x %4 outside the %5")
                           .arg(place.x())
                           .arg(place.y())
                           .arg(place.width())
                           .arg(place.height())
                           .arg(room == window ? QStringLiteral("window")
                                               : QStringLiteral("scrolled content")));
        CheckTexts(widget, faults);
    }
    for (QWidget* parent : parents)
        if (!qobject_cast<QAbstractScrollArea*>(parent) &&
            !qobject_cast<QAbstractSpinBox*>(parent) && !qobject_cast<QComboBox*>(parent))
            CheckOverlaps(parent, window, faults);
    return faults.lines;
}

LayoutWatcher::LayoutWatcher(Report report) : m_report(std::move(report))
{
    qApp->installEventFilter(this);
}

// The probe's watcher outlives the application object.
LayoutWatcher::~LayoutWatcher()
{
    if (QCoreApplication* app = QCoreApplication::instance())
        app->removeEventFilter(this);
}

bool LayoutWatcher::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (m_checking || !watched->isWidgetType() ||
        (type != QEvent::Show && type != QEvent::Hide && type != QEvent::Resize &&
         type != QEvent::LayoutRequest))
        return false;
    auto* widget = static_cast<QWidget*>(watched);
    QWidget* window = widget->window();
    const Qt::WindowType kind = window->windowType();
    if (kind == Qt::Popup || kind == Qt::ToolTip || kind == Qt::Desktop)
        return false;
    const auto shown = m_shown.constFind(window);
    const bool current = shown != m_shown.constEnd() && *shown == window->metaObject()->className();
    if (widget == window && type == QEvent::Show) {
        m_shown.insert(window, window->metaObject()->className());
        check(window);
    } else if (widget == window && type == QEvent::Hide) {
        // Closing: the last switch is looked at while the window still has it.
        if (current && m_changed.contains(window))
            check(window);
        m_changed.removeAll(window);
        m_shown.remove(window);
    } else if (current && window->isVisible() && !m_changed.contains(window)) {
        // A page shown or hidden, a window grown: once the switch is done.
        if (m_changed.isEmpty())
            QTimer::singleShot(0, this, &LayoutWatcher::checkChanged);
        m_changed << window;
    }
    return false;
}

void LayoutWatcher::checkChanged()
{
    // A drag under way (a key moved, a column resized) is judged once it ends.
    if (QGuiApplication::mouseButtons() != Qt::NoButton) {
        QTimer::singleShot(50, this, &LayoutWatcher::checkChanged);
        return;
    }
    const QList<QPointer<QWidget>> changed = m_changed;
    m_changed.clear();
    for (const QPointer<QWidget>& window : changed)
        if (window && window->isVisible() &&
            m_shown.value(window) == window->metaObject()->className())
            check(window);
}

void LayoutWatcher::check(QWidget* window)
{
    m_checking = true;
    // A layout done may ask its parent's anew: the window is judged once the
    // requests have settled.
    for (int pass = 0; pass < 4; ++pass)
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
    // A picture of each window checked, to look at by eye, when asked for.
    const QString shots = qEnvironmentVariable("KORVANE_LAYOUT_SHOTS");
    if (!shots.isEmpty()) {
        static int taken = 0;
        const QString name = QString::fromLatin1(window->metaObject()->className())
                                 .replace(QStringLiteral("::"), QStringLiteral("_"));
        window->grab().save(QStringLiteral("%1/%2-%3-%4.png")
                                .arg(shots)
                                .arg(QCoreApplication::applicationPid())
                                .arg(++taken)
                                .arg(name));
    }
    const QStringList faults = LayoutFaults(window);
    m_checking = false;
    m_changed.removeAll(window);
    for (const QString& fault : faults)
        if (!m_reported.contains(fault)) {
            m_reported.insert(fault); // a window shown again says it once
            m_report(fault);
        }
}

} // namespace korvane::test
