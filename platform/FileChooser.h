#pragma once

#include <QString>

#include <functional>

class QWidget;

namespace platform {

struct FileChoice
{
    enum class Kind { Open, Save, Folder };
    Kind kind = Kind::Open;
    QWidget* parent = nullptr;
    QString caption;
    QString startPath; // folder or proposed file
    QString filter;    // Qt filter text ("Setting archive (*.crx)")
    // Save: appended (with a dot) to a name typed without a suffix, inside
    // the dialog, so that the overwrite question names the file written.
    QString defaultSuffix;
    // Save: ask before an existing file is chosen.
    bool confirmOverwrite = true;
};

// The chosen path, or "" when the user cancelled.
QString chooseFile(const FileChoice& choice);

// Opens a document with the desktop's default program (the help PDF); false
// when the path is not an existing file or no program could be started.
bool openWithDefaultProgram(const QString& path);

// A link a user may follow: an absolute http or https address with a host.
bool isWebLink(const QString& url);
// Opens a web link in the desktop's browser; false (and nothing opened) for
// any other kind of address, so a link never starts a program or a file.
bool openWebLink(const QString& url);

// Tests install scripted versions; an empty function restores the real one.
void setFileChooser(std::function<QString(const FileChoice&)> chooser);
void setDefaultProgramOpener(std::function<bool(const QString&)> opener);
void setWebLinkOpener(std::function<bool(const QString&)> opener);

} // namespace platform
