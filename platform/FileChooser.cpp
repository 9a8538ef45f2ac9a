#include "platform/FileChooser.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QUrl>

namespace platform {

namespace {

std::function<QString(const FileChoice&)>& chooser()
{
    static std::function<QString(const FileChoice&)> instance;
    return instance;
}

std::function<bool(const QString&)>& opener()
{
    static std::function<bool(const QString&)> instance;
    return instance;
}

std::function<bool(const QString&)>& linkOpener()
{
    static std::function<bool(const QString&)> instance;
    return instance;
}

QString chooseSaveFile(const FileChoice& choice)
{
    QFileDialog dialog(choice.parent, choice.caption, choice.startPath, choice.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !choice.confirmOverwrite);
    if (!choice.defaultSuffix.isEmpty()) {
        dialog.setDefaultSuffix(choice.defaultSuffix);
        // A desktop's own dialog may ask about the name as typed, before the
        // suffix is added; Qt's dialog adds it first.
        dialog.setOption(QFileDialog::DontUseNativeDialog);
    }
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QStringList files = dialog.selectedFiles();
    return files.isEmpty() ? QString() : files.first();
}

} // namespace

QString chooseFile(const FileChoice& choice)
{
    if (chooser())
        return chooser()(choice);
    switch (choice.kind) {
    case FileChoice::Kind::Open:
        return QFileDialog::getOpenFileName(choice.parent, choice.caption, choice.startPath,
                                            choice.filter);
    case FileChoice::Kind::Save:
        return chooseSaveFile(choice);
    case FileChoice::Kind::Folder:
        return QFileDialog::getExistingDirectory(choice.parent, choice.caption, choice.startPath);
    }
    return {};
}

bool openWithDefaultProgram(const QString& path)
{
    if (opener())
        return opener()(path);
    // The desktop's opener reports success before it looks at the file, so a
    // missing file is caught here.
    const QFileInfo info(path);
    if (!info.isFile())
        return false;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(info.absoluteFilePath()));
}

bool isWebLink(const QString& url)
{
    const QUrl parsed(url, QUrl::StrictMode);
    const QString scheme = parsed.scheme().toLower();
    return parsed.isValid() && (scheme == u"http" || scheme == u"https") &&
           !parsed.host().isEmpty();
}

bool openWebLink(const QString& url)
{
    if (!isWebLink(url))
        return false;
    if (linkOpener())
        return linkOpener()(url);
    return QDesktopServices::openUrl(QUrl(url, QUrl::StrictMode));
}

void setFileChooser(std::function<QString(const FileChoice&)> scripted)
{
    chooser() = std::move(scripted);
}

void setDefaultProgramOpener(std::function<bool(const QString&)> scripted)
{
    opener() = std::move(scripted);
}

void setWebLinkOpener(std::function<bool(const QString&)> scripted)
{
    linkOpener() = std::move(scripted);
}

} // namespace platform
