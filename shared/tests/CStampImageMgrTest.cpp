#include "shared/data/CStampImageMgr.h"

#include "testsupport/QtPrinters.h"
#include "shared/tests/WorkDbFixture.h"

#include <QFileInfo>
#include <QRegularExpression>

using korvane::test::readFile;
using korvane::test::writeFile;

namespace {

const QString kOld = QStringLiteral("20000101000000");

class CStampImageMgrTest : public WorkDbFixture
{
protected:
    void SetUp() override
    {
        ASSERT_NO_FATAL_FAILURE(CreateTables({"CSB008"}));
        m_mgr.SetSQLitDB(m_db.get());
    }

    // An empty image stores NULL.
    void Store(const QString& code, const QString& fileName, const QByteArray& image)
    {
        const QString file = m_suite.folders().scratch() + "/in.bin";
        ASSERT_TRUE(writeFile(file, image));
        CSQliteSQL sql(*m_db, "CSB008");
        ASSERT_EQ(sql.SetSQLForWrite({"GRAPHICCODE"},
                                     {"FILENAME", "CREATEDATETIME", "UPDATEDATETIME"},
                                     {"GRAPHICDATA"}),
                  0);
        ASSERT_EQ(sql.ExecWrite({code}, {fileName, kOld, kOld}, {image.isEmpty() ? "" : file},
                                SQLWRITE_INSERT),
                  0);
    }

    CStampImageMgr m_mgr;
};

// Every byte value, so no conversion can pass unnoticed.
QByteArray Image()
{
    QByteArray bytes("BM");
    for (int i = 0; i < 512; ++i)
        bytes += char(i & 0xFF);
    return bytes;
}

} // namespace

TEST_F(CStampImageMgrTest, TemporaryCopyEqualsTheStoredImage)
{
    Store("000001", "C:\\Stamps\\shop.bmp", Image());
    Store("O'Neil", "it's.png", "PNG");
    QString fileName, temp;
    ASSERT_TRUE(m_mgr.SetImageFromGrahicCode("000001", fileName, temp));
    EXPECT_EQ(fileName, "C:\\Stamps\\shop.bmp");
    EXPECT_EQ(QFileInfo(temp).absolutePath(), QFileInfo(m_local).absoluteFilePath());
    EXPECT_TRUE(QRegularExpression("^STMPIM[0-9A-F]{8}\\.bmp$")
                    .match(QFileInfo(temp).fileName())
                    .hasMatch())
        << temp.toStdString();
    EXPECT_EQ(readFile(temp), Image());
    EXPECT_TRUE(CStampImageMgr::DeleteImageFile(temp));
    EXPECT_FALSE(QFileInfo::exists(temp));

    // A code with an apostrophe is found.
    ASSERT_TRUE(m_mgr.SetImageFromGrahicCode("O'Neil", fileName, temp));
    EXPECT_EQ(readFile(temp), "PNG");
    EXPECT_TRUE(temp.endsWith(".png"));
    CStampImageMgr::DeleteImageFile(temp);
    EXPECT_EQ(StrayFiles(), QStringList());
}

TEST_F(CStampImageMgrTest, NoImageGivesFalseAndNoFile)
{
    Store("000002", "  ", Image());
    Store("000003", "", Image());
    Store("000004", "empty.bmp", {}); // NULL image
    for (const char* code : {"000002", "000003", "000004", "000009"}) {
        QString fileName = "x", temp = "x";
        EXPECT_FALSE(m_mgr.SetImageFromGrahicCode(code, fileName, temp)) << code;
        EXPECT_EQ(temp, QString()) << code;
    }
    QString fileName, temp;
    m_mgr.SetImageFromGrahicCode("000004", fileName, temp);
    EXPECT_EQ(fileName, "empty.bmp"); // the name as read stays
    EXPECT_EQ(StrayFiles(), QStringList());
    EXPECT_EQ(m_suite.messages(), QStringList());
}

TEST(CStampImageMgr, TempExtensionKeepsLettersAndDigitsOnly)
{
    const struct
    {
        const char* name;
        const char* extension;
    } cases[] = {
        {"logo.bmp", ".bmp"}, {"a.b.PNG2", ".PNG2"}, {" logo.jpg ", ".jpg"},
        {"noext", ""},        {"trailing.", ""},     {"x.b/../../etc/y", ""},
        {"x.b\\..\\y", ""},   {"x.bm p", ""},        {"x.b\xC3\xA9", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CStampImageMgr::TempExtensionOf(QString::fromUtf8(c.name)), c.extension)
            << c.name;
}

TEST_F(CStampImageMgrTest, UpdateImageDBRecordReplacesDeletesAndKeepsOnFailure)
{
    Store("000001", "old.bmp", "old");
    const QString file = m_suite.folders().scratch() + "/new.png";
    ASSERT_TRUE(writeFile(file, Image()));

    ASSERT_TRUE(m_mgr.UpdateImageDBRecord("000001", "new.png", file));
    ASSERT_TRUE(m_mgr.UpdateImageDBRecord("000005", "five.png", file)); // absent: inserted
    const auto rows = Rows(
        "CSB008", {"GRAPHICCODE", "FILENAME", "CREATEDATETIME", "UPDATEDATETIME"}, "GRAPHICCODE");
    ASSERT_EQ(rows.size(), 2);
    for (const QStringList& row : rows) {
        EXPECT_NE(row[2], kOld);
        EXPECT_EQ(row[2].size(), 14);
        EXPECT_EQ(row[2], row[3]);
    }
    EXPECT_EQ(rows[0][1], "new.png");
    QString fileName, temp;
    ASSERT_TRUE(m_mgr.SetImageFromGrahicCode("000001", fileName, temp));
    EXPECT_EQ(readFile(temp), Image());
    CStampImageMgr::DeleteImageFile(temp);

    // An unreadable file fails and the old row stays; an empty code takes the
    // code last shown.
    EXPECT_FALSE(m_mgr.UpdateImageDBRecord("", "gone.png", file + ".missing"));
    EXPECT_EQ(Rows("CSB008", {"FILENAME"}, "GRAPHICCODE").value(0), QStringList{"new.png"});

    ASSERT_TRUE(m_mgr.UpdateImageDBRecord("", "", ""));
    EXPECT_EQ(Rows("CSB008", {"GRAPHICCODE"}), (QList<QStringList>{{"000005"}}));
}
