#include "launcher/TableSelectList.h"

#include <QAbstractItemModel>
#include <QFont>
#include <QFontMetrics>
#include <QHeaderView>
#include <QRegularExpression>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace tovanel {

namespace {

// The name column gives up room down to this before the list scrolls.
constexpr int kNarrowestName = 100;

// A header wraps at its blanks: its widest word and its margins. Titles
// over the selected rows are drawn bold.
int HeaderNeed(const QHeaderView* header, const QString& title)
{
    QFont font = header->font();
    if (header->highlightSections())
        font.setBold(true);
    const QFontMetrics metrics(font);
    int widest = 0;
    for (const QString& word : title.split(QRegularExpression(QStringLiteral("\\s+"))))
        widest = std::max(widest, metrics.horizontalAdvance(word));
    return widest + 2 * header->style()->pixelMetric(QStyle::PM_HeaderMargin, nullptr, header) + 2;
}

} // namespace

void SetUpTableSelectList(QTableView* list)
{
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    QHeaderView* header = list->horizontalHeader();
    header->setSectionsClickable(false);
    // Group titles of two words show whole on two lines in a narrow column.
    header->setDefaultAlignment(Qt::Alignment(Qt::AlignCenter | Qt::TextWordWrap));
    header->setMinimumHeight(2 * QFontMetrics(header->font()).lineSpacing() + 8);
    list->verticalHeader()->hide();
    list->setShowGrid(false);
}

void SetTableSelectColumnWidths(QTableView* list, int baseWidth, const QList<int>& widths)
{
    const int width = list->viewport()->width();
    const int factor = width <= baseWidth ? 1000 : width * 1000 / baseWidth;
    const QAbstractItemModel* model = list->model();
    const QHeaderView* header = list->horizontalHeader();
    QList<int> sizes;
    for (int column = 0; column < widths.size(); ++column) {
        int size = widths[column] * factor / 1000;
        if (model)
            size = std::max(
                size, HeaderNeed(header, model->headerData(column, Qt::Horizontal).toString()));
        sizes << size;
    }
    // The name column gives way before the list needs to scroll sideways.
    int total = 0;
    for (int size : sizes)
        total += size;
    if (sizes.size() > 1 && total > width)
        sizes[1] = std::max(kNarrowestName, sizes[1] - (total - width));
    for (int column = 0; column < sizes.size(); ++column)
        list->setColumnWidth(column, sizes[column]);
}

} // namespace tovanel
