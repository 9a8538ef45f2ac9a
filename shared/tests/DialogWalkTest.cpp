// Every dialog of the shared library, as its template builds it: ids unique,
// controls inside the dialog, every key in the library's module.
#include "shared/dialogs/CCmnImportStateDlg.h"
#include "shared/dialogs/CInputValueDlg.h"
#include "shared/dialogs/CSelectCustomItemDlg.h"
#include "shared/dialogs/CSelectItemDlg.h"
#include "shared/dialogs/CSubItemSetDlg.h"
#include "shared/dialogs/CSubItemSetDlgEx.h"

#include "testsupport/DialogCheck.h"
#include "testsupport/QtPrinters.h"

#include <QDialog>
#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

namespace {

using korvane::test::DialogFaults;

const CResourceLangDatas& SuiteLang()
{
    static CResourceLangDatas lang;
    static const bool loaded =
        lang.LoadDocumentFile(QStringLiteral(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
    EXPECT_TRUE(loaded);
    return lang;
}

std::vector<std::function<std::unique_ptr<QDialog>()>> LibraryDialogs()
{
    std::vector<std::function<std::unique_ptr<QDialog>()>> dialogs = {
        [] { return std::make_unique<CCmnImportStateDlg>(); },
        [] { return std::make_unique<CInputValueDlg>(); },
        [] { return std::make_unique<CSelectItemDlg>(SELITDLG_TALL, nullptr); },
        [] { return std::make_unique<CSelectItemDlg>(SELITDLG_SHORT, nullptr); },
        [] { return std::make_unique<CSelectCustomItemDlg>(SELITDLG_TALL, nullptr); },
        [] { return std::make_unique<CSelectCustomItemDlg>(SELITDLG_SHORT, nullptr); },
    };
    for (int form = SubItemDlgType::DLGTYPE_EDIT; form <= SubItemDlgType::DLGTYPE_CHECKLIST;
         ++form) {
        const auto type = SubItemDlgType::E_DlgTypeTag(form);
        dialogs.push_back([type] { return std::make_unique<CSubItemSetDlg>(nullptr, type, 0); });
        dialogs.push_back([type] { return std::make_unique<CSubItemSetDlgEx>(nullptr, type, 0); });
    }
    dialogs.push_back(
        [] { return std::make_unique<CSubItemSetDlg>(nullptr, SubItemDlgType::DLGTYPE_EDIT, 1); });
    return dialogs;
}

TEST(DialogWalk, EveryLibraryDialogKeepsTheTemplateRules)
{
    for (const auto& make : LibraryDialogs()) {
        const std::unique_ptr<QDialog> dialog = make();
        const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
        EXPECT_GE(std::count_if(widgets.begin(), widgets.end(),
                                [](const QWidget* w) { return ControlId(w) != 0; }),
                  2)
            << dialog->metaObject()->className();
        EXPECT_EQ(DialogFaults(dialog.get(), SuiteLang(), QStringLiteral("Sarvik")), QStringList())
            << dialog->metaObject()->className();
    }
}

TEST(DialogWalk, APlantedDuplicateIdStrayControlAndMissingKeyAreFound)
{
    QDialog dialog;
    dialog.setFixedSize(200, 100);
    auto* first = new QPushButton(QStringLiteral("CRD_OK"), &dialog);
    SetControlId(first, 1);
    auto* twin = new QLabel(QStringLiteral("CRDS_NO_SUCH_KEY_ANYWHERE"), &dialog);
    SetControlId(twin, 1);
    auto* stray = new QLabel(&dialog);
    SetControlId(stray, 7);
    stray->setGeometry(150, 80, 100, 30);
    EXPECT_EQ(DialogFaults(&dialog, SuiteLang(), QStringLiteral("Sarvik")),
              QStringList({QStringLiteral("QDialog: control id 1 twice"),
                           QStringLiteral("QDialog: key CRDS_NO_SUCH_KEY_ANYWHERE missing in "
                                          "module Sarvik"),
                           QStringLiteral("QDialog: control 7 outside the dialog")}));
    // A key of the library alone is missing for a program's window.
    EXPECT_TRUE(DialogFaults(&dialog, SuiteLang(), QStringLiteral("Wendrath"))
                    .contains(QStringLiteral("QDialog: key CRD_OK missing in module Wendrath")));
}

} // namespace
