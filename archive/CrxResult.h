#pragma once

// Result codes of the archive library: 0 for success, else one of these.
// The launcher shows every code but CRX_E_CANCELLED; the numbers are part of
// the interface and never change.

#include <QtGlobal>

#include <atomic>

using CrxResult = quint32;

constexpr CrxResult CRX_OK = 0;
constexpr CrxResult CRX_E_CANCELLED = 0xE0000001;
constexpr CrxResult CRX_E_OUTOFMEMORY = 0xE0000002;
constexpr CrxResult CRX_E_NO_ARCHIVE = 0xE0000003;
constexpr CrxResult CRX_E_NO_SETTINGDB = 0xE0000004;
constexpr CrxResult CRX_E_NO_DATAXML = 0xE0000005;
constexpr CrxResult CRX_E_NO_SAXREADER = 0xE0000006;
constexpr CrxResult CRX_E_EXCEPTION_SETUP = 0xE0000007;
constexpr CrxResult CRX_E_EXCEPTION_RUN = 0xE0000008;
constexpr CrxResult CRX_E_TOOL_PATH = 0xE0000009;  // kept for the numbering; packing is in-process
constexpr CrxResult CRX_E_TOOL_START = 0xE000000A; // kept for the numbering; packing is in-process
constexpr CrxResult CRX_E_PACK = 0xE000000B;
constexpr CrxResult CRX_E_UNPACK = 0xE000000C;
constexpr CrxResult CRX_E_NO_MODULE = 0xE000000D;
constexpr CrxResult CRX_E_WORK_FOLDER = 0xE000000E;
constexpr CrxResult CRX_E_ATTRIBUTE_NULL = 0xE000000F;
constexpr CrxResult CRX_E_ELEMENT_EMPTY = 0xE0000010;
constexpr CrxResult CRX_E_ELEMENT_STACK = 0xE0000011;
constexpr CrxResult CRX_E_SAX_ERROR = 0xE0000014;
constexpr CrxResult CRX_E_SAX_FATAL = 0xE0000015;
constexpr CrxResult CRX_E_XML_CREATE = 0xE0000016;
constexpr CrxResult CRX_E_XML_WRITE = 0xE0000017;
constexpr CrxResult CRX_E_XML_UTF8 = 0xE0000018;
constexpr CrxResult CRX_E_XML_NOT_OPEN = 0xE0000019;
constexpr CrxResult CRX_E_XML_STATE = 0xE000001A;
constexpr CrxResult CRX_E_XML_ATTR_NAME = 0xE000001B;
constexpr CrxResult CRX_E_XML_ELEMENT_NAME = 0xE000001C;
constexpr CrxResult CRX_E_REPLACE_TARGET = 0xE000001D;
constexpr CrxResult CRX_E_NO_ATTRIBUTE = 0xE000001E;
constexpr CrxResult CRX_E_TABLE_INFO = 0xE000001F;
constexpr CrxResult CRX_E_KEY_COUNT = 0xE0000020;
constexpr CrxResult CRX_E_PREPARE_WRITE = 0xE0000021;
constexpr CrxResult CRX_E_NO_WRITE_STMT = 0xE0000022;
constexpr CrxResult CRX_E_WRITE_ROW = 0xE0000023;
constexpr CrxResult CRX_E_DB_OPEN = 0xE0000024;
constexpr CrxResult CRX_E_NO_STATEMENT = 0xE0000025;
constexpr CrxResult CRX_E_PATH_TOO_LONG = 0xE0000026;
constexpr CrxResult CRX_E_PREPARE_READ = 0xE0000027;
constexpr CrxResult CRX_E_NO_READ_STMT = 0xE0000028;
constexpr CrxResult CRX_E_PREPARE_BLOB = 0xE0000029;
constexpr CrxResult CRX_E_NO_BLOB_STMT = 0xE000002A;
constexpr CrxResult CRX_E_READ_ROWS = 0xE000002B;
constexpr CrxResult CRX_E_READ_BLOB = 0xE000002C;
constexpr CrxResult CRX_E_NO_DB = 0xE000002D;
constexpr CrxResult CRX_E_TABLE_LIST = 0xE000002E;
constexpr CrxResult CRX_E_NO_TABLES = 0xE000002F;
constexpr CrxResult CRX_E_TABLE_INDEX = 0xE0000030;
constexpr CrxResult CRX_E_SHORT_ROW = 0xE0000031;
constexpr CrxResult CRX_E_BEGIN_TRANSACTION = 0xE0000033;
constexpr CrxResult CRX_E_COMMIT = 0xE0000034;
constexpr CrxResult CRX_E_CLOSE_DB = 0xE0000035;
constexpr CrxResult CRX_E_EMPTY_PATH = 0xE0000036;
constexpr CrxResult CRX_E_STAMP_KIND = 0xE0000037;
constexpr CrxResult CRX_E_STAMP_FORMAT = 0xE0000038;
constexpr CrxResult CRX_E_INI_WRITE = 0xE0000039;
constexpr CrxResult CRX_E_FILE_ACCESS = 0xE000003A;
constexpr CrxResult CRX_E_DELETE_FOLDER = 0xE000003B;
constexpr CrxResult CRX_E_CREATE_FOLDER = 0xE000003C;
constexpr CrxResult CRX_E_EXTRA_FILE = 0xE000003D;
constexpr CrxResult CRX_E_EXTRA_COPY = 0xE000003E;
// A table chosen for an import that the archive carries only as rows to add
// or update, or as a difference (no mainte="renew"): emptying it would lose
// every row the archive does not carry.
constexpr CrxResult CRX_E_PARTIAL_TABLE = 0xE0000040;
constexpr CrxResult CRX_E_SCHEMA_COPY = 0xE0000041;
constexpr CrxResult CRX_E_DB_COPY = 0xE0000042;
constexpr CrxResult CRX_E_DELETE_ROWS = 0xE0000043;
// A file whose name the archive cannot carry so that an open reads it back
// as it stands (0xE0000044 is the launcher's own).
constexpr CrxResult CRX_E_MEMBER_NAME = 0xE0000045;

// The caller's abort flag: written by the window thread, read here; only
// bit 0 counts. A null flag means the call cannot be aborted.
using CrxAbortFlag = std::atomic<int>;

inline bool CrxAborted(const CrxAbortFlag* flag)
{
    return flag && (flag->load(std::memory_order_relaxed) & 1) != 0;
}
