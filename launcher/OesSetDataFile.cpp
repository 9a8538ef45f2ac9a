#include "launcher/OesSetDataFile.h"

#include "launcher/TovanelStrings.h"
#include "shared/dialogs/FileDialogFilter.h"
#include "shared/lang/CProgramLang.h"
#include "platform/FileChooser.h"

#include <QFileInfo>
#include <QLineEdit>

namespace tovanel {

QString CheckOesSetDataFile(const QString& path)
{
    if (path.isEmpty() || !QFileInfo(path).isFile())
        return QStringLiteral("CRDS_MSG_E_NOFILE092");
    // Compared exactly: "a.O92" and a name without "." are refused.
    const qsizetype dot = path.lastIndexOf(u'.');
    if (dot < 0 || path.mid(dot + 1) != strings::kOesSetDataExtension)
        return QStringLiteral("CRDS_MSG_E_SELOESFILE");
    return QString();
}

void SelectOesSetDataFile(QLineEdit* edit, QString& chosenBefore, QString& folder)
{
    if (!QFileInfo(edit->text()).isFile() && !chosenBefore.isEmpty())
        edit->setText(chosenBefore);
    platform::FileChoice choice;
    choice.kind = platform::FileChoice::Kind::Open;
    choice.parent = edit->window();
    choice.caption = GetLangString(QStringLiteral("CRDS_MSG_SELOESFILE"));
    choice.filter = FileDialogFilter(GetLangString(QStringLiteral("CRDS_OES_FILTER")));
    choice.defaultSuffix = strings::kOesSetDataExtension;
    if (QFileInfo(folder).isDir())
        choice.startPath = folder;
    const QString chosen = platform::chooseFile(choice);
    if (chosen.isEmpty())
        return;
    const QFileInfo info(chosen);
    chosenBefore = info.absoluteFilePath();
    edit->setText(chosenBefore);
    folder = info.absolutePath();
}

} // namespace tovanel
