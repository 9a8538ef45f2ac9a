#include "functions/keylayout/CFcKeyLayButton.h"

#include "functions/keylayout/CButtonProperty.h"
#include "functions/keylayout/CImageDataCSB012.h"
#include "functions/keylayout/KeyLayoutColour.h"
#include "functions/keylayout/WordEllipsis.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>

namespace kesmond {

Qt::CursorShape CursorOfZone(KeyCursorZone zone)
{
    switch (zone) {
    case KeyCursorZone::Move:
        return Qt::SizeAllCursor;
    case KeyCursorZone::SizeHorizontal:
        return Qt::SizeHorCursor;
    case KeyCursorZone::SizeDiagonal:
        return Qt::SizeFDiagCursor;
    case KeyCursorZone::SizeVertical:
        return Qt::SizeVerCursor;
    case KeyCursorZone::Outside:
        break;
    }
    return Qt::ArrowCursor;
}

CFcKeyLayButton::CFcKeyLayButton(Mode mode, CKeyButtonHost* host, QWidget* parent)
    : CNinePatchButton(parent), m_mode(mode), m_pHost(host)
{
    if (mode == Mode::Key) {
        m_bTint = true;
        m_bHandles = true;
        m_bPlainFace = true;
        m_nFontHeight = 12;
        setMouseTracking(true);
    } else {
        m_bInvert = true;
        m_nCornerSize = 4;
        m_nOverhangX = 1;
        m_nOverhangY = 1;
        m_nWidthOffset = -2;
        m_nHeightOffset = -2;
    }
}

CFcKeyLayButton::~CFcKeyLayButton() = default;

void CFcKeyLayButton::SetProperty(CButtonProperty* record)
{
    m_pRecord = record;
    if (!record)
        return;
    record->m_pWindow = this;
    SetImage(record->m_pBackImage ? &record->m_pBackImage->EnsureImageLoaded() : nullptr);
    m_nForeColor = record->m_nForeColor;
    m_nBackColor = record->m_nBackColor;
    m_nOptionColor = record->m_nOptionColor;
    if (m_mode == Mode::Key) {
        m_nOverhangX = record->IsFunctionButton() ? 0 : 3;
        m_nOverhangY = record->IsFunctionButton() ? -1 : 1;
    } else if (record->m_pBackImage) {
        const bool tabImage =
            record->m_pBackImage->m_strFileName == QLatin1String("ItemSheetSelection.Normal.9.png");
        m_nCornerSize = tabImage ? 4 : 8;
        m_nOverhangX = tabImage ? 1 : 3;
        m_nOverhangY = 1;
    }
    setGeometry(record->m_nX, record->m_nY, std::max(0, record->m_nWidth + m_nWidthOffset),
                std::max(0, record->m_nHeight + m_nHeightOffset));
    update();
}

void CFcKeyLayButton::DrawContent(QPainter& painter, const QRect& rect)
{
    if (!m_pRecord)
        return;
    const CButtonProperty& record = *m_pRecord;
    QFont font = GetDrawFont();
    painter.setFont(font);
    painter.setPen(ColourFromDb(record.m_nForeColor));
    const QString label = record.GetLabelText();
    if (m_mode == Mode::Key && record.IsItemButton()) {
        if (record.m_pItemImage && record.m_nImageFlag != 0) {
            const QImage& picture = record.m_pItemImage->EnsureImageLoaded();
            if (!picture.isNull()) {
                const QRect area = rect.adjusted(4, 5, -4, -5);
                const int height = record.m_nImageFlag == 3 ? area.height() * 2 / 3 : area.height();
                const int side = std::max(0, std::min(area.width(), height));
                const QRect square(area.right() + 1 - side, area.bottom() - 1 - side, side, side);
                painter.drawImage(square, picture);
            }
        }
        const QRect text = rect.adjusted(6, 8, -6, -8);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine,
                         WordElidedText(painter.fontMetrics(), label, text.width()));
        QFont priceFont = font;
        priceFont.setPixelSize(18);
        painter.setFont(priceFont);
        painter.setPen(ColourFromDb(record.m_nOptionColor));
        const QRect price = text.adjusted(0, 2, 0, -2);
        painter.drawText(
            price, Qt::AlignLeft | Qt::AlignBottom | Qt::TextSingleLine,
            WordElidedText(painter.fontMetrics(), record.m_strPriceText, price.width()));
        return;
    }
    if (m_mode == Mode::Key && record.IsItemSection()) {
        painter.fillRect(rect, Qt::white);
        painter.setPen(Qt::black);
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
        painter.setPen(ColourFromDb(record.m_nForeColor));
        const QRect text = rect.adjusted(1, 1, -1, -1);
        painter.drawText(text, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                         WordElidedText(painter.fontMetrics(), label, text.width()));
        return;
    }
    painter.drawText(rect, Qt::AlignCenter | Qt::TextSingleLine,
                     WordElidedText(painter.fontMetrics(), label, rect.width()));
}

void CFcKeyLayButton::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        event->accept();
        return;
    }
    event->accept();
    if (m_mode == Mode::Tab) {
        if (m_pHost)
            m_pHost->TabPressed(*this);
        return;
    }
    m_clickPoint = event->position().toPoint();
    m_pressSize = size();
    m_pressZone = CursorZoneAt(m_clickPoint, size());
    if (m_pressZone == KeyCursorZone::Outside)
        m_pressZone = KeyCursorZone::Move;
    setCursor(CursorOfZone(m_pressZone));
    if (m_pHost)
        m_pHost->KeyPressed(*this);
}

void CFcKeyLayButton::mouseReleaseEvent(QMouseEvent* event)
{
    event->accept();
    if (m_mode == Mode::Key && m_pHost)
        m_pHost->KeyReleased(*this);
}

void CFcKeyLayButton::mouseDoubleClickEvent(QMouseEvent* event)
{
    event->accept();
    if (m_pHost)
        m_pHost->KeyDoubleClicked(*this);
}

void CFcKeyLayButton::mouseMoveEvent(QMouseEvent* event)
{
    event->accept();
    if (m_mode == Mode::Key && event->buttons() == Qt::NoButton)
        setCursor(CursorOfZone(CursorZoneAt(event->position().toPoint(), size())));
}

} // namespace kesmond
