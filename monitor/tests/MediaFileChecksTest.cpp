#include "monitor/MediaFileChecks.h"

#include "monitor/tests/MonitorFixture.h"
#include "testsupport/QtPrinters.h"

namespace mervolt {
namespace {

using test::MonitorFixture;

class MediaFileChecksTest : public MonitorFixture
{
};

TEST_F(MediaFileChecksTest, PermittedExtensions)
{
    struct Case
    {
        const char* extension;
        const char* list;
        bool permitted;
    };
    const Case cases[] = {
        {"png", "png|", true},        {"PNG", "png|", true},
        {"bmp", "png|", false},       {"png", "png|PNG|", true},
        {"bmp", "png|b|bmp|", false},                      // the one-letter entry ends the scan
        {"b", "png|b|bmp|", false},   {"", "png||", true}, // an empty entry matches no extension
        {"", "png|", false},          {"png", "|png|", false}, // a leading bar permits nothing
        {"png", "png", false},        {"mp4", "mp4|wmv|", true},
        {"wmv", "mp4|wmv|", true},    {"", "", false},
    };
    for (const Case& c : cases) {
        m_keys.clear();
        EXPECT_EQ(CheckPermittedExtension(nullptr, c.extension, c.list), c.permitted)
            << c.extension << " in " << c.list;
        EXPECT_EQ(m_keys, c.permitted ? QStringList() : QStringList{"CRDS_MO_WRN_IGNORE_EXT"});
    }
}

TEST_F(MediaFileChecksTest, PermitListFromTheLanguageText)
{
    QStringList entries;
    ASSERT_TRUE(SplitPermitList(nullptr, entries));
    EXPECT_EQ(entries, (QStringList{"png", "PNG"}));
    EXPECT_TRUE(m_keys.isEmpty());

    CProgramLang::Release(); // no text: nothing permitted
    EXPECT_FALSE(SplitPermitList(nullptr, entries));
    EXPECT_TRUE(entries.isEmpty());
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_WRN_IGNORE_EXT"});
}

TEST_F(MediaFileChecksTest, FileNames)
{
    const QString invalid = GetLangString("CRDS_MO_WARN_INVALIDCHAR");
    ASSERT_TRUE(invalid.contains("%s"));
    struct Case
    {
        QString name;
        QString key; // "" when the name passes
        QString character;
    };
    const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
    const Case cases[] = {
        {"slide.png", "", ""},
        {QString::fromUtf8("スライド１.png"), "", ""}, // in the legacy code page
        {"a#b.png", "CRDS_MO_WARN_INVALIDCHAR", "#"},
        {"a%b.png", "CRDS_MO_WARN_INVALIDCHAR", "%"},
        {"a?b#.png", "CRDS_MO_WARN_INVALIDCHAR", "#"}, // "#" is looked for first
        {"a?b.png", "CRDS_MO_WARN_INVALIDCHAR", "?"},
        {"a\tb.png", "CRDS_MO_WARN_INVALIDCHAR", "\t"},
        {"a:b.png", "CRDS_MO_WARN_INVALIDCHAR", ":"},
        {"a\"b.png", "CRDS_MO_WARN_INVALIDCHAR", "\""},
        {"x" + emoji + ".png", "CRDS_MO_WARN_INVALIDCHAR", emoji},
        {QString::fromUtf8("caf\xC3\xA9.png"), "CRDS_MO_WARN_INVALIDCHAR",
         QString::fromUtf8("\xC3\xA9")},
        {QString(258, u'a'), "", ""},
        {QString(259, u'a'), "CRDS_MO_WARN_NAMELEN", ""},
        {QString(300, u'a') + emoji, "CRDS_MO_WARN_NAMELEN", ""},
    };
    for (const Case& c : cases) {
        m_keys.clear();
        m_texts.clear();
        EXPECT_EQ(CheckMediaFileName(nullptr, c.name), c.key.isEmpty()) << c.name.toStdString();
        if (c.key.isEmpty()) {
            EXPECT_TRUE(m_keys.isEmpty()) << c.name.toStdString();
            continue;
        }
        EXPECT_EQ(m_keys, QStringList{c.key}) << c.name.toStdString();
        if (!c.character.isEmpty()) {
            EXPECT_EQ(m_texts, QStringList{QString(invalid).replace("%s", c.character)})
                << c.name.toStdString();
        }
    }
}

} // namespace
} // namespace mervolt
