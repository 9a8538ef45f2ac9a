#include "PendingServices.h"

#include <QAbstractButton>
#include <QDateTime>
#include <QDir>
#include <QStandardPaths>
#include <QLabel>
#include <QLineEdit>

// TEMPORARY SEAM, see the header.

QString LoadCommonString(const QString&)
{
    return QString();
}

int GetColumnCountOfUnicode(const QString& text)
{
    return int(text.size());
}

QString GetWindowText(const QWidget* widget)
{
    if (auto edit = qobject_cast<const QLineEdit*>(widget))
        return edit->text();
    if (auto button = qobject_cast<const QAbstractButton*>(widget))
        return button->text();
    if (auto label = qobject_cast<const QLabel*>(widget))
        return label->text();
    return widget ? widget->windowTitle() : QString();
}

bool SetWindowText(QWidget* widget, const QString& text)
{
    if (auto edit = qobject_cast<QLineEdit*>(widget))
        edit->setText(text);
    else if (auto button = qobject_cast<QAbstractButton*>(widget))
        button->setText(text);
    else if (auto label = qobject_cast<QLabel*>(widget))
        label->setText(text);
    else if (widget)
        widget->setWindowTitle(text);
    return widget != nullptr;
}

QString GetTimestampOfNow()
{
    return QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMddHHmmss"));
}

QString CBasePath::GetLocalDataBasePath()
{
    const QString path = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)
                         + QStringLiteral("/Korvane");
    QDir().mkpath(path);
    return path;
}

void ShowReadTableInfoFailed()
{
    // The message function is not merged yet.
}
