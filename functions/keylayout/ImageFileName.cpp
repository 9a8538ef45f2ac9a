#include "functions/keylayout/ImageFileName.h"

#include <QFileInfo>

namespace kesmond {

QString MakeImageFileName(int& counter, const QDateTime& utc)
{
    counter = counter >= 99 ? 0 : counter + 1;
    const QDate date = utc.date();
    const QTime time = utc.time();
    return QString::asprintf("%04d%02d%02d%02d%02d%02d%02d%02d", date.year(), date.month(),
                             date.day(), time.hour(), time.minute(), time.second(), time.msec(),
                             counter);
}

QString ImageFileExtension(const QString& fileName)
{
    const qsizetype slash =
        std::max(fileName.lastIndexOf(QLatin1Char('/')), fileName.lastIndexOf(QLatin1Char('\\')));
    const QString last = fileName.mid(slash + 1);
    const qsizetype dot = last.lastIndexOf(QLatin1Char('.'));
    if (dot < 0)
        return QString();
    const QString extension = last.mid(dot + 1);
    if (extension.isEmpty() || extension.size() > 8)
        return QString();
    for (const QChar c : extension)
        if (c.unicode() > 127 || !c.isLetterOrNumber())
            return QString();
    return QLatin1Char('.') + extension;
}

QString NewImageFileBase(const QString& folder, int& counter, const QString& extension)
{
    // A name is never used twice: after 100 names in one millisecond the
    // counter repeats, so a name whose files exist is formed again.
    for (;;) {
        const QString base =
            folder + QLatin1Char('/') + MakeImageFileName(counter, QDateTime::currentDateTimeUtc());
        if (!QFileInfo::exists(base + extension) &&
            !QFileInfo::exists(ChunkFilePath(base, extension)))
            return base;
    }
}

QString ChunkFilePath(const QString& base, const QString& extension)
{
    // An image stored as ".dat" must not share its file with its chunk.
    if (extension.compare(QLatin1String(".dat"), Qt::CaseInsensitive) == 0)
        return base + QStringLiteral("c.dat");
    return base + QStringLiteral(".dat");
}

} // namespace kesmond
