#pragma once

// TEMPORARY SEAM: stand-ins for services other branches are building
// (language texts, text widths, a widget's window text). Each goes away when
// the real one is merged; nothing new may start to use this file.

#include <QString>

class QWidget;

QString LoadCommonString(const QString& key);
int GetColumnCountOfUnicode(const QString& text);
QString GetWindowText(const QWidget* widget);
bool SetWindowText(QWidget* widget, const QString& text);
QString GetTimestampOfNow();
struct CBasePath
{
    static QString GetLocalDataBasePath();
};
void ShowReadTableInfoFailed();
