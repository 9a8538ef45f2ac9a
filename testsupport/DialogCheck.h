#pragma once

// The template rules every dialog of the suite keeps, checked on a dialog
// just built (its texts still language keys). Header-only: test programs
// that use it link the shared library.

#include "shared/controls/FindControlById.h"
#include "shared/lang/CResourceLangDatas.h"
#include "shared/lang/WindowText.h"

#include <QHash>
#include <QRegularExpression>
#include <QStringList>
#include <QWidget>

namespace korvane::test {

// A text that is a language key ("CRD_OK", "CRDS_...", "CRDC_...", "CRSS_...").
inline bool IsLangKey(const QString& text)
{
    static const QRegularExpression key(QStringLiteral("^CR[A-Z]*_[A-Za-z0-9_]*[A-Za-z0-9]$"));
    return key.match(text).hasMatch();
}

// One line per fault: two controls with one id, a control (shown or not)
// outside the dialog's rectangle, a key the dialog's module lacks.
inline QStringList DialogFaults(QWidget* dialog, const CResourceLangDatas& lang,
                                const QString& module)
{
    QStringList faults;
    const QString name = QString::fromLatin1(dialog->metaObject()->className());
    const auto checkKey = [&](const QWidget* widget) {
        const QString text = GetWindowText(widget);
        if (IsLangKey(text) && lang.LoadResString(module, text).isEmpty())
            faults << QStringLiteral("%1: key %2 missing in module %3").arg(name, text, module);
    };
    checkKey(dialog);
    QHash<uint, int> seen;
    const QRect area = dialog->rect();
    const QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
    for (QWidget* widget : widgets) {
        if (widget->window() != dialog)
            continue;
        const uint id = ControlId(widget);
        if (id == 0)
            continue;
        if (++seen[id] == 2)
            faults << QStringLiteral("%1: control id %2 twice").arg(name).arg(id);
        const QRect place(widget->mapTo(dialog, QPoint(0, 0)), widget->size());
        if (!area.contains(place))
            faults << QStringLiteral("%1: control %2 outside the dialog").arg(name).arg(id);
        checkKey(widget);
    }
    return faults;
}

} // namespace korvane::test
