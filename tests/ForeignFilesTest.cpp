// Files the program did not write, in the image folder and in a marker folder: nothing crashes,
// memory stays bounded, and every reader reports what it must and goes on.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "images/ImageMessages.h"
#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <algorithm>

#ifndef PENRICA_TEST_DATA
#define PENRICA_TEST_DATA "."
#endif

namespace {

// A file name that is no valid text on the system, and how the program shows it.
#ifdef _WIN32
const std::filesystem::path kNoTextName = std::wstring(L"\xD800-not-utf16");
const std::string kNoTextNameShown = "\xEF\xBF\xBD-not-utf16";
#else
const std::filesystem::path kNoTextName = "\xFF\xFE-not-utf8";
const std::string kNoTextNameShown = "\xFF\xFE-not-utf8";
#endif

using namespace penrica;

struct Library : LibraryHarness {
    std::unique_ptr<MainWindow> main;
    void Put(const std::string& name, const std::string& bytes) {
        ASSERT_TRUE(WriteWholeFile(ImageFile(services.folder, name), bytes));
    }
    void Open() { main = std::make_unique<MainWindow>(state, services); }
    void Click(int cell) { main->画板列表条->onLeftPress(40 * cell - 20, 20); }
    void TickHoverTimer() {
        QMetaObject::invokeMethod(main->时钟定时获取鼠标在画板中的位置, "timeout",
                                  Qt::DirectConnection);
    }
};

std::string JpegBytes(QSize size) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkGreen);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG");
    return bytes.toStdString();
}

TEST(ForeignFiles, ImageFolderWithNonPicturesTruncatedAndHugeOnes) {
    Library t;
    const std::string jpeg = JpegBytes({400, 300});
    t.Put("ok.jpg", jpeg);
    t.Put("cut.jpg", jpeg.substr(0, jpeg.size() / 3));
    t.Put("empty.jpg", "");
    t.Put("notes.txt", "not a picture at all");
    CopyWholeFile(std::filesystem::path(PENRICA_TEST_DATA) / "huge-20000.png",
                  ImageFile(t.services.folder, "huge.png"));
    t.Open();
    ASSERT_EQ(t.state.imageNames.size(), 5u);
    EXPECT_EQ(t.main->画板列表条->width(), 200);
    for (int cell = 1; cell <= 5; ++cell) {
        const std::string name = t.state.imageNames[static_cast<std::size_t>(cell - 1)];
        SCOPED_TRACE(name);
        t.prompts.boxes.clear();
        t.Click(cell);
        EXPECT_EQ(t.state.currentImage, name);
        const auto texts = t.prompts.Texts();
        ASSERT_FALSE(texts.empty()); // no size files: every show repairs or refuses
        EXPECT_EQ(texts[0], kSizeRepaired);
        if (name == "huge.png") {
            EXPECT_EQ(texts.back(), kTooWideToShow);
            const QImage& picture = t.main->画板1->BackgroundPicture();
            EXPECT_LE(std::max(picture.width(), picture.height()), 4096); // decoded shrunk or not
        }
        if (name == "empty.jpg" || name == "notes.txt") {
            EXPECT_EQ(texts.back(), kSizeUnrepairable);
            EXPECT_EQ(t.main->画板1->width(), 0);
        }
    }
}

TEST(ForeignFiles, MarkerFolderWithJunk) {
    Library t;
    t.Put("a.jpg", JpegBytes({200, 100}));
    const auto markers = MarkerFolder(t.services.folder, "a.jpg");
    CreateFolder(markers);
    WriteSizeFile(t.services.folder, "a.jpg", {200, 100});
    WriteWholeFile(markers / PathFromUtf8("10！10！印堂！"),
                   std::string("\0\xFF\x01garbage\xA3", 11));
    WriteWholeFile(markers / PathFromUtf8("30！30！空！"), "");
    WriteWholeFile(markers / PathFromUtf8("1！2！A！B！"), "x");
    // Wine keeps Windows names as UTF-8, so a lone surrogate cannot be made there.
    const bool noTextNameMade = WriteWholeFile(markers / kNoTextName, "x");
    CreateFolder(markers / "sub");
    t.Open();
    t.Click(1);
    EXPECT_EQ(t.state.markerFiles.size(), noTextNameMade ? 5u : 4u);
    std::vector<std::string> foreign = {"1！2！A！B！"};
    if (noTextNameMade) {
        foreign.push_back(kNoTextNameShown);
    }

    // Hover off every marker reports the foreign names on the panel, each in its turn at the
    // top-left corner over the picture, and nothing else.
    DrawPanel expected;
    expected.resize(t.main->画板1->size());
    expected.SetBackgroundPicture(t.main->画板1->BackgroundPicture(), BackgroundMode::Centred);
    expected.SetFontSize(13);
    for (const std::string& name : t.state.markerFiles) {
        if (std::find(foreign.begin(), foreign.end(), name) != foreign.end()) {
            expected.WriteText(1, 1,
                               QString::fromStdString("发现不认识文件：" + name + " 请您删除"));
        }
    }
    t.state.lastMouseX = 150;
    t.state.lastMouseY = 80;
    t.TickHoverTimer();
    EXPECT_EQ(t.state.acupointUnderMouse, "");
    EXPECT_TRUE(t.main->画板1->Image() == expected.Image());
    // And it still finds the real marker.
    t.state.lastMouseX = 12;
    t.state.lastMouseY = 12;
    t.TickHoverTimer();
    EXPECT_EQ(t.state.acupointUnderMouse, "10！10！印堂！");

    // The binary junk holds no record, so it opens as an empty introduction with nothing
    // pending, and the file stays as it was.
    const std::string before = ReadWholeFile(markers / PathFromUtf8("10！10！印堂！"));
    ASSERT_TRUE(DecodeIntroduction(before).runs.empty());
    t.main->超级编辑框1->SetPlainContent(QStringLiteral("之前"));
    t.state.introChanged = 0;
    t.main->画板1->onDoubleClick(12, 12);
    EXPECT_TRUE(t.main->超级编辑框1->isEnabled());
    EXPECT_TRUE(t.main->超级编辑框1->IsEmpty());
    EXPECT_EQ(t.state.editedMarker, "10！10！印堂！");
    EXPECT_EQ(t.state.introChanged, 0);
    EXPECT_EQ(ReadWholeFile(markers / PathFromUtf8("10！10！印堂！")), before);
    t.state.acupointUnderMouse = "30！30！空！";
    t.main->画板1->onDoubleClick(30, 30);
    EXPECT_TRUE(t.main->超级编辑框1->IsEmpty());

    // The search reports both foreign names and lists the four-field one by its third field.
    t.prompts.boxes.clear();
    t.main->编辑框查找穴位->setText("A");
    t.main->按钮查找穴位->click();
    std::vector<std::string> reports = t.prompts.Texts();
    std::sort(reports.begin(), reports.end());
    std::vector<std::string> expectedReports;
    for (const std::string& name : foreign) {
        expectedReports.push_back("文件夹（zhujie）中存在违法文件，请你删除：" + name);
    }
    std::sort(expectedReports.begin(), expectedReports.end());
    EXPECT_EQ(reports, expectedReports);
    ASSERT_EQ(t.main->超级列表框1->topLevelItemCount(), 1);
    EXPECT_EQ(t.main->超级列表框1->topLevelItem(0)->text(0), QStringLiteral("A"));
}

} // namespace
