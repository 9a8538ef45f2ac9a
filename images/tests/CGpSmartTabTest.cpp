// The easy mode's stamp pages on a work database of the test's own: first
// start, composing, tab changes and saves, and their failures.
#include "images/CGpImgButton.h"
#include "images/CGpSmartLogo.h"
#include "images/CGpSmartRyoushu.h"
#include "images/CGpSmartTab.h"
#include "images/CImgCanvas.h"
#include "images/StampTemplate.h"
#include "images/StampText.h"
#include "images/tests/PellarkDbFixture.h"

#include "goods/base/CMessageEdit.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/DialogCheck.h"
#include "testsupport/FixedClock.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"
#include "testsupport/WorkDbFixture.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSlider>
#include <QTabBar>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

namespace {

using namespace pellark;

const QStringList kColumns{"GRAPHICCODE", "FILENAME", "UPDATEDATETIME"};

bool AllWhite(const QImage& image, int fromX = 0)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = fromX; x < image.width(); ++x)
            if ((image.pixel(x, y) & 0xFFFFFF) != 0xFFFFFF)
                return false;
    return true;
}

class CGpSmartTabTest : public PellarkDbFixture
{
protected:
    void SetUp() override
    {
        PellarkDbFixture::SetUp();
        m_answer = platform::IDYES;
        QCoreApplication::setOrganizationName(QStringLiteral("KorvaneTest"));
        QCoreApplication::setApplicationName(QStringLiteral("PellarkStampTest"));
        QSettings().remove(QStringLiteral("SHOPSTAMP"));
    }
    void TearDown() override
    {
        QSettings().remove(QStringLiteral("SHOPSTAMP"));
        PellarkDbFixture::TearDown();
    }

    std::unique_ptr<CGpSmartTab> Open()
    {
        auto host = std::make_unique<CGpSmartTab>(m_db.get());
        for (int i = 0; i < CGpSmartTab::kPageCount; ++i)
            host->Page(i)->SetEditor(
                [this](QWidget*, const GraphicEditRequest& request, GraphicEditResult& result) {
                    m_requests << request;
                    if (m_editorOutput.isNull())
                        return false;
                    result.outputFile = m_local + QStringLiteral("/edited.bmp");
                    CImgCanvas canvas;
                    canvas.Create(m_editorOutput.width(), m_editorOutput.height());
                    canvas.Image() = m_editorOutput.convertToFormat(QImage::Format_RGB888);
                    return canvas.WriteMonoBmp(result.outputFile);
                });
        host->Create();
        return host;
    }
    void SetProfile(const QString& key, const QVariant& value)
    {
        QSettings settings;
        settings.setValue(QStringLiteral("SHOPSTAMP/") + key, value);
    }
    QVariant Profile(const QString& key)
    {
        return QSettings().value(QStringLiteral("SHOPSTAMP/") + key);
    }
    QByteArray Stored(const QString& code)
    {
        return QByteArray::fromHex(
            korvane::test::Sqlite3(DbPath(), "SELECT hex(GRAPHICDATA) FROM CSB008 WHERE "
                                             "GRAPHICCODE = '" +
                                                 code.toUtf8() + "'")
                .trimmed());
    }
    QByteArray MonoBytes(const CImgCanvas& image)
    {
        const QString path = m_suite.folders().scratch() + QStringLiteral("/expected.bmp");
        EXPECT_TRUE(image.WriteMonoBmp(path));
        return korvane::test::readFile(path);
    }
    void StoreImage(const QString& code, const QString& name, const QByteArray& bytes)
    {
        Exec(QStringLiteral("UPDATE CSB008 SET FILENAME = '%1', GRAPHICDATA = x'%2' WHERE "
                            "GRAPHICCODE = '%3'")
                 .arg(name, QString::fromLatin1(bytes.toHex()), code));
    }
    void AllRows()
    {
        for (const char* code : {"000001", "000002", "000003", "000004", "000011", "000012"})
            Exec(QStringLiteral("INSERT INTO CSB008 VALUES ('%1', ' ', NULL, '%2', '%2')")
                     .arg(QLatin1String(code), kOld));
    }
    void Template(const QString& name, int width, int height)
    {
        QImage black(width, height, QImage::Format_Indexed8);
        black.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
        black.fill(0);
        korvane::test::writeFile(m_suite.programFolder() + QStringLiteral("/Template/LOGO/") + name,
                                 MakeStampTemplate(black, 1, QStringLiteral("000")));
    }
    // A double frame: a 3-dot outer and a 1-dot inner line, white inside.
    void FrameTemplate(const QString& name, int width, int height)
    {
        QImage frame(width, height, QImage::Format_RGB32);
        frame.fill(Qt::white);
        {
            QPainter painter(&frame);
            painter.setPen(QPen(Qt::black, 3));
            painter.drawRect(2, 2, width - 5, height - 5);
            painter.setPen(QPen(Qt::black, 1));
            painter.drawRect(8, 8, width - 17, height - 17);
        }
        const QImage mono = frame.convertToFormat(
            QImage::Format_Indexed8, {qRgb(0, 0, 0), qRgb(255, 255, 255)}, Qt::ThresholdDither);
        korvane::test::writeFile(m_suite.programFolder() + QStringLiteral("/Template/LOGO/") + name,
                                 MakeStampTemplate(mono, 1, QStringLiteral("000")));
    }
    // The templates the build draws, copied into the test's install folder;
    // their file names in the order the pages offer them.
    QStringList ShippedTemplates()
    {
        const QDir shipped(QStringLiteral(KORVANE_SUITE_DIR "/Template/LOGO"));
        const QString folder = m_suite.programFolder() + QStringLiteral("/Template/LOGO/");
        EXPECT_TRUE(QDir().mkpath(folder));
        const QStringList names = shipped.entryList({QStringLiteral("*.dat")}, QDir::Files,
                                                    QDir::Name | QDir::IgnoreCase);
        for (const QString& name : names)
            EXPECT_TRUE(QFile::copy(shipped.filePath(name), folder + name));
        return names;
    }
    template <class T = QWidget> T* Control(QWidget* page, uint id)
    {
        return qobject_cast<T*>(FindControlById(page, id));
    }
    QStringList TempFiles(const QString& prefix)
    {
        return QDir(m_local).entryList({prefix + QStringLiteral("*")}, QDir::Files);
    }

