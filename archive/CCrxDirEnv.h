#pragma once

// The paths derived from one base folder (the folder of the work database)
// and the time stamps of the archive last read and written.

#include "archive/CrxFileOps.h"
#include "archive/CrxResult.h"

#include <QString>

enum CrxStampKind { CRX_STAMP_IMPORT = 1, CRX_STAMP_EXPORT = 2 };

class CCrxDirEnv
{
public:
    CCrxDirEnv() = default;
    virtual ~CCrxDirEnv() = default;

    // 0, CRX_E_EMPTY_PATH (empty base folder) or CRX_E_PATH_TOO_LONG.
    CrxResult Init(const QString& baseFolder);
    bool IsInitialised() const { return !m_strBaseFolder.isEmpty(); }

    const QString& BaseFolder() const { return m_strBaseFolder; }
    const QString& SettingDbPath() const { return m_strSettingDb; }
    const QString& UnpackFolder() const { return m_strUnpackFolder; }
    const QString& DataXmlPath() const { return m_strDataXml; }
    const QString& BlobFolder() const { return m_strBlobFolder; }
    const QString& StampIniPath() const { return m_strStampIni; }
    const QString& UnpackedSettingSchema() const { return m_strUnpackedSchema; }
    const QString& BaseSettingSchema() const { return m_strBaseSchema; }
    const QString& UnpackedMediaFolder() const { return m_strUnpackedMedia; }
    const QString& BaseMediaFolder() const { return m_strBaseMedia; }
    const QString& CustomerDbPath() const { return m_strCustomerDb; }
    const QString& UnpackedCustomerSchema() const { return m_strUnpackedCustomerSchema; }
    const QString& BaseCustomerSchema() const { return m_strBaseCustomerSchema; }

    // Key "IMPORT" (kind 1) or "EXPORT" (kind 2) of section "TIMESTAMP":
    // 0, CRX_E_EMPTY_PATH, CRX_E_STAMP_KIND or CRX_E_INI_WRITE.
    CrxResult WriteTimestamp(int kind, const CrxTime& time) const;
    // 0, CRX_E_EMPTY_PATH, CRX_E_STAMP_KIND or CRX_E_STAMP_FORMAT; the time
    // is all zero on any error.
    CrxResult ReadTimestamp(int kind, CrxTime& time) const;

    // The stamp text "YYYY/MM/DD hh:mm:ss"; Parse takes digits at fixed
    // places and accepts any separators.
    static QString FormatStamp(const CrxTime& time);
    static bool ParseStamp(const QString& text, CrxTime& time);

    static constexpr const char* kUnpackFolderName = "Quorvin";
    static constexpr const char* kSettingDbName = "SETTING.DB";
    static constexpr const char* kCustomerDbName = "CUSTOMER.DB";
    static constexpr const char* kDataXmlName = "Korvane_REG_DATA.xml";
    static constexpr const char* kBlobFolderName = "blob";
    static constexpr const char* kSettingSchemaName = "Schema.txt";
    static constexpr const char* kCustomerSchemaName = "CUSTOMER.txt";
    static constexpr const char* kMediaFolderName = "additionals";
    static constexpr const char* kStampSection = "TIMESTAMP";
    static constexpr const char* kStampImportKey = "IMPORT";
    static constexpr const char* kStampExportKey = "EXPORT";
    static constexpr const char* kStampIniSuffix = ".INI";

private:
    static const char* StampKey(int kind);

    QString m_strBaseFolder;
    QString m_strSettingDb;
    QString m_strUnpackFolder;
    QString m_strDataXml;
    QString m_strBlobFolder;
    QString m_strStampIni;
    QString m_strUnpackedSchema;
    QString m_strBaseSchema;
    QString m_strUnpackedMedia;
    QString m_strBaseMedia;
    QString m_strCustomerDb;
    QString m_strUnpackedCustomerSchema;
    QString m_strBaseCustomerSchema;
};
