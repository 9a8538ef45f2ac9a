#include "monitor/TelopFile.h"

#include "monitor/SignageFolder.h"

#include "platform/AtomicFile.h"

#include <QFile>
#include <QRegularExpression>

namespace mervolt {

namespace {

constexpr qsizetype kTelopReadBytes = 1024;

QString TelopFolderAndNumber(const QString& key, QString* number)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(idle|transaction)_telop([1-5])_file$"));
    const QRegularExpressionMatch match = pattern.match(key);
    if (!match.hasMatch())
        return {};
    if (number)
        *number = match.captured(2);
    return match.captured(1) == u"idle" ? signage::FullTelop : signage::HalfTelop;
}

} // namespace

QString TelopFolderOf(const QString& key)
{
    return TelopFolderAndNumber(key, nullptr);
}

QString DefaultTelopFileName(const QString& key)
{
    QString number;
    const QString folder = TelopFolderAndNumber(key, &number);
    return folder.isEmpty() ? QString() : folder + number + QStringLiteral(".txt");
}

QString TelopFileNameOf(const QString& key, const QString& value)
{
    return IsBareFileName(value) ? value : DefaultTelopFileName(key);
}

QString CreateDefaultTelopFile(const QString& key)
{
    const QString name = DefaultTelopFileName(key);
    if (name.isEmpty())
        return name;
    QFile file(GetSignagePath(signage::Temporary, TelopFolderOf(key)) + u'/' + name);
    // NewOnly leaves an existing file alone; a failure is of no consequence.
    if (file.open(QIODevice::WriteOnly | QIODevice::NewOnly))
        file.close();
    return name;
}

QString ReadTelopFile(const QString& folder, const QString& file)
{
    if (!IsBareFileName(file))
        return {};
    QFile in(GetSignageFilePath(folder, file));
    if (!in.open(QIODevice::ReadOnly))
        return {};
    // Each byte kept needs at most two read (CR LF).
    QByteArray bytes = in.read(2 * kTelopReadBytes + 1);
    bytes.replace("\r\n", "\n");
    bytes.truncate(kTelopReadBytes);
    // A character cut at the limit is dropped rather than shown as garbage.
    qsizetype end = bytes.size();
    qsizetype lead = end;
    while (lead > 0 && (uchar(bytes[lead - 1]) & 0xC0) == 0x80 && end - lead < 3)
        --lead;
    if (lead > 0) {
        const uchar first = uchar(bytes[lead - 1]);
        const int need = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
        if (need > 1 && end - (lead - 1) < need)
            bytes.truncate(lead - 1);
    }
    return QString::fromUtf8(bytes);
}

bool WriteTelopFile(const QString& folder, const QString& file, const QString& text)
{
    if (!IsBareFileName(file))
        return false;
    QByteArray bytes = text.toUtf8();
    bytes.replace("\r\n", "\n");
    bytes.replace("\n", "\r\n");
    return platform::writeFileAtomically(GetSignageFilePath(folder, file), bytes);
}

} // namespace mervolt
