#pragma once

#include <QString>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

// One private folder per fuzzing process, made on first use and removed at
// exit. The readers under test take paths, so each input is written to a
// file there first.
class FuzzScratch
{
public:
    static FuzzScratch& Instance();

    QString Folder() const { return m_dir.path(); }
    // Writes the bytes to name inside the folder and returns its path;
    // aborts when the file cannot be written (the run would prove nothing).
    QString WriteInput(const QString& name, const uint8_t* data, size_t size) const;

private:
    FuzzScratch();
    QTemporaryDir m_dir;
};
