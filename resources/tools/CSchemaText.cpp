#include "CSchemaText.h"

#include <QFile>

bool CSchemaText::Read(const QString& path)
{
    m_statements.clear();
    m_rest.clear();
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QString buffer;
    while (!file.atEnd()) {
        QByteArray line = file.readLine();
        while (line.endsWith('\n') || line.endsWith('\r'))
            line.chop(1);
        buffer += QString::fromLatin1(line);
        buffer += QLatin1Char('\n');
        qsizetype end;
        while ((end = buffer.indexOf(QLatin1Char(';'))) >= 0) {
            m_statements << buffer.left(end + 1);
            buffer.remove(0, end + 1);
        }
    }
    m_rest = buffer;
    return file.error() == QFileDevice::NoError;
}
