#include "archive/CCrxDirEnv.h"

#include "platform/IniProfile.h"

#include <tuple>

CrxResult CCrxDirEnv::Init(const QString& baseFolder)
{
    *this = CCrxDirEnv();
    if (baseFolder.isEmpty())
        return CRX_E_EMPTY_PATH;

    CCrxDirEnv env;
    env.m_strBaseFolder = baseFolder;
    const auto join = [](const QString& folder, const char* name, QString& out) {
        return JoinPath(folder, QString::fromLatin1(name), out);
    };
    CrxResult rc = CRX_OK;
    for (const auto& [folder, name, out] :
         {std::tuple{&env.m_strBaseFolder, kSettingDbName, &env.m_strSettingDb},
          std::tuple{&env.m_strBaseFolder, kUnpackFolderName, &env.m_strUnpackFolder},
          std::tuple{&env.m_strUnpackFolder, kDataXmlName, &env.m_strDataXml},
          std::tuple{&env.m_strUnpackFolder, kBlobFolderName, &env.m_strBlobFolder},
          std::tuple{&env.m_strUnpackFolder, kSettingSchemaName, &env.m_strUnpackedSchema},
          std::tuple{&env.m_strBaseFolder, kSettingSchemaName, &env.m_strBaseSchema},
          std::tuple{&env.m_strUnpackFolder, kMediaFolderName, &env.m_strUnpackedMedia},
          std::tuple{&env.m_strBaseFolder, kMediaFolderName, &env.m_strBaseMedia},
          std::tuple{&env.m_strBaseFolder, kCustomerDbName, &env.m_strCustomerDb},
          std::tuple{&env.m_strUnpackFolder, kCustomerSchemaName, &env.m_strUnpackedCustomerSchema},
          std::tuple{&env.m_strBaseFolder, kCustomerSchemaName, &env.m_strBaseCustomerSchema}}) {
        rc = join(*folder, name, *out);
        if (rc != CRX_OK)
            return rc;
    }
    env.m_strStampIni = env.m_strSettingDb + QLatin1String(kStampIniSuffix);
    *this = env;
    return CRX_OK;
}

const char* CCrxDirEnv::StampKey(int kind)
{
    switch (kind) {
    case CRX_STAMP_IMPORT:
        return kStampImportKey;
    case CRX_STAMP_EXPORT:
        return kStampExportKey;
    default:
        return nullptr;
    }
}

QString CCrxDirEnv::FormatStamp(const CrxTime& t)
{
    return QString::asprintf("%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day, t.hour,
                             t.minute, t.second);
}

bool CCrxDirEnv::ParseStamp(const QString& text, CrxTime& time)
{
    time = CrxTime{};
    const auto digits = [&text](int from, int count, int& out) {
        if (text.size() < from + count)
            return false;
        int value = 0;
        for (int i = from; i < from + count; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                return false;
            value = value * 10 + (c - u'0');
        }
        out = value;
        return true;
    };
    CrxTime parsed;
    if (!digits(0, 4, parsed.year) || !digits(5, 2, parsed.month) || !digits(8, 2, parsed.day) ||
        !digits(11, 2, parsed.hour) || !digits(14, 2, parsed.minute) ||
        !digits(17, 2, parsed.second))
        return false;
    time = parsed;
    return true;
}

CrxResult CCrxDirEnv::WriteTimestamp(int kind, const CrxTime& time) const
{
    if (m_strStampIni.isEmpty())
        return CRX_E_EMPTY_PATH;
    const char* key = StampKey(kind);
    if (!key)
        return CRX_E_STAMP_KIND;
    return platform::IniProfile::writeString(m_strStampIni, QLatin1String(kStampSection),
                                             QLatin1String(key), FormatStamp(time))
               ? CRX_OK
               : CRX_E_INI_WRITE;
}

CrxResult CCrxDirEnv::ReadTimestamp(int kind, CrxTime& time) const
{
    time = CrxTime{};
    if (m_strStampIni.isEmpty())
        return CRX_E_EMPTY_PATH;
    const char* key = StampKey(kind);
    if (!key)
        return CRX_E_STAMP_KIND;
    const QString text = platform::IniProfile::readString(
        m_strStampIni, QLatin1String(kStampSection), QLatin1String(key), QString());
    return ParseStamp(text, time) ? CRX_OK : CRX_E_STAMP_FORMAT;
}
