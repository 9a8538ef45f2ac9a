// The image editor: its caller contract, opening and dropping files, the
// edit area's mouse and zoom, and the rendered 1-bit file.
#include "images/CEditImgCtrl.h"
#include "images/CImgCanvas.h"
#include "images/CImgEditDlg.h"

#include "shared/config/CBasePath.h"
#include "shared/controls/FindControlById.h"
#include "shared/lang/CProgramLang.h"
#include "shared/lang/CSarvikApp.h"
#include "testsupport/LayoutCheck.h"
#include "testsupport/QtPrinters.h"
#include "testsupport/SuiteFixture.h"

#include "platform/FileChooser.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPainter>
#include <QImageReader>
#include <QPushButton>
#include <QTest>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>

namespace {

using pellark::CEditImgCtrl;
using pellark::CImgEditDlg;

const QString kEditData = QStringLiteral(KORVANE_SOURCE_DIR "/images/tests/data/");

class CImgEditDlgTest : public ::testing::Test
{
protected:
    void SetUp() override { Start("TESTKEY"); }
    void Start(const char* productKey)
    {
        m_suite = std::make_unique<SuiteFixture>();
        m_suite->writeIni(QByteArray("[PRODUCT]\nPRODUCTKEY=") + productKey + "\n");
        m_local = CBasePath::GetLocalTemporaryPath();
        ASSERT_TRUE(CSarvikApp::Instance().LoadLangDatas(KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        ASSERT_TRUE(CProgramLang::Initialize(QStringLiteral("Pellark"),
                                             KORVANE_SUITE_DIR "/NolvarLANG.xml"));
        platform::setMessageResponder([this](const platform::MessageRequest& request) {
            m_messages << request.key;
            return m_answer;
        });
        platform::setFileChooser([this](const platform::FileChoice& choice) {
            m_choices << choice;
            return m_chosen;
        });
    }
    void TearDown() override
    {
        platform::setFileChooser({});
        CProgramLang::Release();
        CSarvikApp::Instance().ReleaseLangDatas();
        m_suite.reset();
    }

    QString Scratch(const QString& name) const
    {
        return m_suite->folders().scratch() + u'/' + name;
    }
    korvane::test::LayoutWatch m_layout; // every editor shown keeps the layout rules
    // A picture with a diagonal ramp and a black block, so every mode and
    // every placement shows.
    QString Picture(const QString& name, int width, int height, const char* format = "PNG")
    {
        QImage image(width, height, QImage::Format_RGB32);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const int v = (x * 255 / std::max(1, width - 1) + y * 3) % 256;
                image.setPixel(x, y, qRgb(v, (v + 40) % 256, 255 - v));
            }
        QPainter(&image).fillRect(width / 4, height / 4, width / 8, height / 3, Qt::black);
        const QString path = Scratch(name);
        EXPECT_TRUE(image.save(path, format));
        return path;
    }
    QStringList QreFiles() const
    {
        return QDir(m_local).entryList({QStringLiteral("QRE*")}, QDir::Files);
    }
    std::unique_ptr<CImgEditDlg> Editor(int code = 1)
    {
        auto editor = std::make_unique<CImgEditDlg>();
        editor->EditArea()->SetGraphicType(code);
        return editor;
    }
    static bool Enabled(CImgEditDlg& editor, uint id)
    {
        return FindControlById(&editor, id)->isEnabled();
    }
    static void Click(CImgEditDlg& editor, uint id)
    {
        static_cast<QPushButton*>(FindControlById(&editor, id))->click();
    }
    // What the editor renders, and what the canvas writes by itself.
    QByteArray Rendered(CImgEditDlg& editor)
    {
        const QString output = editor.GetOutputFile();
        EXPECT_FALSE(output.isEmpty());
        return korvane::test::readFile(output);
    }
    QByteArray Expected(const QString& picture, int mode, const QSize& size, const QRect& dest)
    {
        pellark::CImgCanvas source, output;
        EXPECT_TRUE(source.Load(picture));
        source.SetConvertMode(mode);
        EXPECT_TRUE(
            source.RenderInto(output, size, dest, QRect(0, 0, source.Width(), source.Height())));
        const QString path = Scratch(QStringLiteral("expected.bmp"));
        EXPECT_TRUE(output.WriteMonoBmp(path));
        return korvane::test::readFile(path);
    }

    std::unique_ptr<SuiteFixture> m_suite;
    QString m_local;
    QStringList m_messages;
    int m_answer = platform::IDOK;
    QList<platform::FileChoice> m_choices;
    QString m_chosen;
};

TEST_F(CImgEditDlgTest, PermittedExtensionsFollowTheListsScan)
{
    const struct
    {
        const char* extension;
        const char* list;
        bool permitted;
    } cases[] = {
        {"png", "bmp|png|", true}, {"PNG", "bmp|png|", true},    {"gif", "bmp|png|", false},
        {"png", "|png|", false},   {"bmp", "png|b|bmp|", false}, {"png", "png|b|bmp|", true},
        {"png", "png", false},     {"", "bmp|png|", false},
    };
    for (const auto& c : cases) {
        m_messages.clear();
        EXPECT_EQ(CImgEditDlg::IsPermittedExtension(nullptr, QLatin1String(c.extension),
                                                    QLatin1String(c.list)),
                  c.permitted)
            << c.extension << " in " << c.list;
        EXPECT_EQ(m_messages, c.permitted ? QStringList()
                                          : QStringList{QStringLiteral("CRDS_IM_WRN_IGNORE_EXT")});
    }
}

TEST_F(CImgEditDlgTest, OpenedFilesBecomeWorkingCopiesWithTheirNames)
{
    const struct
    {
        const char* name;
        const char* format;
        const char* fileName;
    } cases[] = {
        {"logo.png", "PNG", "logo.bmp"},
        {"a.png.png", "PNG", "a.png.bmp"},
        {"x.BMP", "BMP", "x.BMP"},
    };
    for (const auto& c : cases) {
        const QString source = Picture(QLatin1String(c.name), 40, 20, c.format);
        auto editor = Editor();
        ASSERT_TRUE(editor->OpenImageFile(source)) << c.name;
        EXPECT_EQ(editor->GetFileName(), QLatin1String(c.fileName));
        const QFileInfo working(editor->WorkingFile());
        EXPECT_EQ(working.absolutePath(), QFileInfo(m_local).absoluteFilePath());
        EXPECT_TRUE(working.fileName().startsWith(QLatin1String("QRE")));
        EXPECT_EQ(working.suffix(), QFileInfo(QLatin1String(c.fileName)).suffix());
        EXPECT_EQ(QImageReader(working.filePath()).format(), "bmp");
        if (QLatin1String(c.name) == QLatin1String("x.BMP")) { // copied unconverted
            EXPECT_EQ(korvane::test::readFile(working.filePath()), korvane::test::readFile(source));
        }
        EXPECT_EQ(QreFiles().size(), 1) << c.name;
        EXPECT_EQ(editor->EditArea()->Canvas().Width(), 40);
        EXPECT_TRUE(Enabled(*editor, 1));
    }
    EXPECT_TRUE(QreFiles().isEmpty());
    EXPECT_TRUE(m_messages.isEmpty());

    // An empty source does nothing.
    auto editor = Editor();
    editor->SetSourceFile(QString());
    EXPECT_TRUE(editor->WorkingFile().isEmpty());
    EXPECT_TRUE(QreFiles().isEmpty());
}

TEST_F(CImgEditDlgTest, WorkingBmpLandsBesideItsCopyInAFolderNamedLikeAPicture)
{
    TearDown();
    Start("d.png");
    ASSERT_TRUE(m_local.contains(QLatin1String("d.png")));
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("logo.png"), 30, 10));
    EXPECT_EQ(QFileInfo(editor->WorkingFile()).absolutePath(),
              QFileInfo(m_local).absoluteFilePath());
    EXPECT_TRUE(QFileInfo::exists(editor->WorkingFile()));
    EXPECT_EQ(QreFiles().size(), 1);
}

