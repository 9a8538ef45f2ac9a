#pragma once

#include <QString>

class QWidget;

// A window's placement in the program's profile (QSettings of the
// application), in a section named after the window's title unless one is
// given; the keys are those the suite always wrote.
void SaveWindowPlacement(QWidget* window, const QString& section = QString());
// Restores it. Nothing changes without a stored placement of positive size;
// a window of fixed size keeps its size and takes only the position.
void RestoreWindowPlacement(QWidget* window, const QString& section = QString());
