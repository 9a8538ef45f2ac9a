#pragma once

#include <QImage>
#include <QString>

// The one way the suite decodes a picture file: the format from the content
// (never from the name), at most kMaxImageSide pixels a side and
// kImageAllocationLimitMb of memory, so a hostile or broken file is refused
// before it is decoded. False leaves image null.
constexpr int kMaxImageSide = 16384;
constexpr int kImageAllocationLimitMb = 256;

bool ReadImageFile(const QString& path, QImage& image);