    QImage m_editorOutput;
    QList<GraphicEditRequest> m_requests;
};

TEST_F(CGpSmartTabTest, FirstStartShowsWhiteStampsOfThePrintSizes)
{
    auto host = Open();
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(
        korvane::test::JoinedRows(DbPath(), "CSB008", {"GRAPHICCODE", "FILENAME"}),
        QStringList({"000001| ", "000002| ", "000003| ", "000004| ", "000011| ", "000012| "}));
    EXPECT_EQ(host->windowTitle(), GetLangString(QStringLiteral("CRDS_MSGBOX_GRAPHICLOGO")));
    ASSERT_EQ(host->TabBar()->count(), 3);
    EXPECT_EQ(host->TabBar()->tabText(1), GetLangString(QStringLiteral("CRDS_GLOGO_TAB2")));
    const struct
    {
        int page;
        QSize shop, address;
        int shopX, shopY, addressX, addressY;
    } cases[] = {
        {0, {576, 168}, {576, 168}, 288, 84, 288, 84},
        {1, {448, 128}, {448, 96}, 224, 64, 224, 48},
        {2, {576, 168}, {576, 168}, 288, 84, 288, 84},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.page);
        CGpSmartDlg* page = host->Page(c.page);
        EXPECT_FALSE(page->IsBroken());
        EXPECT_EQ(page->Shop().image.Image().size(), c.shop);
        EXPECT_EQ(page->Address().image.Image().size(), c.address);
        EXPECT_TRUE(AllWhite(page->Shop().image.Image()));
        EXPECT_TRUE(AllWhite(page->Address().image.Image()));
        EXPECT_EQ(page->Shop().sliderX->maximum(), c.shopX);
        EXPECT_EQ(page->Shop().sliderX->minimum(), -c.shopX);
        EXPECT_EQ(page->Shop().sliderY->maximum(), c.shopY);
        EXPECT_EQ(page->Address().sliderX->maximum(), c.addressX);
        EXPECT_EQ(page->Address().sliderY->minimum(), -c.addressY);
        EXPECT_EQ(page->Shop().align->currentIndex(), 1);
        EXPECT_FALSE(page->IsChanged());
    }
    EXPECT_TRUE(host->Page(0)->isVisibleTo(host.get()));
    EXPECT_FALSE(host->Page(1)->isVisibleTo(host.get()));
    // Mode 1 never offers the paper width.
    EXPECT_FALSE(Control(host->Page(0), CGpSmartLogo::IDC_WIDTH58)->isHidden());
    EXPECT_TRUE(Control(host->Page(2), CGpSmartLogo::IDC_WIDTH58)->isHidden());
    EXPECT_TRUE(Control(host->Page(2), CGpSmartLogo::IDC_WIDTHGROUP)->isHidden());
    EXPECT_EQ(FindControlById(host->Page(1), 1222), nullptr);

    // 58 mm from the profile: the X sliders span the narrow width.
    host.reset();
    SetProfile(QStringLiteral("SHOP1RPTWIDTH"), 1);
    host = Open();
    EXPECT_TRUE(host->Page(0)->IsNarrow());
    EXPECT_EQ(host->Page(0)->Shop().sliderX->maximum(), 192);
    EXPECT_EQ(host->Page(0)->Address().sliderX->minimum(), -192);
    EXPECT_TRUE(Control<QRadioButton>(host->Page(0), CGpSmartLogo::IDC_WIDTH58)->isChecked());
    EXPECT_FALSE(host->Page(2)->IsNarrow());
    EXPECT_EQ(host->Page(2)->Shop().sliderX->maximum(), 288);
}