TEST_F(CImgEditDlgTest, RenderIsTheCanvasConversionInEachMode)
{
    const QString picture = Picture(QStringLiteral("wide.png"), 576, 168);
    auto editor = Editor(1);
    editor->SetSourceFile(picture);
    EXPECT_EQ(Rendered(*editor), Expected(picture, 0, QSize(576, 168), QRect(0, 0, 576, 168)));
    EXPECT_EQ(Rendered(*editor).size(), 12158);
    Click(*editor, CImgEditDlg::IDC_CHANGEMODE);
    EXPECT_EQ(editor->ConvertMode(), 1);
    EXPECT_EQ(Rendered(*editor), Expected(picture, 1, QSize(576, 168), QRect(0, 0, 576, 168)));

    // Zoom and placement reach the render: size zoomed, position not.
    editor->EditArea()->MovePlacement(QPoint(7, -3));
    editor->EditArea()->SetZoom(50);
    EXPECT_EQ(Rendered(*editor), Expected(picture, 1, QSize(576, 168), QRect(7, -3, 288, 84)));

    // Moved fully outside: white.
    editor->EditArea()->MovePlacement(QPoint(600, 0));
    pellark::CImgCanvas white;
    ASSERT_TRUE(white.Create(576, 168));
    const QString whitePath = Scratch(QStringLiteral("white.bmp"));
    ASSERT_TRUE(white.WriteMonoBmp(whitePath));
    const QByteArray outside = Rendered(*editor);
    EXPECT_EQ(outside.size(), 12158);
    EXPECT_EQ(outside, korvane::test::readFile(whitePath));
    EXPECT_TRUE(m_messages.isEmpty());
}

