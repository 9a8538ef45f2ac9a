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
#include <QStyle>
#include <QStyleOptionButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTableView>
#include <QTreeView>
#include <QTextDocument>

#include <gtest/gtest.h>

#include <algorithm>

namespace korvane::test {

namespace {

// Rows looked at to find a column's widest code: enough for any test's data.
constexpr int kRowsLooked = 500;

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

// Inside an item view or a scroll area's contents: reached by scrolling, or a
// cell's editor.
bool IsScrolled(const QWidget* widget, const QWidget* window)
{
    for (const QWidget* up = widget->parentWidget(); up && up != window; up = up->parentWidget()) {
        if (qobject_cast<const QAbstractScrollArea*>(up) && up != widget->parentWidget())
            return true;
        if (qobject_cast<const QAbstractItemView*>(up))
            return true;
    }
    return false;
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
// other controls.
bool IsFrame(const QWidget* widget)
{
    if (const auto* label = qobject_cast<const QLabel*>(widget))
        return !label->pixmap().isNull();
    return qobject_cast<const QGroupBox*>(widget) ||
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

// A column is a code column when every one of its texts is digits alone.
void CheckItemView(const QAbstractItemView* view, Faults& faults)
{
    const QAbstractItemModel* model = view->model();
    const QHeaderView* header = nullptr;
    if (const auto* table = qobject_cast<const QTableView*>(view))
        header = table->horizontalHeader();
    else if (const auto* tree = qobject_cast<const QTreeView*>(view))
        header = tree->header();
    if (!model || !header)
        return;
    const QFontMetrics cellMetrics(view->font());
    const QFontMetrics headMetrics(header->font());
    const int headMargin = header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header);
    const int cellMargin =
        view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1;
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
            if (need > size)
                faults.add(view, title,
                           QStringLiteral("column header needs %1 px, has %2").arg(need).arg(size));
        }
        QString widest;
        bool codes = false;
        const int rows = std::min(model->rowCount(), kRowsLooked);
        for (int row = 0; row < rows; ++row) {
            const QString cell = model->index(row, column).data().toString();
            if (cell.isEmpty())
                continue;
            if (!std::all_of(cell.begin(), cell.end(), [](QChar c) { return c.isDigit(); })) {
                codes = false;
                break;
            }
            codes = true;
            if (cellMetrics.horizontalAdvance(cell) > cellMetrics.horizontalAdvance(widest))
                widest = cell;
        }
        if (!codes)
            continue;
        const int need = cellMetrics.horizontalAdvance(widest) + 2 * cellMargin;
        if (need > size)
            faults.add(view, title.isEmpty() ? widest : title,
                       QStringLiteral("code column needs %1 px for \"%2\", has %3")
                           .arg(need)
                           .arg(widest)
                           .arg(size));
    }
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
        for (int j = i + 1; j < siblings.size(); ++j)
            if (siblings[i]->geometry().intersects(siblings[j]->geometry()))
                faults.add(siblings[j], GetText(siblings[j]),
                           QStringLiteral("overlaps %1").arg(ControlName(siblings[i])));
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
    const QRect area = window->rect();
    QList<QWidget*> parents{window};
    const QList<QWidget*> widgets = window->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (!InWindow(widget, window) || !widget->isVisibleTo(window))
            continue;
        parents << widget;
        if (IsInnerPart(widget) && !qobject_cast<QHeaderView*>(widget) &&
            !qobject_cast<QTabBar*>(widget))
            continue;
        if (IsScrolled(widget, window))
            continue;
        const QRect place(widget->mapTo(window, QPoint(0, 0)), widget->size());
        if (!place.isEmpty() && !area.contains(place))
            faults.add(widget, GetText(widget),
                       QStringLiteral("at %1,%2 %3 x %4 outside the window")
                           .arg(place.x())
                           .arg(place.y())
                           .arg(place.width())
                           .arg(place.height()));
        CheckTexts(widget, faults);
    }
    for (QWidget* parent : parents)
        if (!IsScrolled(parent, window) && !qobject_cast<QAbstractScrollArea*>(parent) &&
            !qobject_cast<QAbstractSpinBox*>(parent) && !qobject_cast<QComboBox*>(parent))
            CheckOverlaps(parent, window, faults);
    return faults.lines;
}

LayoutWatch::LayoutWatch()
{
    qApp->installEventFilter(this);
}

LayoutWatch::~LayoutWatch()
{
    qApp->removeEventFilter(this);
}

bool LayoutWatch::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Show && watched->isWidgetType()) {
        auto* widget = static_cast<QWidget*>(watched);
        const Qt::WindowType type = widget->windowType();
        if (widget->isWindow() && type != Qt::Popup && type != Qt::ToolTip && type != Qt::Desktop)
            check(widget);
    }
    return false;
}

void LayoutWatch::check(QWidget* window)
{
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
    for (const QString& fault : faults)
        if (!m_reported.contains(fault)) {
            m_reported.insert(fault); // a window shown again says it once
            ADD_FAILURE() << fault.toStdString();
        }
}

} // namespace korvane::test