TEST_F(CGpSmartTabTest, TextIsPlacedByAlignmentOffsetAndPaperWidth)
{
    Template(QStringLiteral("wide.dat"), 200, 20);
    Template(QStringLiteral("wider.dat"), 576, 10);
    SetProfile(QStringLiteral("SHOP1RPTWIDTH"), 1);
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    StampSlot& shop = page->Shop();
    ASSERT_EQ(page->Templates().size(), 2);

    // The template sits centred on the 384 dots; the text centres there.
    shop.templatePreview->click();
    EXPECT_TRUE(page->IsChanged());
    EXPECT_EQ(InkColumns(shop.image.Image(), 0, 19), std::make_pair(92, 291));
    shop.edit->SetStoredText(QStringLiteral("ABCDEF"));
    const auto [first, last] = InkColumns(shop.image.Image(), 40);
    ASSERT_GE(first, 0);
    EXPECT_LT(last, 384);
    EXPECT_NEAR((first + last) / 2.0, 192, 8);
    EXPECT_TRUE(AllWhite(shop.image.Image(), 384));

    // Right alignment: an X offset of -20 ends the text 20 dots further left.
    Control<QRadioButton>(page, CGpSmartLogo::IDC_WIDTH80)->click();
    EXPECT_FALSE(page->IsNarrow());
    EXPECT_EQ(shop.sliderX->maximum(), 288);
    shop.applied = -1;
    page->Redraw(shop);
    const auto [wideFirst, wideLast] = InkColumns(shop.image.Image());
    EXPECT_NEAR((wideFirst + wideLast) / 2.0, 288, 8);
    shop.align->setCurrentIndex(2);
    const int atZero = InkColumns(shop.image.Image()).second;
    shop.sliderX->setValue(-20);
    EXPECT_EQ(InkColumns(shop.image.Image()).second, atZero - 20);
    // One line: its block ends where the centred one does.
    EXPECT_EQ(atZero, wideLast);

    // Back to 58 mm: nothing right of the narrow width.
    Control<QRadioButton>(page, CGpSmartLogo::IDC_WIDTH58)->click();
    EXPECT_EQ(shop.sliderX->value(), 0);
    EXPECT_EQ(shop.sliderX->minimum(), -192);
    EXPECT_TRUE(AllWhite(shop.image.Image(), 384));
    EXPECT_TRUE(shop.preview->IsNarrow());

    // An edited picture: black all over, white right of 384 on 58 mm.
    m_editorOutput = QImage(576, 168, QImage::Format_RGB888);
    m_editorOutput.fill(Qt::black);
    shop.preview->click();
    ASSERT_EQ(m_requests.size(), 1);
    EXPECT_TRUE(m_requests[0].narrow);
    EXPECT_FALSE(m_requests[0].guideLines);
    EXPECT_EQ(m_requests[0].code, 1);
    EXPECT_TRUE(AllWhite(shop.image.Image(), 384));
    EXPECT_EQ(InkColumns(shop.image.Image()), std::make_pair(0, 383));
    EXPECT_TRUE(TempFiles(QStringLiteral("QRT")).isEmpty());

    // A template wider than the paper: centred, cut at both sides.
    shop.next->click();
    EXPECT_EQ(shop.applied, 1);
    EXPECT_FALSE(shop.next->isEnabled());
    EXPECT_TRUE(shop.prev->isEnabled());
    EXPECT_EQ(InkColumns(shop.image.Image(), 0, 9), std::make_pair(0, 383));
    EXPECT_TRUE(AllWhite(shop.image.Image(), 384));
}

// The bounding box of the dots black in with and white in without.
QRect AddedInk(const QImage& with, const QImage& without)
{
    QRect box;
    for (int y = 0; y < with.height(); ++y)
        for (int x = 0; x < with.width(); ++x)
            if ((with.pixel(x, y) & 0xFFFFFF) == 0 && (without.pixel(x, y) & 0xFFFFFF) != 0)
                box |= QRect(x, y, 1, 1);
    return box;
}

TEST_F(CGpSmartTabTest, ALineWiderThanNarrowPaperIsStoredAsThePreviewShowsIt)
{
    AllRows();
    SetProfile(QStringLiteral("SHOP1RPTWIDTH"), 1);
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    StampSlot& shop = page->Shop();
    shop.edit->SetStoredText(QString(48, u'W'));
    ASSERT_GE(InkColumns(shop.image.Image()).first, 0);
    EXPECT_TRUE(AllWhite(shop.image.Image(), 384));
    m_answer = platform::IDYES;
    ASSERT_EQ(page->SavePage(), CGpSmartDlg::SaveDone);
    EXPECT_TRUE(m_messages.contains(QStringLiteral("CRDS_IM_PROMPT_STAMPTEXT_CUT")));
    const QImage stored = QImage::fromData(Stored("000001"));
    ASSERT_EQ(stored.size(), QSize(576, 168));
    EXPECT_GE(InkColumns(stored).first, 0);
    EXPECT_TRUE(AllWhite(stored, 384));
}

