#include "shared/data/ReadImageFile.h"

#include <QImageReader>

bool ReadImageFile(const QString& path, QImage& image)
{
    image = QImage();
    QImageReader::setAllocationLimit(kImageAllocationLimitMb);
    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    if (!reader.canRead())
        return false;
    const QSize size = reader.size();
    // A reader that cannot tell the size beforehand still meets the
    // allocation limit and the check after decoding.
    if (size.isValid() && (size.width() > kMaxImageSide || size.height() > kMaxImageSide))
        return false;
    QImage decoded;
    if (!reader.read(&decoded) || decoded.isNull())
        return false;
    if (decoded.width() > kMaxImageSide || decoded.height() > kMaxImageSide)
        return false;
    image = decoded;
    return true;
}
