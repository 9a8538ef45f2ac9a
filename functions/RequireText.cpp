#include "functions/RequireText.h"

#include "goods/base/ProgramMessage.h"

#include <QLineEdit>

namespace kesmond {

bool RequireText(QWidget* dialog, QLineEdit* edit)
{
    if (!edit->text().isEmpty())
        return true;
    ShowProgramMessage(dialog, QStringLiteral("CRDS_CMN_ERR_INPUT"),
                       platform::MessageIcon::Warning);
    edit->setFocus();
    return false;
}

} // namespace kesmond