TEST_F(CGpSmartTabTest, TextAndTemplateNeverOverlap)
{
    FrameTemplate(QStringLiteral("a_frame.dat"), 200, 60);
    Template(QStringLiteral("b_block.dat"), 200, 20);
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    StampSlot& shop = page->Shop();
    ASSERT_EQ(page->Templates().size(), 2);
    const int left = (576 - 200) / 2;
    const struct
    {
        int template_;
        const char* text;
        QRect within; // where the text's dots must lie
    } cases[] = {
        // Room inside the frame: the text stands in its free area.
        {0, "SHOP", QRect(left + 9, 9, 182, 42)},
        // Too much for the frame: below it.
        {0, "THE CORNER SHOP\r\nTOWN STREET 1", QRect(0, 60, 576, 108)},
        // A template without free area: below it.
        {1, "THE CORNER SHOP\r\nTOWN STREET 1", QRect(0, 20, 576, 148)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text);
        shop.edit->SetStoredText(QString());
        shop.applied = c.template_;
        page->Redraw(shop);
        const QImage bare = shop.image.Image().copy();
        shop.edit->SetStoredText(QString::fromLatin1(c.text));
        const QRect text = AddedInk(shop.image.Image(), bare);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(c.within.contains(text))
            << text.x() << "," << text.y() << " " << text.width() << "x" << text.height();
    }
}

TEST_F(CGpSmartTabTest, AShortTextStandsInsideTheShippedFrames)
{
    const QStringList names = ShippedTemplates();
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    StampSlot& shop = page->Shop();
    // Where the text's dots must lie: within the frame's inner line.
    const struct
    {
        const char* name;
        uint width;
        QRect inside;
    } cases[] = {
        {"Frame.dat", CGpSmartLogo::IDC_WIDTH80, QRect((576 - 200) / 2 + 9, 9, 182, 42)},
        {"Frame.dat", CGpSmartLogo::IDC_WIDTH58, QRect((384 - 200) / 2 + 9, 9, 182, 42)},
        {"WideFrame.dat", CGpSmartLogo::IDC_WIDTH80, QRect(9, 9, 558, 102)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.width == CGpSmartLogo::IDC_WIDTH58 ? " 58" : " 80"));
        Control<QRadioButton>(page, c.width)->click();
        shop.applied = int(names.indexOf(QLatin1String(c.name)));
        ASSERT_GE(shop.applied, 0);
        shop.edit->SetStoredText(QString());
        page->Redraw(shop);
        const QImage bare = shop.image.Image().copy();
        shop.edit->SetStoredText(QStringLiteral("AB"));
        const QRect text = AddedInk(shop.image.Image(), bare);
        ASSERT_FALSE(text.isEmpty());
        EXPECT_TRUE(c.inside.contains(text))
            << text.x() << "," << text.y() << " " << text.width() << "x" << text.height();
    }
}

int BlackDots(const QImage& image, const QImage& without = QImage())
{
    int dots = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            dots += (image.pixel(x, y) & 0xFFFFFF) == 0 &&
                    (without.isNull() || (without.pixel(x, y) & 0xFFFFFF) != 0);
    return dots;
}