TEST_F(CImgEditDlgTest, OutputTakesTheSizeOfTheGraphicType)
{
    const QString picture = Picture(QStringLiteral("p.png"), 100, 50);
    for (const auto& [code, size] :
         {std::pair{3, QSize(448, 128)}, {4, QSize(448, 96)}, {99, QSize(576, 168)}}) {
        auto editor = Editor(code);
        editor->SetSourceFile(picture);
        const QImage written = QImage::fromData(Rendered(*editor));
        EXPECT_EQ(written.size(), size) << code;
        EXPECT_EQ(written.depth(), 1);
    }
}

TEST_F(CImgEditDlgTest, NarrowPaperCutsOrPadsTheSourceAndKeepsTheFullOutput)
{
    const QString wide = Picture(QStringLiteral("wide.png"), 576, 168);
    const QImage original(wide);
    auto editor = Editor();
    editor->SetNarrow(true);
    editor->SetSourceFile(wide);
    editor->EditArea()->SetGraphicType(1);
    EXPECT_EQ(editor->EditArea()->PrintRect().width() - 1, 384);
    const QImage cut(wide);
    ASSERT_EQ(cut.size(), QSize(384, 168));
    EXPECT_EQ(cut.pixel(383, 100), original.pixel(383, 100));
    EXPECT_EQ(cut.pixel(50, 50), original.pixel(50, 50));
    const QByteArray output = Rendered(*editor);
    EXPECT_EQ(output, Expected(wide, 0, QSize(576, 168), QRect(0, 0, 384, 168)));
    // Columns from 384 on are white.
    const QImage written = QImage::fromData(output);
    ASSERT_EQ(written.width(), 576);
    for (int y = 0; y < written.height(); ++y)
        for (int x = 384; x < 576; ++x)
            ASSERT_EQ(written.pixel(x, y), qRgb(255, 255, 255)) << x << "," << y;

    // A narrower picture is padded with white, its colours kept.
    const QString narrow = Picture(QStringLiteral("narrow.png"), 200, 30);
    const QImage before(narrow);
    ASSERT_TRUE(CImgEditDlg::CropToNarrowWidth(narrow));
    const QImage padded(narrow);
    ASSERT_EQ(padded.size(), QSize(384, 30));
    EXPECT_EQ(padded.pixel(120, 20), before.pixel(120, 20));
    EXPECT_EQ(padded.pixel(200, 0), qRgb(255, 255, 255));
    EXPECT_EQ(padded.pixel(383, 29), qRgb(255, 255, 255));
}

TEST_F(CImgEditDlgTest, FitsTheScreenWithItsButtonsBelowTheEditArea)
{
    const auto editor = Editor();
    editor->Create();
    EXPECT_EQ(korvane::test::LayoutFaults(editor.get()), QStringList());
    for (uint id : {23008u, 23006u, 23007u, 1u, 2u})
        EXPECT_LT(FindControlById(editor.get(), id)->geometry().right(), editor->width()) << id;
}

TEST_F(CImgEditDlgTest, ZoomStaysWithinItsRangeAndTheButtonsFollow)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("p.png"), 100, 50));
    editor->EditArea()->SetZoom(195);
    for (int i = 0; i < 10; ++i)
        editor->OnCommand(CImgEditDlg::IDC_ZOOMIN);
    EXPECT_EQ(editor->EditArea()->Zoom(), 200);
    EXPECT_FALSE(Enabled(*editor, CImgEditDlg::IDC_ZOOMIN));
    EXPECT_TRUE(Enabled(*editor, CImgEditDlg::IDC_ZOOMOUT));
    editor->EditArea()->SetZoom(12);
    for (int i = 0; i < 5; ++i)
        editor->OnCommand(CImgEditDlg::IDC_ZOOMOUT);
    EXPECT_EQ(editor->EditArea()->Zoom(), 10);
    EXPECT_FALSE(Enabled(*editor, CImgEditDlg::IDC_ZOOMOUT));
    EXPECT_TRUE(Enabled(*editor, CImgEditDlg::IDC_ZOOMIN));
    editor->EditArea()->SetZoom(500);
    EXPECT_EQ(editor->EditArea()->Zoom(), 200);
    editor->EditArea()->SetZoom(-3);
    EXPECT_EQ(editor->EditArea()->Zoom(), 10);
    auto* zoomIn =
        static_cast<QPushButton*>(FindControlById(editor.get(), CImgEditDlg::IDC_ZOOMIN));
    EXPECT_TRUE(zoomIn->autoRepeat());
    EXPECT_EQ(zoomIn->autoRepeatDelay(), 500);
    EXPECT_EQ(zoomIn->autoRepeatInterval(), 80);
}

