#pragma once

// Writes the archive XML as a stream: each line is converted to UTF-8 the
// moment it is complete and written in batches, so memory stays bounded by
// one batch and the names of the open elements, whatever the number of
// rows. Lines end with
// LF and are indented by one TAB per enclosing element.
//
// Operations return true on success; on failure LastError() holds the code
// and the caller stops. Nothing is ever written that an XML 1.0 reader would
// refuse: a character XML cannot carry, or a name that is no XML name, fails
// the operation instead.

#include "archive/CrxResult.h"

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QStringEncoder>

#include <utility>
#include <vector>

class CCrxcnvXmlWriter
{
public:
    explicit CCrxcnvXmlWriter(const QString& path);
    virtual ~CCrxcnvXmlWriter();
    CCrxcnvXmlWriter(const CCrxcnvXmlWriter&) = delete;
    CCrxcnvXmlWriter& operator=(const CCrxcnvXmlWriter&) = delete;

    // Creates (replaces) the file and writes the declaration line.
    bool Open();
    // Writes into memory instead, as if depth elements were open around
    // it: a part of a document made on another thread, taken by
    // TakeOutput() and handed to the file's writer by WriteLines().
    void OpenInMemory(int depth);
    // reuse, emptied, takes the output's place with its capacity: a writer
    // of many parts then allocates no buffer after the first.
    QByteArray TakeOutput(QByteArray reuse = QByteArray())
    {
        reuse.resize(0);
        return std::exchange(m_utf8, std::move(reuse));
    }
    // Flushes and closes; CRX_E_XML_NOT_OPEN without an open file.
    bool Close();
    bool IsOpen() const { return m_file.isOpen() || m_bMemory; }

    // Begins "<name"; the start tag stays open for attributes.
    bool StartElement(const QString& name);
    bool AddAttribute(const QString& name, const QString& value);
    // One line: "<name>value</name>".
    bool WriteSimpleElement(const QString& name, const QString& value);
    // A line of text, or with the inline switch on, text directly after the
    // start tag (a blob reference: start tag, reference and end tag on one
    // line).
    bool WriteText(const QString& text);
    // " />" when the element got no content, else its end tag.
    bool EndElement();
    // Whole lines another writer made in memory, as the content of the
    // open element (nothing for none).
    bool WriteLines(QByteArrayView utf8);

    void SetInline(bool on) { m_bInline = on; }
    // False when no element is open; name (when given) gets the innermost.
    bool TopName(QString* name) const;
    int Depth() const { return m_nOuterDepth + int(m_stack.size()); }
    CrxResult LastError() const { return m_nLastError; }
    // The code of a failed operation: the last error, else CRX_E_XML_WRITE.
    CrxResult FailureCode() const
    {
        return m_nLastError != CRX_OK ? m_nLastError : CRX_E_XML_WRITE;
    }

    // The escaped form of a value ("&", "<", ">", "'", '"' as entities, CR
    // dropped); false for a character XML 1.0 cannot carry.
    static bool Escape(QStringView text, QString& out);
    static bool IsXmlName(QStringView name);

    static constexpr const char* kDeclaration = "<?xml version='1.0' encoding='utf-8'?>";

private:
    struct OpenElement
    {
        QString name;
        bool startClosed = false;
    };

    bool Fail(CrxResult code);
    bool Begin();
    bool CloseStartTag();
    void StartLine(int depth);
    // The pending line into the batch.
    bool Flush();
    // The batch into the file.
    bool WriteBatch();
    // text as UTF-8 at out, which has room for three bytes a unit.
    char* PutUtf8(char* out, QStringView text);

    QString m_strPath;
    QFile m_file;
    std::vector<OpenElement> m_stack;
    QString m_strLine;
    // Reused for every line: a row of many values would otherwise allocate
    // for each value's escaped text and for each line's UTF-8.
    QString m_strEscaped;
    // UTF-8 lines not yet written.
    QByteArray m_utf8;
    QStringEncoder m_encoder{QStringEncoder::Utf8};
    CrxResult m_nLastError = CRX_OK;
    bool m_bInline = false;
    bool m_bMemory = false;
    int m_nOuterDepth = 0;
};
