#pragma once

#include <QByteArray>
#include <QImage>
#include <QList>
#include <QString>

// Stamp template files (".dat"): a 128-byte head ("CSTAMP", NUL, the kind,
// NUL, zeros), then a whole BMP file of 1, 4, 8 or 24 bits without
// compression.
namespace pellark {

constexpr int kStampTemplateHeadSize = 128;
// The kind of the templates the stamp pages offer.
inline const QString kStampTemplateKind = QStringLiteral("000");

// The template's picture: indexed with the file's colour table for 1, 4 and
// 8 bits, RGB for 24. False for a file that is not a whole template of the
// kind.
bool ReadStampTemplate(const QString& path, const QString& kind, QImage& image);
bool ReadStampTemplateBytes(const QByteArray& bytes, const QString& kind, QImage& image);

// The bytes of a template of the kind. bitCount 1, 4 or 8 takes an indexed
// picture with at most 2, 16 or 256 colours; 24 any picture.
QByteArray MakeStampTemplate(const QImage& image, int bitCount, const QString& kind);

// The templates of the install folder's "Template" + subFolder (e.g.
// "/LOGO/"), files "*.dat" in the order of their full paths without regard
// to case; a file that cannot be read is left out silently.
QList<QImage> LoadStampTemplates(const QString& subFolder, const QString& kind);

} // namespace pellark
