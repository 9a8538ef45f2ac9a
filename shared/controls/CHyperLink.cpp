#include "shared/controls/CHyperLink.h"

#include "platform/FileChooser.h"

#include <QFontMetrics>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

CHyperLink::CHyperLink(QWidget* parent) : QPushButton(parent)
{
    setCursor(Qt::PointingHandCursor);
    setAutoDefault(false);
    connect(this, &QPushButton::clicked, this, [this] {
        if (!m_strUrl.isEmpty())
            platform::openWebLink(m_strUrl);
    });
}

CHyperLink::~CHyperLink() = default;

void CHyperLink::SetupLink()
{
    QFont link = font();
    link.setUnderline(true);
    setFont(link);
    const QRect measured = QFontMetrics(link).boundingRect(
        QRect(0, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
    resize(measured.width() + 2, measured.height() + 2);
}

bool CHyperLink::SetLinkUrl(const QString& url)
{
    if (!platform::isWebLink(url)) {
        m_strUrl.clear();
        return false;
    }
    m_strUrl = url;
    return true;
}

void CHyperLink::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    const QRect client = rect();
    painter.fillRect(client, palette().color(QPalette::Button));
    painter.setFont(font());
    QColor color(0, 0, 255);
    if (isDown())
        color = QColor(255, 64, 3);
    else if (m_bHover)
        color = QColor(211, 79, 7);
    painter.setPen(color);
    painter.drawText(client.adjusted(1, 1, -1, -1),
                     Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, text());
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = client;
        style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
    }
}

void CHyperLink::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        // A held key repeats its key-downs; only the first one clicks. The
        // repeats are consumed too, or the dialog would press its default
        // button with each of them.
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CHyperLink::keyReleaseEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->accept();
        return;
    }
    QPushButton::keyReleaseEvent(event);
}

void CHyperLink::enterEvent(QEnterEvent* event)
{
    if (!m_bHover) {
        m_bHover = true;
        update();
    }
    QPushButton::enterEvent(event);
}

void CHyperLink::leaveEvent(QEvent* event)
{
    m_bHover = false;
    update();
    QPushButton::leaveEvent(event);
}