TEST_F(CGpSmartTabTest, TextCutByTheStampsEdgeIsStoredOnlyWhenTheUserAgrees)
{
    const QStringList names = ShippedTemplates();
    const QString cutKey = QStringLiteral("CRDS_IM_PROMPT_STAMPTEXT_CUT");
    int cutAnswer = platform::IDNO;
    platform::setMessageResponder([&](const platform::MessageRequest& request) {
        m_messages << request.key;
        m_texts << request.text;
        return request.key == cutKey ? cutAnswer : int(platform::IDYES);
    });
    const QString threeLines = QStringLiteral("THE CORNER SHOP\r\nTOWN STREET 1\r\nTEL 01 234 567");
    const struct
    {
        const char* name; // "" for no template
        bool narrow;
        QString text;
        bool surelyCut; // else the text may find room inside the frame
    } cases[] = {
        {"Badge.dat", false, threeLines, true},      {"Badge.dat", true, threeLines, true},
        {"WideFrame.dat", false, threeLines, false}, {"WideFrame.dat", true, threeLines, true},
        {"", true, QString(48, u'W'), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + (c.narrow ? " 58" : " 80"));
        Exec(QStringLiteral("DELETE FROM CSB008"));
        QSettings().remove(QStringLiteral("SHOPSTAMP"));
        SetProfile(QStringLiteral("SHOP1RPTWIDTH"), c.narrow ? 1 : 0);
        auto host = Open();
        CGpSmartDlg* page = host->Page(0);
        StampSlot& shop = page->Shop();
        shop.applied = int(names.indexOf(QLatin1String(c.name)));
        page->Redraw(shop);
        const QImage bare = shop.image.Image().copy();
        shop.edit->SetStoredText(c.text);
        // Every dot of the text, drawn where nothing cuts it.
        QImage uncut(2000, 1000, QImage::Format_RGB888);
        uncut.fill(Qt::white);
        DrawStampText(uncut, shop.font, StampAlignCenter, c.text, kStampLineLength, 0, 0, QRect());
        const bool cut = BlackDots(shop.image.Image(), bare) < BlackDots(uncut);
        if (c.surelyCut) {
            EXPECT_TRUE(cut);
        }

        // No to the warning: nothing is stored and the page keeps its change.
        m_messages.clear();
        m_texts.clear();
        cutAnswer = platform::IDNO;
        EXPECT_EQ(page->SavePage(), cut ? CGpSmartDlg::SaveFailed : CGpSmartDlg::SaveDone);
        EXPECT_EQ(m_messages.contains(cutKey), cut);
        if (cut) {
            EXPECT_TRUE(Stored("000001").isEmpty());
            EXPECT_TRUE(Profile("SHOP1STAMPTEXT").isNull());
            EXPECT_TRUE(page->IsChanged());
            EXPECT_TRUE(m_texts.last().contains(Control<QGroupBox>(page, 1051)->title()))
                << m_texts.last().toStdString();
            // Yes: stored as the preview shows it.
            cutAnswer = platform::IDYES;
            EXPECT_EQ(page->SavePage(), CGpSmartDlg::SaveDone);
        }
        EXPECT_EQ(Stored("000001"), MonoBytes(shop.image));
        if (c.narrow) {
            EXPECT_TRUE(AllWhite(QImage::fromData(Stored("000001")), 384));
        }
    }
}

TEST_F(CGpSmartTabTest, TabChangeWithYesStoresBothStampsAndTheProfile)
{
    AllRows();
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    // A slider alone asks nothing.
    page->Shop().sliderY->setValue(10);
    host->TabBar()->setCurrentIndex(1);
    EXPECT_TRUE(m_messages.isEmpty());
    host->TabBar()->setCurrentIndex(0);
    EXPECT_EQ(host->ShownPage(), 0);

    const QString text = QStringLiteral("a\\b\r\nMAIN STREET");
    page->Shop().edit->SetStoredText(text);
    Control<QComboBox>(page, 1032)->setCurrentIndex(0);
    page->Shop().sliderX->setValue(-5);
    EXPECT_TRUE(page->IsChanged());
    const QByteArray shop = MonoBytes(page->Shop().image);
    const QByteArray address = MonoBytes(page->Address().image);
    host->TabBar()->setCurrentIndex(1);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PROMPT_PAGE_SAVE"});
    EXPECT_EQ(host->ShownPage(), 1);
    EXPECT_FALSE(page->IsChanged());
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", kColumns).mid(0, 3),
              QStringList({"000001|ToolOutput.bmp|" + kStamp, "000002|ToolOutput.bmp|" + kStamp,
                           "000003| |" + kOld}));
    EXPECT_EQ(Stored("000001"), shop);
    EXPECT_EQ(Stored("000002"), address);
    const QImage stored = QImage::fromData(Stored("000001"));
    EXPECT_EQ(stored.size(), QSize(576, 168));
    EXPECT_EQ(stored.depth(), 1);
    EXPECT_GE(InkColumns(stored).first, 0);
    EXPECT_TRUE(AllWhite(QImage::fromData(Stored("000002"))));

    EXPECT_EQ(Profile("SHOP1STAMPTEXT").toString(), "a\\\\b\\r\\nMAIN STREET");
    EXPECT_EQ(Profile("SHOP1STAMPTEXT_ADJX").toString(), "-5");
    EXPECT_EQ(Profile("SHOP1STAMPTEXT_ADJY").toString(), "10");
    EXPECT_EQ(Profile("SHOP1STAMPTEXT_ARGX").toString(), "1");
    EXPECT_EQ(Profile("ADDR1STAMPTEXT_ARGX").toString(), "0");
    EXPECT_EQ(Profile("SHOP1RPTWIDTH").toInt(), 0);
    EXPECT_FALSE(Profile("SHOP1STAMPFONTNAME").toString().isEmpty());
    EXPECT_TRUE(Profile("R_SHOPSTAMPTEXT").isNull());
    EXPECT_TRUE(TempFiles(QStringLiteral("QRT")).isEmpty());

    // Read back by a new window: the text and placement return unchanged.
    host.reset();
    host = Open();
    EXPECT_EQ(host->Page(0)->Shop().edit->StoredText(), text);
    EXPECT_EQ(host->Page(0)->Shop().sliderX->value(), -5);
    EXPECT_EQ(host->Page(0)->Shop().sliderY->value(), 10);
    EXPECT_EQ(host->Page(0)->Address().align->currentIndex(), 0);
    EXPECT_EQ(host->Page(0)->Shop().image.Image().size(), QSize(576, 168));
}

