#pragma once

#include <QString>
#include <QTemporaryDir>

#include <array>
#include <optional>

namespace korvane::test {

// Points the XDG folders (per-user and machine-wide configuration and data)
// at fresh temporary folders for its lifetime, so registry values, INI files
// and work databases of one test never meet another's or the user's own.
class TestFolders
{
public:
    TestFolders();
    ~TestFolders();
    TestFolders(const TestFolders&) = delete;
    TestFolders& operator=(const TestFolders&) = delete;

    QString root() const { return m_dir.path(); }
    QString userConfig() const;    // XDG_CONFIG_HOME
    QString machineConfig() const; // first of XDG_CONFIG_DIRS
    QString userData() const;      // XDG_DATA_HOME
    QString machineData() const;   // first of XDG_DATA_DIRS
    QString scratch() const;       // a free folder for the test's own files

private:
    QTemporaryDir m_dir;
    static constexpr std::array<const char*, 4> kVariables{"XDG_CONFIG_HOME", "XDG_CONFIG_DIRS",
                                                           "XDG_DATA_HOME", "XDG_DATA_DIRS"};
    std::array<std::optional<QByteArray>, 4> m_saved;
};

// Writes bytes to a file, creating its folder; returns false on failure.
bool writeFile(const QString& path, const QByteArray& bytes);
// Reads a whole file; an empty array when it cannot be read.
QByteArray readFile(const QString& path);

} // namespace korvane::test