TEST_F(CImgEditDlgTest, HeldZoomInStopsAt200)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("p.png"), 100, 50));
    editor->show();
    editor->EditArea()->SetZoom(195);
    editor->OnCommand(CImgEditDlg::IDC_ZOOMIN); // the buttons' state follows the zoom
    QWidget* zoomIn = FindControlById(editor.get(), CImgEditDlg::IDC_ZOOMIN);
    QTest::mousePress(zoomIn, Qt::LeftButton);
    (void)QTest::qWaitFor([&] { return editor->EditArea()->Zoom() == 200 && !zoomIn->isEnabled(); },
                          5000);
    EXPECT_EQ(editor->EditArea()->Zoom(), 200);
    EXPECT_FALSE(zoomIn->isEnabled());
    QTest::mouseRelease(zoomIn, Qt::LeftButton);
}

TEST_F(CImgEditDlgTest, DraggingInsideThePictureMovesIt)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("p.png"), 100, 50));
    editor->show();
    CEditImgCtrl* area = editor->EditArea();
    EXPECT_EQ(area->ZoomedImageRect(), QRect(80, 80, 100, 50));
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(90, 90));
    QTest::mouseMove(area, QPoint(120, 75));
    QTest::mouseMove(area, QPoint(130, 70));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(130, 70));
    EXPECT_EQ(area->Placement(), QRect(40, -20, 100, 50));
    EXPECT_EQ(area->cursor().shape(), Qt::SizeAllCursor);
    // Released: moving does nothing.
    QTest::mouseMove(area, QPoint(200, 200));
    EXPECT_EQ(area->Placement().topLeft(), QPoint(40, -20));
    EXPECT_EQ(area->cursor().shape(), Qt::ArrowCursor);
    // A press outside the picture does not drag.
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(30, 30));
    QTest::mouseMove(area, QPoint(60, 60));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(60, 60));
    EXPECT_EQ(area->Placement().topLeft(), QPoint(40, -20));
    // At 200 % the picture is dragged where it is shown.
    area->SetZoom(200);
    EXPECT_EQ(area->ZoomedImageRect(), QRect(120, 60, 200, 100));
    QTest::mousePress(area, Qt::LeftButton, {}, QPoint(310, 150));
    QTest::mouseMove(area, QPoint(300, 150));
    QTest::mouseRelease(area, Qt::LeftButton, {}, QPoint(300, 150));
    EXPECT_EQ(area->Placement().topLeft(), QPoint(30, -20));
}

TEST_F(CImgEditDlgTest, DropsOpenTheFirstFileAndRefuseOtherKinds)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("old.png"), 30, 10));
    editor->SetFileName(QStringLiteral("old.bmp"));
    const auto drop = [&](const QList<QUrl>& urls) { editor->EditArea()->DropFiles(urls); };
    const QString text = Scratch(QStringLiteral("notes.txt"));
    korvane::test::writeFile(text, "text");
    drop({QUrl::fromLocalFile(text)});
    EXPECT_EQ(m_messages, QStringList{"CRDS_IM_WRN_IGNORE_EXT"});
    EXPECT_EQ(editor->GetFileName(), "old.bmp");
    EXPECT_EQ(editor->EditArea()->Canvas().Width(), 30);

    m_messages.clear();
    drop({QUrl::fromLocalFile(Picture(QStringLiteral("first.png"), 40, 20)),
          QUrl::fromLocalFile(Picture(QStringLiteral("second.png"), 50, 20)),
          QUrl::fromLocalFile(Picture(QStringLiteral("third.png"), 60, 20))});
    EXPECT_TRUE(m_messages.isEmpty());
    EXPECT_EQ(editor->GetFileName(), "first.bmp");
    EXPECT_EQ(editor->EditArea()->Canvas().Width(), 40);
    EXPECT_EQ(QreFiles().size(), 1);
}

