#pragma once

#include <QString>

// The window class of a program's top-level windows ("Lumo Setting Goods"):
// here their object name, by which tests and tools find them.
bool RegisterDialogClass(const QString& className);
QString RegisteredDialogClass();
