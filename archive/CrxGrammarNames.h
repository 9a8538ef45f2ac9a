#pragma once

// Element, attribute and fixed text names of the archive XML. Names are
// matched by local name, case-sensitively.

namespace crxname {

inline constexpr char kCrxparse[] = "crxparse";
inline constexpr char kFileinfo[] = "fileinfo";
inline constexpr char kMachinetype[] = "machinetype";
inline constexpr char kCrxver[] = "crxver";
inline constexpr char kRegver[] = "regver";
inline constexpr char kSystem[] = "system";
inline constexpr char kPackage[] = "package";
inline constexpr char kDatainfo[] = "datainfo";
inline constexpr char kDbinfo[] = "dbinfo";
inline constexpr char kTabinfo[] = "tabinfo";
inline constexpr char kRecinfo[] = "recinfo";
inline constexpr char kDatarec[] = "datarec";
inline constexpr char kBaserec[] = "baserec";

inline constexpr char kDbname[] = "dbname";
inline constexpr char kTabname[] = "tabname";
inline constexpr char kMainte[] = "mainte";
inline constexpr char kRenew[] = "renew";
inline constexpr char kDel[] = "del";
inline constexpr char kDatatype[] = "datatype";

inline constexpr char kTypeText[] = "text";
inline constexpr char kTypeCode[] = "code";
inline constexpr char kTypeFile[] = "file";
inline constexpr char kTypeHex[] = "hex";

inline constexpr char kSettingDbName[] = "SETTING";
inline constexpr char kCustomerDbName[] = "CUSTOMER";

// Suffix of the shadow table that a diff-base import fills.
inline constexpr char kBaseShadowSuffix[] = "_BASE_Tovanel";
// Suffixes of the shadow tables a difference export reads: the rows added or
// changed since the diff base, and the keys gone since.
inline constexpr char kNewShadowSuffix[] = "_NEW_Tovanel";
inline constexpr char kDelShadowSuffix[] = "_DEL_Tovanel";
// Every shadow table name ends with this; such tables are never exported.
inline constexpr char kShadowSuffix[] = "_Tovanel";

} // namespace crxname

// Data types of a column value element ("datatype").
enum CrxDataType {
    CRX_DATA_NONE = 0,
    CRX_DATA_TEXT = 1,
    CRX_DATA_CODE = 2,
    CRX_DATA_FILE = 3,
    CRX_DATA_HEX = 4
};

// Import modes.
enum CrxImportMode { CRX_IMPORT_NORMAL = 0, CRX_IMPORT_DIFFBASE = 1 };
