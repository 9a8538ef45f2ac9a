#include "monitor/MediaFileChecks.h"

#include "goods/base/ProgramMessage.h"

#include "platform/LegacyCodePage.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/FormatLangText.h"

#include <QFileInfo>

#include <algorithm>

namespace mervolt {

namespace {

// The register keeps names in a 260-character buffer with its NUL.
constexpr qsizetype kMaxNameChars = 259;
constexpr qsizetype kMaxPathBytes = 260;
constexpr qint64 kMegabyte = 1024 * 1024;

bool RefuseChar(QWidget* parent, const QString& character)
{
    ShowProgramMessage(parent, "CRDS_MO_WARN_INVALIDCHAR", platform::MessageIcon::Warning,
                       platform::MessageButtons::Ok, character);
    return false;
}

bool IsWindowsForbidden(QChar c)
{
    return c.unicode() < 0x20 || QStringView(u"\\/:*?\"<>|").contains(c);
}

// The code point starting at i ("" for a lone low surrogate's partner).
QString CodePointAt(const QString& text, qsizetype i)
{
    if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
        return text.mid(i, 2);
    return text.mid(i, 1);
}

} // namespace

QString MediaFileNameOf(const QString& path)
{
    const qsizetype cut = std::max(path.lastIndexOf(u'/'), path.lastIndexOf(u'\\'));
    return path.mid(cut + 1);
}

QString MediaExtensionOf(const QString& fileName)
{
    const qsizetype dot = fileName.lastIndexOf(u'.');
    return dot < 0 ? QString() : fileName.mid(dot + 1);
}

bool CheckPermittedExtension(QWidget* parent, const QString& extension, const QString& permitted)
{
    const qsizetype length = permitted.size();
    qsizetype start = 0;
    qsizetype bar = permitted.indexOf(u'|');
    while (bar > 0 && start < length && bar < length) {
        if (QStringView(permitted)
                .mid(start, bar - start)
                .compare(extension, Qt::CaseInsensitive) == 0)
            return true;
        start = bar + 1;
        const qsizetype next = permitted.indexOf(u'|', start);
        if (next == start + 1)
            break;
        bar = next;
    }
    ShowProgramMessage(parent, "CRDS_MO_WRN_IGNORE_EXT", platform::MessageIcon::Warning);
    return false;
}

bool SplitPermitList(QWidget* parent, QStringList& out)
{
    out.clear();
    const QString list = GetLangString("CRDS_MO_SEL_PNGFILE_PERMIT");
    qsizetype start = 0;
    for (;;) {
        const qsizetype bar = list.indexOf(u'|', start);
        if (bar <= start)
            break;
        out << list.mid(start, bar - start);
        start = bar + 1;
    }
    if (out.isEmpty()) {
        ShowProgramMessage(parent, "CRDS_MO_WRN_IGNORE_EXT", platform::MessageIcon::Warning);
        return false;
    }
    return true;
}

bool CheckMediaFileName(QWidget* parent, const QString& fileName)
{
    for (const QChar mark : {QChar(u'#'), QChar(u'%')}) {
        if (fileName.contains(mark))
            return RefuseChar(parent, QString(mark));
    }
    for (const QChar c : fileName) {
        if (IsWindowsForbidden(c))
            return RefuseChar(parent, QString(c));
    }
    bool representable = true;
    const QByteArray legacy = platform::LegacyCodePage::encode(fileName, &representable);
    if (platform::LegacyCodePage::decode(legacy).size() >= kMaxNameChars) {
        ShowProgramMessage(parent, "CRDS_MO_WARN_NAMELEN", platform::MessageIcon::Warning);
        return false;
    }
    if (!representable) {
        for (qsizetype i = 0; i < fileName.size(); ++i) {
            const QString character = CodePointAt(fileName, i);
            bool ok = true;
            platform::LegacyCodePage::encode(character, &ok);
            if (!ok)
                return RefuseChar(parent, character);
            i += character.size() - 1;
        }
        return RefuseChar(parent, QStringLiteral("?"));
    }
    return true;
}

bool CheckMediaPathLength(QWidget* parent, const QString& path)
{
    // Characters the code page lacks count as the one byte they become.
    if (platform::LegacyCodePage::encode(path).size() + 1 < kMaxPathBytes)
        return true;
    ShowProgramMessage(parent, "CRDS_MO_WARN_NAMELEN", platform::MessageIcon::Warning);
    return false;
}

bool CheckMediaFileSize(QWidget* parent, const QString& path, qint64 sizeLimit)
{
    if (sizeLimit == 0)
        return true;
    const QFileInfo info(path);
    if (!info.exists())
        return false;
    if (info.size() <= sizeLimit)
        return true;
    ShowProgramMessage(parent, "CRDS_MO_WARN_SIZEBIG", platform::MessageIcon::Warning,
                       platform::MessageButtons::Ok, static_cast<long long>(sizeLimit / kMegabyte));
    return false;
}

} // namespace mervolt
