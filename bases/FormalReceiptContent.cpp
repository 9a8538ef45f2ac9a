#include "bases/FormalReceiptContent.h"

#include "bases/CRyoushuuCanvas.h"
#include "bases/CYokoRyoushuCanvas.h"
#include "bases/FormalReceiptSamples.h"
#include "bases/ReceiptText.h"

#include <QImage>

namespace dunmarel {

namespace {

constexpr int kTall = 3;
constexpr int kHorizontalColumns = 32;

} // namespace

QString CutFormalText(const QString& text, int columns, bool indent)
{
    QString cut;
    int used = 0;
    for (char32_t ch : text.toUcs4()) {
        const int need = IsFullWidthChar(ch) ? 2 : 1;
        if (used + need > columns)
            break;
        cut += QString::fromUcs4(&ch, 1);
        used += need;
    }
    return indent ? QStringLiteral("    ") + cut : cut;
}

QStringList FormalMessageBlock(const FormalReceiptInput& input)
{
    const int columns = input.paper58 ? 32 : 40;
    const bool indent = !input.paper58;
    QStringList block;
    if (!input.title.isEmpty())
        block << CutFormalText(input.title, columns, indent);
    bool any = false;
    for (const QString& message : input.messages)
        any = any || !message.isEmpty();
    if (any)
        for (const QString& message : input.messages)
            block << CutFormalText(message, columns, indent);
    return block;
}

FormalReceiptContent BuildVerticalFormalReceipt(const FormalReceiptInput& input)
{
    const FormalReceiptSamples& samples = VerticalSamples(input.paper58);
    FormalReceiptContent content;
    const int i = input.stampOn && input.stampImage.isValid() ? input.stampImage.height() / 14 : 0;
    QStringList tax = samples.tax;
    if (input.breakdown)
        tax += samples.breakdown;
    tax += samples.proviso;
    const QStringList messages = FormalMessageBlock(input);
    content.stampLines = i;
    content.lineCount = i + 2 * int(samples.date.size()) + 2 * int(tax.size()) + 20 +
                        2 * int(messages.size()) + 2 * int(samples.revenueStamp.size());
    const int addressee = i + 10 + 2 * int(samples.date.size());
    const int taxLine = addressee + 10;
    const int messageLine = taxLine + 2 * int(tax.size());
    const int revenueLine = messageLine + 2 * int(messages.size());
    content.texts = {
        {i + 2, {samples.title[input.titleWord == 1 ? 1 : 0]}, kTall, 1, 0},
        {i + 8, samples.date, 0, 0, 0},
        {addressee, {samples.addressee}, kTall, 1, 0},
        {addressee + 4, {samples.amount}, kTall, 1, 0},
        {taxLine, tax, 0, 0, 0},
        {messageLine, messages, 0, 0, 0},
        {revenueLine, samples.revenueStamp, 0, 0, 0},
    };
    return content;
}

bool DrawVerticalFormalReceipt(const FormalReceiptContent& content, CRyoushuuCanvas& canvas,
                               const QImage& stamp)
{
    if (!canvas.Create(content.lineCount))
        return false;
    if (content.stampLines > 0)
        canvas.DrawImageAtTop(stamp);
    constexpr int kLeft = 2;
    for (const FormalTextDraw& text : content.texts) {
        if (text.line >= canvas.Lines())
            continue;
        for (qsizetype k = 0; k < text.lines.size(); ++k)
            canvas.DrawText(text.line + 2 * int(k), text.lines[k], text.sizeKind, text.doubleWidth,
                            kLeft);
    }
    return true;
}

HorizontalFormalReceipt BuildHorizontalFormalReceipt(const FormalReceiptInput& input,
                                                     bool hasLeftLogo, bool hasRightLogo)
{
    HorizontalFormalReceipt form;
    const QStringList& lines = HorizontalSampleLines();
    for (qsizetype k = 0; k < lines.size(); ++k)
        form.texts.push_back({2 * int(k), {lines[k]}, 0, 0, 0});
    using H = HorizontalFormalReceipt;
    form.pictures.push_back({H::SEAL_RIGHT, 70, 4}); // (1004, 158)
    form.pictures.push_back({H::SEAL_LEFT, 0, 7});   // (24, 254)
    form.texts.push_back({17, {QStringLiteral(u"収入印紙")}, 0, 0, 0});
    form.texts.push_back(
        {0,
         {input.titleWord == 1 ? QStringLiteral(u"領  収  証") : QStringLiteral(u"領  収  書")},
         kTall,
         0,
         26});
    form.texts.push_back({4, {QStringLiteral(u"様")}, kTall, 0, 48});
    form.texts.push_back({8, {QStringLiteral(u"  ￥８６，０００－")}, kTall, 0, 16});
    if (input.logo) {
        if (hasLeftLogo)
            form.pictures.push_back({H::LOGO_LEFT, 12, 8});
        if (hasRightLogo)
            form.pictures.push_back({H::LOGO_RIGHT, 44, 8});
    } else {
        form.texts.push_back(
            {18, {CutFormalText(input.title, kHorizontalColumns, false)}, 1, 0, 8});
        for (int k = 0; k < 3; ++k)
            form.texts.push_back({16 + 2 * k,
                                  {CutFormalText(input.messages[k], kHorizontalColumns, false)},
                                  0,
                                  0,
                                  44});
    }
    return form;
}

bool DrawHorizontalFormalReceipt(const HorizontalFormalReceipt& form, CYokoRyoushuCanvas& canvas,
                                 const QImage (&pictures)[HorizontalFormalReceipt::PICTURE_COUNT])
{
    if (!canvas.Create())
        return false;
    for (const FormalTextDraw& text : form.texts)
        canvas.DrawText(text.line, text.lines.value(0), text.sizeKind, text.column);
    for (const HorizontalFormalReceipt::Picture& picture : form.pictures)
        canvas.DrawImage(picture.column, picture.row, pictures[picture.which]);
    for (int line : form.underlines)
        canvas.Underline(line);
    return true;
}

} // namespace dunmarel