TEST_F(CGpSmartTabTest, TabChangeWithNoWritesNothingAndForgetsTheChange)
{
    AllRows();
    auto host = Open();
    CGpSmartDlg* page = host->Page(1);
    host->TabBar()->setCurrentIndex(1);
    page->Address().edit->SetStoredText(QStringLiteral("receipt"));
    EXPECT_TRUE(page->IsChanged());
    m_answer = platform::IDNO;
    host->TabBar()->setCurrentIndex(2);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PROMPT_PAGE_SAVE"});
    EXPECT_EQ(host->ShownPage(), 2);
    EXPECT_FALSE(page->IsChanged());
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", kColumns).value(3), "000004| |" + kOld);
    EXPECT_TRUE(Profile("R_ADDRSTAMPTEXT").isNull());
    // The composed stamp stays on screen.
    EXPECT_FALSE(AllWhite(page->Address().image.Image()));
}

TEST_F(CGpSmartTabTest, FailedSecondStampLeavesRowsProfileAndPage)
{
    AllRows();
    Exec("CREATE TRIGGER refuse BEFORE UPDATE ON CSB008 WHEN NEW.GRAPHICCODE = '000002' "
         "BEGIN SELECT RAISE(ABORT, 'refused'); END");
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    page->Shop().edit->SetStoredText(QStringLiteral("SHOP"));
    const QStringList before = korvane::test::JoinedRows(DbPath(), "CSB008", kColumns);
    host->TabBar()->setCurrentIndex(1);
    EXPECT_EQ(m_messages, QStringList({"CRDS_PROMPT_PAGE_SAVE", "CRDS_CMN_ERR_SAVE_FAILED"}));
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", kColumns), before);
    EXPECT_TRUE(Stored("000001").isEmpty());
    EXPECT_TRUE(Profile("SHOP1STAMPTEXT").isNull());
    EXPECT_TRUE(Profile("SHOP1RPTWIDTH").isNull());
    EXPECT_EQ(host->ShownPage(), 0);
    EXPECT_EQ(host->TabBar()->currentIndex(), 0);
    EXPECT_TRUE(page->IsChanged());
    EXPECT_TRUE(TempFiles(QStringLiteral("QRT")).isEmpty());

    // OK after a failed save keeps the window open; No ends it unsaved.
    m_messages.clear();
    host->show();
    Control<QPushButton>(page, CGpSmartDlg::IDC_PAGEOK)->click();
    EXPECT_TRUE(host->isVisible());
    m_answer = platform::IDNO;
    Control<QPushButton>(page, CGpSmartDlg::IDC_PAGEOK)->click();
    EXPECT_FALSE(host->isVisible());
    EXPECT_EQ(host->result(), platform::IDOK);
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", kColumns), before);
}

TEST_F(CGpSmartTabTest, OkSavesAndCancelEndsUnsaved)
{
    AllRows();
    auto host = Open();
    host->show();
    host->Page(0)->Shop().edit->SetStoredText(QStringLiteral("x"));
    Control<QPushButton>(host->Page(0), CGpSmartDlg::IDC_PAGECANCEL)->click();
    EXPECT_FALSE(host->isVisible());
    EXPECT_EQ(host->result(), platform::IDCANCEL);
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(korvane::test::JoinedRows(DbPath(), "CSB008", kColumns).value(0), "000001| |" + kOld);

    host = Open();
    host->show();
    host->TabBar()->setCurrentIndex(1);
    Control<QPushButton>(host->Page(1), CGpSmartDlg::IDC_PAGEOK)->click();
    EXPECT_FALSE(host->isVisible());
    EXPECT_EQ(host->result(), platform::IDOK);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PROMPT_PAGE_SAVE"});
    const QStringList rows = korvane::test::JoinedRows(DbPath(), "CSB008", kColumns);
    EXPECT_EQ(rows.value(2), "000003|ToolOutput.bmp|" + kStamp);
    EXPECT_EQ(rows.value(3), "000004|ToolOutput.bmp|" + kStamp);
    EXPECT_EQ(QImage::fromData(Stored("000004")).size(), QSize(448, 96));
}

TEST_F(CGpSmartTabTest, NoTemplatesAndKeys)
{
    auto host = Open();
    CGpSmartDlg* page = host->Page(2);
    ASSERT_TRUE(page->Templates().isEmpty());
    EXPECT_FALSE(page->Shop().prev->isEnabled());
    EXPECT_TRUE(page->Shop().next->isEnabled());
    page->Shop().next->click();
    EXPECT_TRUE(page->IsChanged());
    EXPECT_EQ(page->Shop().applied, -1);
    EXPECT_TRUE(AllWhite(page->Shop().image.Image()));

    // Enter in a text edit breaks the line; on the tab bar it does nothing.
    CMessageEdit* edit = host->Page(0)->Shop().edit;
    QTest::keyClicks(edit, QStringLiteral("AB"));
    QTest::keyClick(edit, Qt::Key_Return);
    QTest::keyClicks(edit, QStringLiteral("C"));
    EXPECT_EQ(edit->StoredText(), QStringLiteral("AB\r\nC"));
    EXPECT_TRUE(host->Page(0)->IsChanged());
    host->show();
    QTest::keyClick(host->TabBar(), Qt::Key_Return);
    EXPECT_TRUE(host->isVisible());
    EXPECT_TRUE(m_messages.isEmpty());
    // Tab is no character of a stamp text.
    QTest::keyClick(edit, Qt::Key_Tab);
    EXPECT_EQ(edit->StoredText(), QStringLiteral("AB\r\nC"));
}

