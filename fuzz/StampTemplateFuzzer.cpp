// The stamp template reader on arbitrary bytes: it must read or refuse,
// never crash or read past the input. A picture it read, written again as
// a template, reads back to the same pixels.
#include "images/StampTemplate.h"

#include <QByteArray>
#include <QImage>

#include <cstdio>
#include <cstdlib>

namespace {

void Require(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "stamp template: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(size));
    const QString kind = pellark::kStampTemplateKind;
    QImage image;
    if (!pellark::ReadStampTemplateBytes(bytes, kind, image)) {
        Require(image.isNull(), "a refused file left a picture");
        return 0;
    }
    Require(!image.isNull() && image.width() > 0 && image.height() > 0, "an empty picture");
    QImage back;
    Require(
        pellark::ReadStampTemplateBytes(pellark::MakeStampTemplate(image, 24, kind), kind, back),
        "its own template is refused");
    Require(back.size() == image.size(), "the size changed");
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            Require((back.pixel(x, y) & 0xFFFFFF) == (image.pixel(x, y) & 0xFFFFFF),
                    "a pixel changed");
    return 0;
}
