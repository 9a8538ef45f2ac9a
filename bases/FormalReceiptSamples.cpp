#include "bases/FormalReceiptSamples.h"

namespace dunmarel {

const FormalReceiptSamples& VerticalSamples(bool paper58)
{
    static const FormalReceiptSamples kPaper58 = {
        {QStringLiteral(u"2017年08月31日 (木) 領収No000018"),
         QStringLiteral(u"                    一連No000039")},
        {QStringLiteral(u"    税抜金額            \\78,182-"),
         QStringLiteral(u"    消費税合計           \\7,818-")},
        {QStringLiteral(u"    内税対象計          \\20,000-"),
         QStringLiteral(u"    内税                 \\1,818-"),
         QStringLiteral(u"    外税対象計          \\60,000-"),
         QStringLiteral(u"    外税                 \\6,000-")},
        {QStringLiteral(u"                                 "),
         QStringLiteral(u" (但し、                         "),
         QStringLiteral(u"  として正に領収致しました)      "),
         QStringLiteral(u"                        ┌    ┐"),
         QStringLiteral(u"                                "),
         QStringLiteral(u"                           印   "),
         QStringLiteral(u"                        └    ┘"),
         QStringLiteral(u"                                ")},
        {QStringLiteral(u"┌      ┐                      "),
         QStringLiteral(u"   収入                         "),
         QStringLiteral(u"   印紙                         "),
         QStringLiteral(u"└      ┘                      "),
         QStringLiteral(u"<>印刷面を内側に折って<>        "),
         QStringLiteral(u"<>保管してください<>            ")},
        {QStringLiteral(u"   領  収  書"), QStringLiteral(u"   領  収  証")},
        QStringLiteral(u"              様"),
        QStringLiteral(u"￥８６，０００－"),
    };
    static const FormalReceiptSamples kPaper80 = {
        {QStringLiteral(u"2017年08月31日 (木)         領収No000018"),
         QStringLiteral(u"                            一連No000039")},
        {QStringLiteral(u"    税抜金額                \\78,182-    "),
         QStringLiteral(u"    消費税合計               \\7,818-    ")},
        {QStringLiteral(u"      内税対象計            \\20,000-    "),
         QStringLiteral(u"      内税                   \\1,818-    "),
         QStringLiteral(u"      外税対象計            \\60,000-    "),
         QStringLiteral(u"      外税                   \\6,000-    ")},
        {QStringLiteral(u"                                ┌    ┐"),
         QStringLiteral(u" (但し、                                "),
         QStringLiteral(u"  として正に領収致しました)        印   "),
         QStringLiteral(u"                                └    ┘"),
         QStringLiteral(u"                                        ")},
        {QStringLiteral(u"┌      ┐                              "),
         QStringLiteral(u"   収入                                 "),
         QStringLiteral(u"   印紙                                 "),
         QStringLiteral(u"└      ┘                              "),
         QStringLiteral(u"<>印刷面を内側に折って保管してください<>")},
        {QStringLiteral(u"     領  収  書"), QStringLiteral(u"     領  収  証")},
        QStringLiteral(u"                様"),
        QStringLiteral(u"  ￥８６，０００－"),
    };
    return paper58 ? kPaper58 : kPaper80;
}

const QStringList& HorizontalSampleLines()
{
    static const QStringList lines = {
        QStringLiteral(
            u"2017年08月31日 (木)                                        一連No000128     "),
        QStringLiteral(
            u"                                                           領収No000025     "),
        QStringLiteral(
            u"                                                                            "),
        QStringLiteral(
            u"                                                                            "),
        QStringLiteral(
            u"                                                           税抜金額         "),
        QStringLiteral(
            u"                                                           \\78,182-     印  "),
        QStringLiteral(
            u"                (但し                     として           消費税等         "),
        QStringLiteral(
            u"                              正に領収致しました)           \\7,818-         "),
        QStringLiteral(
            u"                                                                            "),
        QStringLiteral(
            u"                                                                            "),
        QStringLiteral(
            u"                                                                            "),
        QStringLiteral(
            u"                                            印刷面を内側に折って保管願います")};
    return lines;
}

} // namespace dunmarel
