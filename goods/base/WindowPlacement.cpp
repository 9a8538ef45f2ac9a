#include "goods/base/WindowPlacement.h"

#include <QSettings>
#include <QWidget>

namespace {

QString SectionOf(QWidget* window, const QString& section)
{
    return section.isEmpty() ? window->windowTitle() : section;
}

bool IsFixedSize(const QWidget* window)
{
    return window->minimumSize() == window->maximumSize();
}

} // namespace

void SaveWindowPlacement(QWidget* window, const QString& section)
{
    if (!window)
        return;
    QSettings settings;
    settings.beginGroup(SectionOf(window, section));
    const QRect normal =
        window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    // Right and bottom exclusive, as the placement always stored them; the
    // minimised and maximised positions have no meaning here.
    settings.setValue(QStringLiteral("ptMinPosition.x"), -1);
    settings.setValue(QStringLiteral("ptMinPosition.y"), -1);
    settings.setValue(QStringLiteral("ptMaxPosition.x"), -1);
    settings.setValue(QStringLiteral("ptMaxPosition.y"), -1);
    settings.setValue(QStringLiteral("rcNormalPosition.left"), normal.left());
    settings.setValue(QStringLiteral("rcNormalPosition.top"), normal.top());
    settings.setValue(QStringLiteral("rcNormalPosition.right"), normal.left() + normal.width());
    settings.setValue(QStringLiteral("rcNormalPosition.bottom"), normal.top() + normal.height());
    settings.setValue(QStringLiteral("showCmd"), window->isVisible() ? 1 : 0);
}

void RestoreWindowPlacement(QWidget* window, const QString& section)
{
    if (!window)
        return;
    QSettings settings;
    settings.beginGroup(SectionOf(window, section));
    const int left = settings.value(QStringLiteral("rcNormalPosition.left"), 0).toInt();
    const int top = settings.value(QStringLiteral("rcNormalPosition.top"), 0).toInt();
    const int right = settings.value(QStringLiteral("rcNormalPosition.right"), 0).toInt();
    const int bottom = settings.value(QStringLiteral("rcNormalPosition.bottom"), 0).toInt();
    const QSize current = window->size();
    if (right - left <= 0 || bottom - top <= 0 || current.width() <= 0 || current.height() <= 0)
        return;
    QSize size(right - left, bottom - top);
    if (IsFixedSize(window))
        size = current;
    window->setGeometry(QRect(QPoint(left, top), size));
}
