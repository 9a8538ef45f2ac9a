#pragma once

// The tables of an archive's XML as a test reads them back.

#include <QList>
#include <QMap>
#include <QString>
#include <QXmlStreamReader>

#include <gtest/gtest.h>

namespace tovanel::test {

// One "tabinfo" of an archive: its "mainte", and per "recinfo" (by its
// "mainte", "" for rows) the records, each as its value elements.
struct TableSection
{
    QString mainte;
    QMap<QString, QList<QMap<QString, QString>>> records;
};

inline QMap<QString, TableSection> ParseTables(const QByteArray& xml)
{
    QMap<QString, TableSection> tables;
    QXmlStreamReader reader(xml);
    QString table;
    QString recinfo;
    QMap<QString, QString> record;
    QString recordName;
    while (!reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement()) {
            const QString name = reader.name().toString();
            if (name == "tabinfo") {
                table = reader.attributes().value("tabname").toString();
                tables[table].mainte = reader.attributes().value("mainte").toString();
            } else if (name == "recinfo") {
                recinfo = reader.attributes().value("mainte").toString();
                tables[table].records[recinfo];
            } else if (name == "datarec" || name == "baserec") {
                recordName = name;
                record.clear();
            } else if (!recordName.isEmpty()) {
                record[name] = reader.readElementText();
            }
        } else if (reader.isEndElement() && reader.name().toString() == recordName) {
            tables[table].records[recinfo] << record;
            recordName.clear();
        }
    }
    EXPECT_FALSE(reader.hasError()) << reader.errorString().toStdString();
    return tables;
}

} // namespace tovanel::test
