#include "shared/dialogs/CDialogTemplate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QWidget>

CDialogTemplate::CDialogTemplate(QWidget* dialog, int pointSize, int width, int height)
    : m_pDialog(dialog), m_font(QApplication::font())
{
    m_font.setPointSize(pointSize);
    const QFontMetrics metrics(m_font);
    // The average width of the Latin letters, rounded as the template
    // engine rounds it.
    const int letters = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    m_nBaseX = qMax(1, (letters / 26 + 1) / 2);
    m_nBaseY = qMax(1, metrics.height());
    m_pDialog->setFont(m_font);
    m_pDialog->setFixedSize(Map(0, 0, width, height).size());
}

QRect CDialogTemplate::Map(int x, int y, int width, int height) const
{
    return QRect(x * m_nBaseX / 4, y * m_nBaseY / 8, width * m_nBaseX / 4, height * m_nBaseY / 8);
}

void CDialogTemplate::Place(QWidget* control, uint id, const QString& key, int x, int y, int width,
                            int height) const
{
    control->setGeometry(Map(x, y, width, height));
    SetControlId(control, id);
    if (!key.isEmpty())
        SetWindowText(control, key);
}
