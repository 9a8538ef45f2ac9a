#pragma once

// Result codes of the preference file's reader and writer; 0 is success.
// The numbers are kept as the register tools have always shown them.

namespace mervolt {

using MonXMLResult = unsigned int;

constexpr MonXMLResult MON_XML_OK = 0;
constexpr MonXMLResult MON_E_NOMEMORY = 0xE1000002;
constexpr MonXMLResult MON_E_PATH = 0xE1000005;
// The XML reader could not be created; kept for its number, never produced
// (the reader is part of the program).
constexpr MonXMLResult MON_E_NO_READER = 0xE1000006;
constexpr MonXMLResult MON_E_OPEN_EXCEPTION = 0xE1000007;
constexpr MonXMLResult MON_E_PARSE_EXCEPTION = 0xE1000008;
constexpr MonXMLResult MON_E_ATTR_NO_NAME = 0xE100000F;
constexpr MonXMLResult MON_E_ELEMENT_EMPTY = 0xE1000010;
constexpr MonXMLResult MON_E_ELEMENT_STACK = 0xE1000011;
constexpr MonXMLResult MON_E_SAX_ERROR = 0xE1000014;
constexpr MonXMLResult MON_E_SAX_FATAL = 0xE1000015;
constexpr MonXMLResult MON_E_CREATE_FILE = 0xE1000016;
constexpr MonXMLResult MON_E_WRITE_FILE = 0xE1000017;
constexpr MonXMLResult MON_E_CONVERT = 0xE1000018;
constexpr MonXMLResult MON_E_NOT_OPEN = 0xE1000019;
constexpr MonXMLResult MON_E_NO_OPEN_ELEMENT = 0xE100001A;
constexpr MonXMLResult MON_E_ATTR_EMPTY = 0xE100001B;
constexpr MonXMLResult MON_E_ELEMENT_NAME = 0xE100001C;
constexpr MonXMLResult MON_E_NO_NAME_ATTR = 0xE100001E;

} // namespace mervolt
