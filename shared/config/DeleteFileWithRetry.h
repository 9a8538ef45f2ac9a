#pragma once

#include <QString>

// Deletes a file in up to 3 attempts, waiting 100 ms after each failed one
// (a viewer or scanner may still hold a temporary file for a moment). True
// when the file is gone, also when it never existed.
bool DeleteFileWithRetry(const QString& path);
