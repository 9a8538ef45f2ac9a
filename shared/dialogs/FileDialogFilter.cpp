#include "shared/dialogs/FileDialogFilter.h"

#include <QStringList>

QString FileDialogFilter(const QString& pairs)
{
    const QStringList parts = pairs.split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        QStringList patterns = parts[i + 1].split(u';', Qt::SkipEmptyParts);
        for (QString& pattern : patterns)
            pattern = pattern.trimmed();
        patterns.removeAll(QString());
        if (patterns.isEmpty())
            continue;
        const QString group = QStringLiteral("(") + patterns.join(u' ') + QStringLiteral(")");
        const QString groupAsGiven =
            QStringLiteral("(") + patterns.join(u';') + QStringLiteral(")");
        if (description.endsWith(group) || description.endsWith(groupAsGiven)) {
            QString kept = description;
            kept.replace(kept.size() - groupAsGiven.size(), groupAsGiven.size(), group);
            filters << kept;
        } else if (description.isEmpty()) {
            filters << group;
        } else {
            filters << description + u' ' + group;
        }
    }
    return filters.join(QStringLiteral(";;"));
}
