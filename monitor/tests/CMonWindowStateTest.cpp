#include "monitor/CMonWindowState.h"

#include "monitor/PreferenceXml.h"
#include "shared/lang/FormatLangText.h"
#include "monitor/tests/MonitorFixture.h"
#include "testsupport/QtPrinters.h"

#include <QDir>
#include <QFileInfo>

namespace mervolt {
namespace {

using test::MonitorFixture;

const QString kFilter = QStringLiteral("PNG (*.png)|*.png;*.PNG|All|*.*||");
const QString kPermit = QStringLiteral("png|PNG|");
constexpr qint64 kTwoMegabytes = 2 * 1024 * 1024;

class CMonWindowStateTest : public MonitorFixture
{
protected:
    CMonWindowStateTest()
    {
        platform::setFileChooser([this](const platform::FileChoice& choice) {
            m_choices << choice;
            return m_chosen;
        });
        QDir().mkpath(work());
    }
    static QString work() { return GetSignagePath("Temporary", "FullImage"); }
    QString source(const QString& name, const QByteArray& bytes = "new")
    {
        return put(scratch() + "/pick/" + name, bytes);
    }
    QString value(const QString& key)
    {
        const CXmlItem* item = m_state.OwnItems().FindItem("string", key);
        return item ? item->m_strValue : QStringLiteral("<none>");
    }
    bool select(const QString& key, qint64 limit = kTwoMegabytes)
    {
        return m_state.SelectMediaFile(kFilter, limit, key, "FullImage", m_edit, kPermit);
    }
    QStringList workFiles() const
    {
        return QDir(work()).entryList(QDir::Files | QDir::Hidden, QDir::Name);
    }

    CMonWindowState m_state;
    QString m_chosen;
    QList<platform::FileChoice> m_choices;
    QString m_edit;
};

TEST_F(CMonWindowStateTest, ChosenFileIsCopiedIntoTheWorkFolderAndNamedInTheSlot)
{
    m_chosen = source("slide.png", "picture");
    ASSERT_TRUE(select("idle_slide1_file"));
    EXPECT_EQ(bytesOf(work() + "/slide.png"), "picture");
    EXPECT_EQ(value("idle_slide1_file"), "slide.png");
    EXPECT_EQ(m_edit, "slide.png");
    EXPECT_TRUE(m_keys.isEmpty());
    ASSERT_EQ(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].caption, GetLangString("CRDS_MO_WINNAME_SELECT"));
    EXPECT_EQ(m_choices[0].filter, "PNG (*.png) (*.png *.PNG);;All (*.*)");

