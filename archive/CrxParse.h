#pragma once

// Parsing an archive's XML into a document's grammar: the reading engine
// (CrxContent) fed by the SAX reader, from a file or straight from the
// archive as it is decompressed.

#include "archive/CrxResult.h"

#include <QString>

class CCrxDirEnv;
class ICrxDocument;

// Parses the file at path into the document's grammar. The result is
// the document's recorded error afterwards. A DOCTYPE is refused
// (CRX_E_SAX_FATAL): archives are untrusted and carry none.
CrxResult CrxParseFile(ICrxDocument& document, const QString& path);
// The archive XML of an unpack folder: read from the archive as it is
// decompressed where the unpack left only its stand-in (an empty file),
// else from the file. Also CRX_E_UNPACK, CRX_E_CANCELLED or
// CRX_E_NO_DATAXML from the archive.
CrxResult CrxParseDataXml(ICrxDocument& document, const CCrxDirEnv& env,
                          const QString& archivePath);