TEST_F(CImgEditDlgTest, PictureThatFailsToOpenLeavesThePreviousOne)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("old.png"), 30, 10));
    editor->SetFileName(QStringLiteral("old.bmp"));
    const QString working = editor->WorkingFile();
    QFile::copy(kEditData + QStringLiteral("Read_hugeclaim.png"),
                Scratch(QStringLiteral("huge.png")));
    QElapsedTimer timer;
    timer.start();
    EXPECT_FALSE(editor->OpenImageFile(Scratch(QStringLiteral("huge.png"))));
    EXPECT_LT(timer.elapsed(), 1000);
    EXPECT_EQ(m_messages, QStringList{"CRDS_ERR_READIMGFILE"});
    // A file the test decode passes but the copy cannot be read: the same.
    m_messages.clear();
    const QString missing = Scratch(QStringLiteral("gone.png"));
    EXPECT_FALSE(editor->OpenImageFile(missing));
    EXPECT_EQ(m_messages, QStringList{"CRDS_ERR_READIMGFILE"});
    EXPECT_EQ(editor->WorkingFile(), working);
    EXPECT_TRUE(QFileInfo::exists(working));
    EXPECT_EQ(editor->GetFileName(), "old.bmp");
    EXPECT_EQ(editor->EditArea()->Canvas().Width(), 30);
    EXPECT_EQ(QreFiles(), QStringList{QFileInfo(working).fileName()});
}

TEST_F(CImgEditDlgTest, StartsWithTheChooserWhenThereIsNoPicture)
{
    m_chosen = Picture(QStringLiteral("chosen.png"), 40, 20);
    auto editor = Editor();
    editor->show();
    EXPECT_FALSE(Enabled(*editor, 1));
    EXPECT_FALSE(Enabled(*editor, CImgEditDlg::IDC_ZOOMIN));
    QTRY_COMPARE(m_choices.size(), 1);
    EXPECT_EQ(m_choices[0].kind, platform::FileChoice::Kind::Open);
    EXPECT_TRUE(m_choices[0].filter.contains(QLatin1String("*.png")));
    EXPECT_EQ(m_choices[0].defaultSuffix, "bmp");
    EXPECT_EQ(editor->GetFileName(), "chosen.bmp");
    EXPECT_TRUE(Enabled(*editor, 1));
    EXPECT_TRUE(Enabled(*editor, CImgEditDlg::IDC_ZOOMIN));
    EXPECT_FALSE(FindControlById(editor.get(), CImgEditDlg::IDC_HELP)->isVisible());
}

TEST_F(CImgEditDlgTest, OkAsksFirstAndNoWorkFileOutlivesTheEditor)
{
    const QString picture = Picture(QStringLiteral("p.png"), 60, 20);
    {
        auto editor = Editor();
        editor->SetSourceFile(picture);
        editor->show();
        m_answer = platform::IDCANCEL;
        Click(*editor, 1);
        EXPECT_EQ(m_messages, QStringList{"CRDS_COMFIRM_SAVE"});
        EXPECT_TRUE(editor->isVisible());
        m_answer = platform::IDOK;
        Click(*editor, 1);
        EXPECT_EQ(editor->result(), platform::IDOK);
        EXPECT_FALSE(editor->GetOutputFile().isEmpty());
        EXPECT_EQ(QreFiles().size(), 2);
    }
    EXPECT_TRUE(QreFiles().isEmpty());
    {
        auto editor = Editor();
        editor->SetSourceFile(picture);
        editor->show();
        Click(*editor, 2);
        EXPECT_EQ(editor->result(), platform::IDCANCEL);
        EXPECT_TRUE(QreFiles().isEmpty());
        EXPECT_TRUE(editor->EditArea()->Canvas().IsEmpty());
    }
}

TEST_F(CImgEditDlgTest, EditAreaDrawsAFarDraggedPictureQuickly)
{
    auto editor = Editor();
    editor->SetSourceFile(Picture(QStringLiteral("big.png"), 3000, 2000));
    editor->show();
    CEditImgCtrl* area = editor->EditArea();
    area->SetZoom(200);
    area->MovePlacement(QPoint(-100000, -100000));
    // Clamped near the print area, so a render stays small.
    EXPECT_GE(area->Placement().left(), -6000 - 1024);
    Click(*editor, CImgEditDlg::IDC_CHANGEMODE);
    QElapsedTimer timer;
    timer.start();
    area->repaint();
    EXPECT_LT(timer.elapsed(), 2000);
    EXPECT_FALSE(editor->GetOutputFile().isEmpty());
}

} // namespace
