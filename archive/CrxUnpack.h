#pragma once

// Empties the unpack folder of a path set, unpacks the archive into it and
// checks that the archive XML came: 0, CRX_E_WORK_FOLDER, an unpack code
// (CRX_E_CANCELLED, CRX_E_UNPACK; the emptied unpack folder is then removed)
// or CRX_E_NO_DATAXML. The archive XML is not written: it goes to xmlSink as
// it is decompressed (read past when null), and an empty stand-in keeps its
// place, from which the contents import knows to read it from the archive
// again. The members after the XML may come from the archive's last blocks,
// the XML itself left undecoded; the contents import checks them as it
// reads the XML.

#include "archive/CrxResult.h"

#include <QString>

class CCrxDirEnv;
class ICrxMemberSink;

CrxResult CrxUnpackArchive(const CCrxDirEnv& env, const QString& archivePath,
                           const CrxAbortFlag* abort, ICrxMemberSink* xmlSink = nullptr);