TEST_F(CGpSmartTabTest, UnreadableStoredStampDisablesItsPageOnly)
{
    AllRows();
    StoreImage("000003", "shop.bmp", "no picture");
    auto host = Open();
    EXPECT_EQ(m_messages, QStringList{"CRDS_ERR_READIMGFILE"});
    CGpSmartDlg* broken = host->Page(1);
    EXPECT_TRUE(broken->IsBroken());
    EXPECT_FALSE(Control(broken, CGpSmartDlg::IDC_PAGEOK)->isEnabled());
    EXPECT_FALSE(Control(broken, 1009)->isEnabled());
    EXPECT_TRUE(Control(broken, CGpSmartDlg::IDC_PAGEHELP)->isEnabled());
    EXPECT_TRUE(Control(broken, CGpSmartDlg::IDC_PAGECANCEL)->isEnabled());
    EXPECT_TRUE(TempFiles(QStringLiteral("QRM")).isEmpty());
    EXPECT_FALSE(host->Page(0)->IsBroken());
    EXPECT_FALSE(host->Page(2)->IsBroken());

    // The other tabs work; nothing is saved from the broken page.
    m_messages.clear();
    host->TabBar()->setCurrentIndex(1);
    host->TabBar()->setCurrentIndex(2);
    host->Page(2)->Shop().edit->SetStoredText(QStringLiteral("out"));
    host->TabBar()->setCurrentIndex(0);
    EXPECT_EQ(m_messages, QStringList{"CRDS_PROMPT_PAGE_SAVE"});
    const QStringList rows = korvane::test::JoinedRows(DbPath(), "CSB008", kColumns);
    EXPECT_EQ(rows.value(2), "000003|shop.bmp|" + kOld);
    EXPECT_EQ(rows.value(4), "000011|ToolOutput.bmp|" + kStamp);
    EXPECT_EQ(Stored("000003"), QByteArray("no picture"));
}

TEST_F(CGpSmartTabTest, StoredStampIsTheSourceAndAFontChoiceRedraws)
{
    AllRows();
    CImgCanvas logo;
    ASSERT_TRUE(logo.Create(576, 168));
    QPainter(&logo.Image()).fillRect(0, 0, 10, 168, Qt::black);
    StoreImage("000011", "logo.bmp", MonoBytes(logo));
    auto host = Open();
    CGpSmartDlg* page = host->Page(2);
    EXPECT_EQ(InkColumns(page->Shop().image.Image()), std::make_pair(0, 9));
    page->SetFontChooser([](QWidget*, QFont& font) {
        font.setPixelSize(40);
        font.setBold(true);
        return true;
    });
    Control<QPushButton>(page, 1016)->click();
    EXPECT_TRUE(page->IsChanged());
    EXPECT_EQ(page->Shop().height, -40);
    EXPECT_EQ(page->Shop().weight, int(QFont::Bold));
    // Clear: white, with nothing composed in.
    Control<QPushButton>(page, 1035)->click();
    EXPECT_TRUE(AllWhite(page->Shop().image.Image()));
    EXPECT_TRUE(AllWhite(page->Shop().loaded.Image()));
}

TEST_F(CGpSmartTabTest, PagesKeepTheTemplateRules)
{
    CGpSmartLogo logo(m_db.get());
    EXPECT_EQ(korvane::test::DialogFaults(&logo, CProgramLang::LangDatas(), "Pellark"),
              QStringList());
    CGpSmartRyoushu receipt(m_db.get());
    EXPECT_EQ(korvane::test::DialogFaults(&receipt, CProgramLang::LangDatas(), "Pellark"),
              QStringList());
    auto host = Open();
    EXPECT_EQ(Control(host->Page(1), 1060)->property("title").toString(),
              GetLangString(QStringLiteral("CRDC_STATIC_MAKERYOUSHUSHOPSTAMP")));
    EXPECT_EQ(Control(host->Page(2), 1066)->property("text").toString(),
              GetLangString(QStringLiteral("CRDS_IM_OUTSIDEPRINTLOGOTEMTEXT1")));
    EXPECT_EQ(Control(host->Page(0), 1057)->property("title").toString(),
              GetLangString(QStringLiteral("CRDS_IM_INSIDEPRINTLOGO2")));
    // Help at the left, Cancel rightmost, OK left of it.
    const auto x = [&](uint id) { return Control(host->Page(0), id)->geometry().x(); };
    EXPECT_LT(x(CGpSmartDlg::IDC_PAGEHELP), x(CGpSmartDlg::IDC_PAGEOK));
    EXPECT_LT(x(CGpSmartDlg::IDC_PAGEOK), x(CGpSmartDlg::IDC_PAGECANCEL));
}

