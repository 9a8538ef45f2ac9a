#include "platform/LegacyCodePage.h"

#include <gtest/gtest.h>

using platform::LegacyCodePage;

TEST(LegacyCodePage, Cp932ByDefaultBothWays)
{
    EXPECT_EQ(LegacyCodePage::name(), "CP932");
    // "ｱ" half-width katakana, "あ", "①" (a CP932 extension) and ASCII.
    const QByteArray bytes = "\xB1\x82\xA0\x87\x40,A1";
    const QString text = QString::fromUtf8("\uFF71\u3042\u2460,A1");
    bool ok = false;
    qsizetype bad = 99;
    EXPECT_EQ(LegacyCodePage::decode(bytes, &ok, &bad), text);
    EXPECT_TRUE(ok);
    EXPECT_EQ(bad, -1);
    EXPECT_EQ(LegacyCodePage::encode(text, &ok), bytes);
    EXPECT_TRUE(ok);
    EXPECT_EQ(LegacyCodePage::decode({}, &ok), QString());
    EXPECT_TRUE(ok);
}

TEST(LegacyCodePage, DecodeReportsTheFirstBadByte)
{
    struct Case
    {
        QByteArray bytes;
        qsizetype offset;
        QString text;
    };
    const Case cases[] = {
        {"AB\x81\x20"
         "C",
         2, QString::fromUtf8("AB\uFFFD C")},       // lead byte without a trail
        {"A\x82", 1, QString::fromUtf8("A\uFFFD")}, // cut off at the end
        {QByteArray("\x82\xA0\xFF\x81", 4), 2, QString::fromUtf8("\u3042\uFFFD\uFFFD")},
    };
    for (const Case& c : cases) {
        bool ok = true;
        qsizetype bad = -1;
        EXPECT_EQ(LegacyCodePage::decode(c.bytes, &ok, &bad), c.text) << c.bytes.toHex().data();
        EXPECT_FALSE(ok);
        EXPECT_EQ(bad, c.offset) << c.bytes.toHex().data();
    }
}

TEST(LegacyCodePage, EncodeReportsCharactersWithoutAForm)
{
    bool ok = true;
    EXPECT_EQ(LegacyCodePage::encode(QString::fromUtf8("a\u00E9b\U0001F600c"), &ok), "a?b?c");
    EXPECT_FALSE(ok);
}

TEST(LegacyCodePage, TheCodePageCanBeChosenOnce)
{
    EXPECT_FALSE(LegacyCodePage::setName("NO-SUCH-CODEPAGE"));
    EXPECT_FALSE(LegacyCodePage::setName(""));
    EXPECT_EQ(LegacyCodePage::name(), "CP932");
    ASSERT_TRUE(LegacyCodePage::setName("CP1252"));
    bool ok = false;
    EXPECT_EQ(LegacyCodePage::decode("\xE9\x80", &ok), QString::fromUtf8("\u00E9\u20AC"));
    EXPECT_TRUE(ok);
    EXPECT_EQ(LegacyCodePage::encode(QString::fromUtf8("\u00E9"), &ok), "\xE9");
    ASSERT_TRUE(LegacyCodePage::setName("CP932"));
}

TEST(LegacyCodePage, OneDecoderServesManyPieces)
{
    // A bad piece leaves the converter ready for the next one; pure ASCII and
    // mixed pieces read alike.
    platform::LegacyDecoder decoder;
    const struct
    {
        QByteArray bytes;
        bool ok;
        QString text;
    } pieces[] = {
        {"123,\"\x83\x4E\x83\x89\x81\x5B\x83\x4E\"", true,
         QString::fromUtf8("123,\"\u30AF\u30E9\u30FC\u30AF\"")},
        {"AB\x81", false, QString::fromUtf8("AB\uFFFD")},
        {"C:\\x~", true, "C:\\x~"},
        {"\x82\xA0" + QByteArray(5000, 'a'), true,
         QString::fromUtf8("\u3042") + QString(5000, 'a')},
        {"", true, ""},
    };
    for (int round = 0; round < 2; ++round)
        for (const auto& p : pieces) {
            bool ok = !p.ok;
            EXPECT_EQ(decoder.decode(p.bytes, &ok), p.text) << p.bytes.left(20).toHex().data();
            EXPECT_EQ(ok, p.ok);
        }
}

TEST(LegacyCodePage, ADecoderKeepsItsCodePage)
{
    platform::LegacyDecoder cp932;
    // In UTF-16 ASCII bytes are no ASCII text: nothing may be taken as it stands.
    ASSERT_TRUE(LegacyCodePage::setName("UTF-16LE"));
    platform::LegacyDecoder utf16;
    platform::LegacyEncoder encoder;
    ASSERT_TRUE(LegacyCodePage::setName("CP932"));
    EXPECT_EQ(utf16.decode("AB"), QString(QChar(0x4241)));
    EXPECT_EQ(encoder.encode(u"A"), QByteArray("A\0", 2));
    EXPECT_EQ(cp932.decode("\x82\xA0"), QString::fromUtf8("\u3042"));
}
