#pragma once

// Streams Preference.xml line by line in UTF-8. The file is written beside
// its target and renamed over it by Close, so a failed or abandoned write
// leaves the old file whole. Nothing is written that an XML 1.0 reader
// would refuse: a character XML cannot carry fails with MON_E_CONVERT.
//
// Every operation clears the error code, sets it on failure and returns
// false then.

#include "monitor/MonXMLResult.h"

#include <QSaveFile>
#include <QString>

#include <vector>

namespace mervolt {

class CMonXMLcnvXmlWriter
{
public:
    explicit CMonXMLcnvXmlWriter(const QString& path);
    virtual ~CMonXMLcnvXmlWriter();
    CMonXMLcnvXmlWriter(const CMonXMLcnvXmlWriter&) = delete;
    CMonXMLcnvXmlWriter& operator=(const CMonXMLcnvXmlWriter&) = delete;

    // Starts the file and writes the declaration line.
    bool Open();
    // Puts the finished file in place.
    bool Close();
    // "<name", left open for attributes.
    bool StartElement(const QString& name);
    bool AddAttribute(const QString& name, const QString& value);
    // The escaped text on a line of its own (nothing for an empty text).
    bool WriteText(const QString& text);
    // " />" after a start tag still open, else "</name>".
    bool EndElement();
    // Whether each flushed line ends with LF.
    void SetNewline(bool on) { m_bNewline = on; }

    MonXMLResult GetError() const { return m_nError; }

    // "&", "<", ">", '"' and "'" as entities, CR dropped; in an attribute
    // value TAB and LF as character references, so they read back as they
    // were. False for a character XML 1.0 cannot carry.
    static bool Escape(QStringView text, bool attribute, QString& out);

    static constexpr const char* kDeclaration =
        "<?xml version=\"1.0\" encoding=\"utf-8\" standalone=\"yes\"?>";

private:
    struct OpenElement
    {
        QString name;
        bool startClosed = false;
    };

    bool Fail(MonXMLResult code);
    bool CloseStartTag();
    bool Flush();

    QString m_strPath;
    QSaveFile m_file;
    std::vector<OpenElement> m_open;
    QString m_strLine;
    QString m_strEscaped;
    MonXMLResult m_nError = MON_XML_OK;
    bool m_bNewline = true;
};

} // namespace mervolt