TEST_F(CGpSmartTabTest, ImageButtonShapeFaceAndDrops)
{
    QImage stamp(576, 168, QImage::Format_RGB888);
    stamp.fill(Qt::white);
    CGpImgButton keepHeight;
    keepHeight.resize(100, 84);
    keepHeight.SetImage(&stamp);
    EXPECT_EQ(keepHeight.size(), QSize(288, 84));
    keepHeight.SetNarrow(true);
    EXPECT_EQ(keepHeight.size(), QSize(192, 84));
    CGpImgButton keepWidth;
    keepWidth.SetKeepHeight(false);
    keepWidth.resize(288, 10);
    keepWidth.SetImage(&stamp);
    EXPECT_EQ(keepWidth.size(), QSize(288, 84));
    // In a box, a shape that would leave it shrinks to fit.
    QImage tall(160, 100, QImage::Format_RGB888);
    keepWidth.SetBox(QSize(180, 44));
    keepWidth.SetImage(&tall);
    EXPECT_EQ(keepWidth.size(), QSize(70, 44));
    keepWidth.SetImage(&stamp);
    EXPECT_EQ(keepWidth.size(), QSize(152, 44));
    keepWidth.SetBox(QSize());
    keepWidth.resize(288, 10);
    keepWidth.SetImage(&stamp);

    keepWidth.setEnabled(false);
    const QImage face = keepWidth.grab().toImage();
    EXPECT_EQ(QColor(face.pixel(0, 0)), QColor(128, 128, 128));
    EXPECT_EQ(QColor(face.pixel(10, 10)), QColor(250, 250, 250));
    keepWidth.setEnabled(true);
    const QImage shown = keepWidth.grab().toImage();
    EXPECT_EQ(QColor(shown.pixel(0, 0)), QColor(Qt::black));
    EXPECT_EQ(QColor(shown.pixel(10, 10)), QColor(Qt::white));

    // Only a button that takes files keeps the first local one.
    int dropped = 0;
    QObject::connect(&keepHeight, &CGpImgButton::fileDropped, [&] { ++dropped; });
    const QList<QUrl> urls{QUrl(QStringLiteral("http://example.com/a.png")),
                           QUrl::fromLocalFile(QStringLiteral("/tmp/first.png")),
                           QUrl::fromLocalFile(QStringLiteral("/tmp/second.png"))};
    keepHeight.DropFiles(urls);
    EXPECT_EQ(dropped, 0);
    keepHeight.SetAcceptFiles(true);
    keepHeight.DropFiles(urls);
    EXPECT_EQ(dropped, 1);
    EXPECT_EQ(keepHeight.DroppedFile(), QStringLiteral("/tmp/first.png"));
}

TEST_F(CGpSmartTabTest, FileDroppedOnTheShopStampGoesToTheEditor)
{
    auto host = Open();
    CGpSmartDlg* page = host->Page(0);
    QImage picture(40, 20, QImage::Format_RGB32);
    picture.fill(Qt::black);
    const QString png = m_suite.folders().scratch() + QStringLiteral("/logo.png");
    ASSERT_TRUE(picture.save(png));
    const QString text = m_suite.folders().scratch() + QStringLiteral("/notes.txt");
    korvane::test::writeFile(text, "text");

    page->Shop().preview->DropFiles({QUrl::fromLocalFile(text)});
    EXPECT_EQ(m_messages, QStringList{"CRDS_IM_WRN_IGNORE_EXT"});
    EXPECT_TRUE(m_requests.isEmpty());
    page->Address().preview->DropFiles({QUrl::fromLocalFile(png)});
    EXPECT_TRUE(m_requests.isEmpty());

    m_editorOutput = QImage(576, 168, QImage::Format_RGB888);
    m_editorOutput.fill(Qt::white);
    QPainter(&m_editorOutput).fillRect(0, 0, 40, 20, Qt::black);
    page->Shop().preview->DropFiles({QUrl::fromLocalFile(png)});
    ASSERT_EQ(m_requests.size(), 1);
    // The editor starts from a copy of the dropped picture.
    EXPECT_TRUE(m_requests[0].sourceFile.endsWith(QLatin1String(".bmp")));
    EXPECT_FALSE(QFile::exists(m_requests[0].sourceFile));
    EXPECT_TRUE(page->IsChanged());
    EXPECT_EQ(InkColumns(page->Shop().image.Image()), std::make_pair(0, 39));
    EXPECT_TRUE(TempFiles(QStringLiteral("QRT")).isEmpty());
}

} // namespace