    // The same file again replaces the copy; another replaces and removes
    // the old one, after copying.
    put(m_chosen, "picture 2");
    ASSERT_TRUE(select("idle_slide1_file"));
    EXPECT_EQ(bytesOf(work() + "/slide.png"), "picture 2");
    m_chosen = source("other.png");
    ASSERT_TRUE(select("idle_slide1_file"));
    EXPECT_EQ(workFiles(), QStringList{"other.png"});
    EXPECT_EQ(value("idle_slide1_file"), "other.png");
}

TEST_F(CMonWindowStateTest, DroppedFileIsTakenInsteadOfAskingAndThenForgotten)
{
    m_state.SetDroppedPath(source("dropped.png"));
    ASSERT_TRUE(select("idle_slide2_file"));
    EXPECT_TRUE(m_choices.isEmpty());
    EXPECT_TRUE(m_state.DroppedPath().isEmpty());
    EXPECT_EQ(value("idle_slide2_file"), "dropped.png");

    // Cancel in the dialog: nothing happens.
    m_chosen.clear();
    EXPECT_FALSE(select("idle_slide2_file"));
    EXPECT_EQ(m_choices.size(), 1);
    EXPECT_EQ(value("idle_slide2_file"), "dropped.png");
    EXPECT_TRUE(m_keys.isEmpty());
}

TEST_F(CMonWindowStateTest, RefusedChoicesChangeNothing)
{
    put(work() + "/a.png", "other slot");
    m_state.OwnItems().Add("string", "idle_slide1_file", "mine.png");
    put(work() + "/mine.png", "mine");

    const QString big = source("big.png");
    QFile(big).resize(kTwoMegabytes + 1);
    const QString exact = source("exact.png");
    QFile(exact).resize(kTwoMegabytes);
    const QString huge = source("huge.png");
    ASSERT_TRUE(QFile(huge).resize(5LL * 1024 * 1024 * 1024)); // sparse

    struct Case
    {
        QString path;
        qint64 limit;
        QString key;
        QString text; // expected message text, "" to skip
    };
    const Case cases[] = {
        {source("a.bmp"), kTwoMegabytes, "CRDS_MO_WRN_IGNORE_EXT", ""},
        {source("a#.png"), kTwoMegabytes, "CRDS_MO_WARN_INVALIDCHAR", ""},
        {big, kTwoMegabytes, "CRDS_MO_WARN_SIZEBIG",
         FormatLangText(GetLangString("CRDS_MO_WARN_SIZEBIG"), 2)},
        {huge, 500LL * 1024 * 1024, "CRDS_MO_WARN_SIZEBIG",
         FormatLangText(GetLangString("CRDS_MO_WARN_SIZEBIG"), 500)},
        // Another slot's file, also in another case: one file on the register.
        {source("a.png"), kTwoMegabytes, "CRDS_MO_WARN_EXISTFILE", ""},
        {source("A.png"), kTwoMegabytes, "CRDS_MO_WARN_EXISTFILE", ""},
    };
    for (const Case& c : cases) {
        m_keys.clear();
        m_texts.clear();
        m_chosen = c.path;
        EXPECT_FALSE(select("idle_slide1_file", c.limit)) << c.path.toStdString();
        EXPECT_EQ(m_keys, QStringList{c.key}) << c.path.toStdString();
        if (!c.text.isEmpty()) {
            EXPECT_EQ(m_texts, QStringList{c.text});
        }
        EXPECT_EQ(value("idle_slide1_file"), "mine.png");
        EXPECT_EQ(workFiles(), (QStringList{"a.png", "mine.png"}));
        EXPECT_TRUE(m_edit.isEmpty());
    }
    // Exactly the limit passes; a missing file with a limit stops silently.
    m_keys.clear();
    m_chosen = exact;
    EXPECT_TRUE(select("idle_slide1_file"));
    m_state.SetDroppedPath(scratch() + "/pick/gone.png");
    EXPECT_FALSE(select("idle_slide1_file"));
    EXPECT_TRUE(m_keys.isEmpty());
}

TEST_F(CMonWindowStateTest, TheSlotsOwnNameInAnotherCaseIsNoClash)
{
    m_state.OwnItems().Add("string", "idle_slide1_file", "A.png");
    put(work() + "/A.png", "old");
    m_chosen = source("a.png");
    ASSERT_TRUE(select("idle_slide1_file"));
    EXPECT_EQ(workFiles(), QStringList{"a.png"});
}

TEST_F(CMonWindowStateTest, AFailedCopyKeepsTheOldFileAndValue)
{
    m_state.OwnItems().Add("string", "idle_slide1_file", "mine.png");
    put(work() + "/mine.png", "mine");
    // No size limit: the vanished file is only found missing by the copy.
    m_state.SetDroppedPath(scratch() + "/pick/vanished.png");
    EXPECT_FALSE(select("idle_slide1_file", 0));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_ERR_SETTING"});
    EXPECT_EQ(m_waits, kMonRetryAttempts - 1);
    EXPECT_EQ(value("idle_slide1_file"), "mine.png");
    EXPECT_EQ(bytesOf(work() + "/mine.png"), "mine");
}

TEST_F(CMonWindowStateTest, DeleteAsksFirst)
{
    m_state.OwnItems().Add("string", "idle_slide1_file", "mine.png");
    put(work() + "/mine.png", "mine");
    m_edit = "mine.png";
    m_answer = platform::IDNO;
    EXPECT_FALSE(m_state.DeleteMediaFile("idle_slide1_file", "FullImage", m_edit));
    EXPECT_EQ(m_keys, QStringList{"CRDS_MO_ITEMDELETE"});
    EXPECT_EQ(workFiles(), QStringList{"mine.png"});
    EXPECT_EQ(m_edit, "mine.png");

    m_answer = platform::IDYES;
    EXPECT_TRUE(m_state.DeleteMediaFile("idle_slide1_file", "FullImage", m_edit));
    EXPECT_TRUE(workFiles().isEmpty());
    EXPECT_EQ(value("idle_slide1_file"), "");
    EXPECT_EQ(m_edit, "");
}

TEST_F(CMonWindowStateTest, CancelDiscardsTheWorkCopy)
{
    put(work() + "/a.png", "a");
    put(GetSignagePath("FullImage", "kept.png"), "real");
    EXPECT_EQ(m_state.CancelAndDiscardTemporary(), platform::IDCANCEL);
    EXPECT_FALSE(QFileInfo::exists(GetSignagePath("Temporary", "")));
    EXPECT_EQ(bytesOf(GetSignagePath("FullImage", "kept.png")), "real");
}

// Values from an archive name files outside the slot's folder: nothing is
// read, deleted or overwritten through them, and the file keeps them.
TEST_F(CMonWindowStateTest, HostileValuesReachNoFileOutside)
{
    const QString canary = put(GetSignageFolder() + "/Temporary/x", "canary");
    const QString far = put(scratch() + "/far.png", "far");
    const QStringList hostiles = {"../x", "/etc/passwd", "a/b", "..", "a\nb", far};
    for (const QString& hostile : hostiles) {
        CXmlDataArray& own = m_state.OwnItems();
        own.RemoveAll();
        own.Add("string", "idle_slide1_file", hostile);
        own.Add("string", "idle_slide2_file", hostile);
        own.Add("string", "idle_telop1_file", hostile);
        const QString path = GetPreferencePath();
        QDir().mkpath(GetSignagePath("Setting", ""));
        ASSERT_EQ(WritePreferenceXml(path, own), MON_XML_OK);

        m_chosen = source("new.png");
        ASSERT_TRUE(select("idle_slide1_file")) << hostile.toStdString();
        m_answer = platform::IDYES;
        ASSERT_TRUE(m_state.DeleteMediaFile("idle_slide2_file", "FullImage", m_edit));
        EXPECT_EQ(bytesOf(canary), "canary") << hostile.toStdString();
        EXPECT_EQ(bytesOf(far), "far") << hostile.toStdString();

        // Read back and written again, the value stays as it came.
        CXmlDataArray back;
        ASSERT_EQ(ReadPreferenceXml(path, back), MON_XML_OK);
        ASSERT_EQ(WritePreferenceXml(path, back), MON_XML_OK);
        CXmlDataArray again;
        ASSERT_EQ(ReadPreferenceXml(path, again), MON_XML_OK);
        for (const char* key : {"idle_slide1_file", "idle_slide2_file", "idle_telop1_file"})
            EXPECT_EQ(again.FindItem("string", key)->m_strValue, hostile) << key;
        QFile::remove(work() + "/new.png");
    }
}

} // namespace
} // namespace mervolt
