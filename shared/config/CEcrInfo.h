#pragma once

#include <QString>
#include <QStringList>

// The register models of the installation (section "ECR_LIST" of the
// launcher INI, in INI order) and the user's current model (registry value
// "REG_TYPE"). Each model value holds "id,folder,machine type,display name";
// the display name is everything after the third comma.
class CEcrInfo
{
public:
    // The launcher INI beside the running program. When it is missing, shows
    // "CRDS_CMN_ERR_NOTFOUNDINI" and throws CUserException.
    static bool GetEcrIniPath(QString& out);
    static QString GetEcrIniPath();
    // The same without message or exception: false when missing.
    static bool FindEcrIniPath(QString& out);

    static int GetEcrListCount();
    // Appends the display names (behind the first element of a non-empty
    // list); false when a value cannot be split (the names before it stay).
    static bool GetEcrList(QStringList& list);
    // Model id of the first model whose display name (machine type) equals
    // the text exactly; "" when none.
    static QString GetSelectedEcrTypeFromIni(const QString& displayName);
    static QString GetSelectedEcrTypeFromIni2(const QString& machineType);
    // Field 1 (folder), 2 (machine type) or 3 (display name) of the model;
    // "" when none or for another field number.
    static QString GetCurrentEcrTypeFromIni(const QString& modelId, int field);
    // Writes "REG_TYPE"; false when the write fails.
    static bool SetCurrentEcrType(const QString& modelId);
    static QString GetCurrentEcrType();
    static QString GetCurrentEcrTypeID() { return QString(); }
    static int GetCurrentEcrTypeNo() { return 0; }

    // Splits a model value into its four fields; false when malformed (a
    // field before the display name is empty or missing).
    static bool SplitEcrValue(const QString& value, QStringList& fields);

private:
    static QStringList ReadModelValues();
};
