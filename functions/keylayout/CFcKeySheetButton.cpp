#include "functions/keylayout/CFcKeySheetButton.h"

#include "functions/keylayout/CKeySheetGrid.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/WordEllipsis.h"

#include "shared/config/PitchFontName.h"
#include "shared/lang/CProgramLang.h"

#include <QMouseEvent>
#include <QPainter>

namespace kesmond {

CFcKeySheetButton::CFcKeySheetButton(QWidget* parent) : QPushButton(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setFocusPolicy(Qt::TabFocus);
}

CFcKeySheetButton::~CFcKeySheetButton() = default;

void CFcKeySheetButton::SetGrid(const CKeySheetGrid* grid)
{
    m_pGrid = grid;
    GridChanged();
}

void CFcKeySheetButton::GridChanged()
{
    m_bGridDirty = true;
    update();
}

void CFcKeySheetButton::SetAutoLayout(bool automatic)
{
    m_bAutoLayout = automatic;
    update();
}

void CFcKeySheetButton::SetFillOnly(bool fillOnly, int colour)
{
    m_bFillOnly = fillOnly;
    m_nFillColour = colour;
    update();
}

void CFcKeySheetButton::RenderGrid()
{
    m_gridPicture = QPixmap(size());
    m_gridPicture.fill(Qt::white);
    QPainter painter(&m_gridPicture);
    if (m_pGrid) {
        QPen dotted(QColor(223, 0, 0), 1, Qt::DotLine);
        painter.setPen(dotted);
        const QPoint origin = m_pGrid->Origin();
        const QSize grid = m_pGrid->GridSize();
        for (int i = 0; i <= m_pGrid->Rows(); ++i) {
            const int y = origin.y() + i * m_pGrid->StepY();
            painter.drawLine(origin.x(), y, origin.x() + grid.width(), y);
        }
        for (int i = 0; i <= m_pGrid->Columns(); ++i) {
            const int x = origin.x() + i * m_pGrid->StepX();
            painter.drawLine(x, origin.y(), x, origin.y() + grid.height());
        }
    }
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    m_bGridDirty = false;
    ++m_nGridRenders;
}

void CFcKeySheetButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (m_bFillOnly) {
        painter.fillRect(rect(), ColourFromDb(m_nFillColour));
        return;
    }
    if (m_bAutoLayout) {
        painter.fillRect(rect(), Qt::white);
        QFont text = font();
        text.setFamily(GetPropoPitchFontName());
        text.setWeight(QFont::Bold);
        text.setPixelSize(24);
        painter.setFont(text);
        painter.setPen(QColor(0, 0, 191));
        const QString label = GetLangString(QStringLiteral("CRDS_FC_LABEL_AUTOLAYOUT"));
        painter.drawText(rect(), Qt::AlignCenter | Qt::TextSingleLine,
                         WordElidedText(painter.fontMetrics(), label, width()));
        return;
    }
    if (m_bGridDirty || m_gridPicture.size() != size())
        RenderGrid();
    painter.drawPixmap(0, 0, m_gridPicture);
}

void CFcKeySheetButton::mousePressEvent(QMouseEvent* event)
{
    raise();
    event->accept();
}

void CFcKeySheetButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    emit backgroundReleased();
}

} // namespace kesmond
