// The image library through the assembled main window and real events: strip, selection,
// scrolling, adding, showing and deleting images, with the exact messages and the files on disk.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "images/ImageMessages.h"
#include "images/core/StripRules.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/SystemCalls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QGroupBox>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QProgressDialog>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <QUrl>
#include <QWindow>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

struct Library : AppHarness {
    std::unique_ptr<MainWindow> main;

    Library() { Reopen(); }
    // A new main window: its creation fills the strip from the image folder.
    void Reopen() {
        main.reset();
        main = std::make_unique<MainWindow>(state, services);
        main->show();
    }
    void PressStrip(int x, Qt::MouseButton button = Qt::LeftButton) {
        QTest::mousePress(main->画板列表条, button, {}, QPoint(x, 20));
    }
    void AddFromMenu(std::optional<std::string> file) {
        prompts.files.push_back(std::move(file));
        main->添加图片->trigger();
    }
    // Searches for `text` and clicks the row of `record` in the list, as a user reaches a point.
    void ChooseListed(const std::string& text, const std::string& record) {
        main->编辑框查找穴位->setText(QString::fromStdString(text));
        QTest::mouseClick(main->按钮查找穴位, Qt::LeftButton);
        QTreeWidget* list = main->超级列表框1;
        for (int i = 0; i < list->topLevelItemCount(); ++i) {
            if (list->topLevelItem(i)->text(2).toStdString() == record) {
                QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                                  list->visualItemRect(list->topLevelItem(i)).center());
                return;
            }
        }
        ADD_FAILURE() << "not listed: " << record;
    }
    void DeleteAt(int x) {
        PressStrip(x, Qt::RightButton);
        main->是否要删除此图片以及此图片下面所有的标注穴位介绍->trigger();
    }

    std::filesystem::path Picture(const std::string& name, QSize size, QColor colour,
                                  const char* format = "PNG",
                                  QImage::Format pixels = QImage::Format_RGB32) {
        QImage image(size, pixels);
        if (pixels == QImage::Format_Mono) { // a two-colour chart: its colour and white
            image.setColorTable({colour.rgb(), qRgb(255, 255, 255)});
            image.fill(0);
        } else {
            image.fill(colour);
        }
        const auto path = folder.path() / "outside" / PathFromUtf8(name);
        std::filesystem::create_directories(path.parent_path());
        EXPECT_TRUE(image.save(QString::fromStdString(PathToUtf8(path)), format));
        return path;
    }
    // Puts a picture into the library as adding it would, with its size file.
    void AddToLibrary(const std::string& name, QSize size, QColor colour) {
        CopyWholeFile(Picture(name, size, colour), ImageFile(services.folder, name));
        CreateFolder(MarkerFolder(services.folder, name));
        WriteSizeFile(services.folder, name, {size.width(), size.height()});
    }
    std::string Status() const { return main->标签1->text().toStdString(); }
    QColor StripAt(int x, int y) const { return main->画板列表条->Image().pixelColor(x, y); }
    int IndexOf(const std::string& name) const {
        const auto& names = state.imageNames;
        return static_cast<int>(std::find(names.begin(), names.end(), name) - names.begin()) + 1;
    }
};

TEST(ThumbnailStrip, FillDrawsEachCellAndCountsFiles) {
    Library t;
    EXPECT_EQ(t.main->画板列表条->width(), 10);
    EXPECT_EQ(t.Status(), "共有：0 张图片");

    t.AddToLibrary("红.png", {64, 64}, Qt::red);
    t.AddToLibrary("绿.png", {64, 64}, Qt::green);
    WriteWholeFile(t.services.folder.ImageFolder() / "readme.txt", "not a picture");
    CreateFolder(t.services.folder.ImageFolder() / "sub");
    t.Reopen();
    ASSERT_EQ(t.state.imageNames.size(), 3u);
    EXPECT_EQ(t.main->画板列表条->width(), 120);
    EXPECT_EQ(t.Status(), "共有：3 张图片");
    const int red = t.IndexOf("红.png"), green = t.IndexOf("绿.png"),
              text = t.IndexOf("readme.txt");
    auto cellMiddle = [](int n) { return 5 + 40 * (n - 1) + 15; };
    EXPECT_EQ(t.StripAt(cellMiddle(red), 17), QColor(Qt::red));
    EXPECT_EQ(t.StripAt(cellMiddle(green), 17), QColor(Qt::green));
    EXPECT_EQ(t.StripAt(cellMiddle(text), 17), QColor(Qt::white));
    EXPECT_EQ(t.StripAt(5 + 40 * (red - 1) - 2, 17), QColor(Qt::white)); // gap between cells
}

TEST(ThumbnailStrip, SelectionFollowsTheCellRule) {
    Library t;
    for (const char* name : {"a.png", "b.png", "c.png"})
        t.AddToLibrary(name, {40, 30}, Qt::gray);
    t.Reopen();
    const std::string first = t.state.imageNames[0], second = t.state.imageNames[1];

    for (int x : {0, 34}) {
        t.PressStrip(x);
        EXPECT_EQ(t.state.currentImage, first) << x;
    }
    t.PressStrip(35);
    EXPECT_EQ(t.state.currentImage, second);
    EXPECT_EQ(t.Status(), "当前鼠标位置图片：" + second + "   共有：3 张图片");
    EXPECT_EQ(t.StripAt(40, 20), QColor(0, 0, 255));
    EXPECT_EQ(t.StripAt(80, 20), QColor(0, 0, 255));
    EXPECT_NE(t.StripAt(0, 20), QColor(0, 0, 255)); // the first selection's mark is gone
    EXPECT_EQ(t.state.hoverEnabled, 1);
    EXPECT_EQ(t.state.markerFiles, std::vector<std::string>{"0！0！0！"});
    EXPECT_EQ(t.main->画板1->size(), QSize(40, 30));

    // Past the last cell nothing is selected.
    t.PressStrip(116);
    EXPECT_EQ(t.state.currentImage, second);
    EXPECT_TRUE(t.prompts.boxes.empty());
}

TEST(ThumbnailStrip, ScrollButtonsMoveAtMost101Steps) {
    struct Case {
        const char* button;
        int finalLeft, moves;
    };
    for (const Case& c : {Case{"图形按钮1", -202, 70}, Case{"图形按钮2", 203, 65}}) {
        SCOPED_TRACE(c.button);
        Library t;
        QWidget* strip = t.main->画板列表条;
        QTimer* timer = t.main->时钟画板列表条;
        strip->setGeometry(8, 8, 400, 40);
        QTest::mouseClick(Child(*t.main, c.button), Qt::LeftButton);
        EXPECT_EQ(timer->interval(), 1);
        int moves = 0;
        for (int tick = 0; tick < 101; ++tick) {
            ASSERT_TRUE(timer->isActive()) << tick;
            const int before = strip->x();
            QMetaObject::invokeMethod(timer, "timeout", Qt::DirectConnection);
            moves += strip->x() != before;
        }
        EXPECT_EQ(strip->x(), c.finalLeft);
        EXPECT_EQ(moves, c.moves);
        EXPECT_FALSE(timer->isActive());
        EXPECT_EQ(t.state.scrollTicks, 0);
    }
}

TEST(AddImage, MessagesInOrderForEachOutcome) {
    struct Case {
        const char* what;
        std::function<std::optional<std::string>(Library&)> choose;
        std::vector<std::string> messages;
        std::string result;
        std::size_t imagesAfter;
        Answer answer = Answer::Ok; // to the offer to scale
    };
    const Case cases[] = {
        {"cancelled", [](Library&) { return std::nullopt; }, {}, "", 0},
        {"unreadable",
         [](Library& t) { return PathToUtf8(t.folder.path() / "missing.jpg"); },
         {kUnreadableFile, kSpecialPicture, kPictureError},
         "图片错误",
         0},
        {"3001 wide, not scaled",
         [](Library& t) {
             return PathToUtf8(t.Picture("w.jpg", {3001, 8}, Qt::red, "JPEG"));
         },
         {ScaleOffer({3001, 8}), kTooWideToAdd},
         kTooWideToAdd,
         0,
         Answer::Cancel},
        {"GIF too wide: no copy can be written in its format",
         [](Library& t) {
             const auto gif = t.folder.path() / "w.gif";
             WriteWholeFile(gif, std::string("GIF89a\xB9\x0B\x0A\x00", 10) + std::string(20, '\0'));
             return PathToUtf8(gif);
         },
         {kTooWideToAdd},
         kTooWideToAdd,
         0},
        {"too large to decode even scaled",
         [](Library& t) {
             const auto huge = t.folder.path() / "huge.png";
             CopyWholeFile(std::filesystem::path(PENRICA_TEST_DATA) / "huge-20000.png", huge);
             return PathToUtf8(huge);
         },
         {ScaleOffer({20000, 20000}), kPictureError},
         "图片错误",
         0},
        {"3000 wide",
         [](Library& t) {
             return PathToUtf8(t.Picture("w.jpg", {3000, 8}, Qt::red, "JPEG"));
         },
         {},
         "添加成功",
         1},
        {"header without size, picture loads",
         [](Library& t) {
             // A PNG whose header says 0 × 0 but that Qt still measures from the same bytes
             // is hard to make; a picture format the header reader does not know serves.
             return PathToUtf8(t.Picture("p.ppm", {20, 10}, Qt::red, "PPM"));
         },
         {kSpecialPicture},
         "添加成功",
         1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Library t;
        t.prompts.decide = [&c](const ShownBox&) { return c.answer; };
        t.AddFromMenu(c.choose(t));
        EXPECT_EQ(t.prompts.Texts(), c.messages);
        EXPECT_EQ(t.state.imageNames.size(), c.imagesAfter);
        EXPECT_EQ(t.Status(), "共有：" + std::to_string(c.imagesAfter) + " 张图片");
    }
}

TEST(AddImage, WritesSizeFileAndKeepsExistingImage) {
    Library t;
    const auto gif = t.Picture("头部.gif", {640, 480}, Qt::blue, "BMP"); // BMP bytes, GIF name
    t.AddFromMenu(PathToUtf8(gif));
    EXPECT_EQ(t.state.imageNames, std::vector<std::string>{"头部.gif"});
    EXPECT_EQ(ReadWholeFile(MarkerFilePath(t.services.folder, "头部.gif", kSizeFileName)),
              "640\xA3\xA1"
              "480");
    ASSERT_EQ(t.prompts.fileDialogs.size(), 1u);
    EXPECT_EQ(t.prompts.fileDialogs[0].filter, "jpg(jpg)|*.jpg|bmp(bmp)|*.bmp|gif(gif)|*.gif");

    // The same name again: refused, and the file in the library is untouched.
    const std::string before = ReadWholeFile(ImageFile(t.services.folder, "头部.gif"));
    const auto other = t.Picture("again/头部.gif", {10, 10}, Qt::red, "BMP");
    t.AddFromMenu(PathToUtf8(other));
    EXPECT_EQ(t.prompts.Texts().back(), kImageExists);
    EXPECT_EQ(ReadWholeFile(ImageFile(t.services.folder, "头部.gif")), before);
}

TEST(AddImage, ScaledCopyInItsOwnFormatAndTheOriginalUntouched) {
    struct Case {
        const char *name, *format;
        QSize size, stored;
        QImage::Format pixels = QImage::Format_RGB32;
        bool turned = false; // with a phone's note to turn it a quarter clockwise
    };
    // That note: an EXIF block whose orientation is 6.
    const std::string turnNote(
        "\xFF\xE1\x00\x22"
        "Exif\0\0MM\0\x2A\0\0\0\x08\0\x01\x01\x12\0\x03\0\0\0\x01\0\x06\0\0\0\0\0\0",
        36);
    for (const Case& c :
         {Case{"手机.jpg", "JPEG", {4032, 3024}, {3000, 2250}},
          Case{"竖拍.jpg", "JPEG", {4032, 3024}, {3000, 4000}, QImage::Format_RGB32, true},
          Case{"长图.png", "PNG", {3200, 8000}, {1600, 4000}},
          Case{"两色.png", "PNG", {4000, 300}, {3000, 225}, QImage::Format_Mono}}) {
        SCOPED_TRACE(c.name);
        Library t;
        const auto original = t.Picture(c.name, c.size, Qt::darkGreen, c.format, c.pixels);
        if (c.turned) {
            WriteWholeFile(original, ReadWholeFile(original).insert(2, turnNote));
        }
        const std::string before = ReadWholeFile(original);
        t.AddFromMenu(PathToUtf8(original));
        ASSERT_EQ(t.prompts.boxes.size(), 1u);
        EXPECT_EQ(t.prompts.boxes[0].buttons, Buttons::OkCancel);
        EXPECT_EQ(ReadWholeFile(original), before);
        EXPECT_EQ(ReadWholeFile(MarkerFilePath(t.services.folder, c.name, kSizeFileName)),
                  std::to_string(c.stored.width()) + "\xA3\xA1" +
                      std::to_string(c.stored.height()));
        QImageReader stored(
            QString::fromStdString(PathToUtf8(ImageFile(t.services.folder, c.name))));
        stored.setDecideFormatFromContent(true);
        EXPECT_EQ(stored.format(), QByteArray(c.format).toLower());
        const QColor middle = stored.read().pixelColor(c.stored.width() / 2, c.stored.height() / 2);
        EXPECT_LT(std::abs(middle.green() - QColor(Qt::darkGreen).green()) + middle.red(), 12);
        t.PressStrip(20); // shown at its stored size, as any picture
        EXPECT_EQ(t.main->画板1->size(), c.stored);
    }
}

// A drag as the window system delivers it to the window at `at`; true when the window took it.
bool DragOnto(Library& t, QPoint at, const QMimeData& data,
              Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction) {
    QWindow* window = t.main->windowHandle();
    QDragEnterEvent enter(at, actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &enter);
    QDragMoveEvent move(at, actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &move); // its answer is the one the file manager gets
    if (!move.isAccepted()) {
        QDragLeaveEvent leave;
        QApplication::sendEvent(window, &leave);
        return false;
    }
    EXPECT_EQ(move.dropAction(), Qt::CopyAction) << "a move lets the file manager remove it";
    QDropEvent drop(at, actions, &data, Qt::LeftButton, {});
    QApplication::sendEvent(window, &drop);
    QApplication::processEvents();
    return drop.isAccepted();
}

std::unique_ptr<QMimeData> Urls(const std::vector<std::string>& addresses) {
    auto data = std::make_unique<QMimeData>();
    QList<QUrl> urls;
    for (const std::string& address : addresses)
        urls.push_back(QUrl::fromUserInput(QString::fromStdString(address)));
    data->setUrls(urls);
    return data;
}

TEST(AddImages, FilesDroppedAnywhereOnTheWindowAreAddedAsChosenOnes) {
    Library t;
    WriteWholeFile(t.folder.path() / "说明.txt", "not a picture");
    t.main->超级编辑框1->setEnabled(true);
    t.main->超级编辑框1->setPlainText(QStringLiteral("介绍"));
    auto centre = [&t](QWidget* w) { return w->mapTo(t.main.get(), w->rect().center()); };

    // On the editor, which would take the paths as text: a picture, a folder and a text file.
    // Each is tried as a chosen file is, and a refusal stops none of the others.
    ASSERT_TRUE(DragOnto(t, centre(t.main->超级编辑框1),
                         *Urls({PathToUtf8(t.Picture("拖.png", {20, 10}, Qt::red)),
                                PathToUtf8(t.folder.path() / "outside"),
                                PathToUtf8(t.folder.path() / "说明.txt")})));
    EXPECT_EQ(t.prompts.Texts(),
              (std::vector<std::string>{kUnreadableFile, kSpecialPicture, kPictureError,
                                        kSpecialPicture, kPictureError}));
    EXPECT_EQ(t.state.imageNames, std::vector<std::string>{"拖.png"});
    EXPECT_EQ(t.Status(), "添加成功 1 张，未添加 2 张");
    EXPECT_EQ(t.main->超级编辑框1->toPlainText(), QStringLiteral("介绍"));

    // One file on the image frame: as from the menu, the image count follows.
    ASSERT_TRUE(DragOnto(t, centre(t.main->分组框1),
                         *Urls({PathToUtf8(t.Picture("二.png", {20, 10}, Qt::red))})));
    EXPECT_EQ(t.Status(), "共有：2 张图片");

    // Not taken: a web address, a drag that can only move the file.
    const auto third = PathToUtf8(t.Picture("三.png", {20, 10}, Qt::red));
    EXPECT_FALSE(DragOnto(t, centre(t.main->分组框1), *Urls({"https://example.com/a.png"})));
    EXPECT_FALSE(DragOnto(t, centre(t.main->分组框1), *Urls({third}), Qt::MoveAction));
    EXPECT_EQ(t.state.imageNames.size(), 2u);
}

TEST(AddImages, ALongRunShowsProgressAndCancelStopsBeforeTheNextFile) {
    Library t;
    t.AddToLibrary("一.png", {10, 10}, Qt::red);
    std::vector<std::string> chosen = {
        PathToUtf8(t.Picture("宽.jpg", {3200, 100}, Qt::red, "JPEG"))};
    for (const char* name : {"一.png", "一.png", "四.png"})
        chosen.push_back(PathToUtf8(t.Picture(name, {5, 5}, Qt::red)));
    t.prompts.fileLists.push_back(chosen);
    auto progress = [] {
        return qobject_cast<QProgressDialog*>(QApplication::activeModalWidget());
    };
    int box = 0;
    t.prompts.decide = [&](const ShownBox&) {
        QProgressDialog* dialog = progress();
        if (box++ == 0) { // the offer, answered after a while; only then the dialog comes
            EXPECT_EQ(dialog, nullptr);
            QTest::qWait(700);
        } else if (!dialog) {
            ADD_FAILURE() << "no progress dialog";
        } else if (box == 2) { // a stray Return cancels nothing
            QTest::keyClick(dialog->focusWidget() ? dialog->focusWidget() : dialog, Qt::Key_Return);
        } else {
            QTest::mouseClick(dialog->findChild<QPushButton*>(), Qt::LeftButton);
        }
        return Answer::Ok;
    };
    t.main->添加图片->trigger();
    EXPECT_EQ(t.prompts.Texts(),
              (std::vector<std::string>{ScaleOffer({3200, 100}), kImageExists, kImageExists}));
    EXPECT_EQ(t.state.imageNames.size(), 2u); // 宽.jpg stays; 四.png was never tried
    EXPECT_EQ(t.Status(), "添加成功 1 张，未添加 3 张");
    EXPECT_EQ(progress(), nullptr);
}

TEST(ShowImage, SizeFileDecidesAndIsRepaired) {
    struct Case {
        std::optional<std::string> sizeFile; // nothing: no marker folder at all
        std::vector<std::string> messages;
        QSize panel;
        std::string sizeFileAfter;
    };
    const std::string ok = "640\xA3\xA1"
                           "480";
    const Case cases[] = {
        {ok, {}, {640, 480}, ok},
        {"\xA3\xB6\xA3\xB4\xA3\xB0\xA3\xA1\xA3\xB4\xA3\xB8\xA3\xB0", {}, {640, 480}, ""},
        {"640",
         {kSizeRepaired},
         {64, 48},
         "64\xA3\xA1"
         "48"},
        {"0\xA3\xA1"
         "480",
         {kSizeRepaired},
         {64, 48},
         "64\xA3\xA1"
         "48"},
        {"4000\xA3\xA1"
         "4000",
         {},
         {4000, 4000},
         ""},
        {"4001\xA3\xA1"
         "10",
         {kTooWideToShow},
         {0, 0},
         ""}, // as the zoom left it
        {std::nullopt, {kSizeRepaired}, {64, 48}, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.sizeFile.value_or("no marker folder"));
        Library t;
        CopyWholeFile(t.Picture("x.png", {64, 48}, Qt::red), ImageFile(t.services.folder, "x.png"));
        if (c.sizeFile) {
            CreateFolder(MarkerFolder(t.services.folder, "x.png"));
            WriteWholeFile(MarkerFilePath(t.services.folder, "x.png", kSizeFileName), *c.sizeFile);
        }
        t.Reopen();
        t.main->滑块条1->setValue(5);
        t.prompts.boxes.clear();
        const float zoom = t.state.zoomFactor;
        t.PressStrip(20);
        EXPECT_EQ(t.prompts.Texts(), c.messages);
        EXPECT_EQ(t.main->画板1->size(), c.panel);
        EXPECT_EQ(t.main->滑块条1->value(), 10);
        EXPECT_FLOAT_EQ(t.state.zoomFactor, zoom); // the slider moved without zooming
        if (!c.sizeFileAfter.empty()) {
            EXPECT_EQ(ReadWholeFile(MarkerFilePath(t.services.folder, "x.png", kSizeFileName)),
                      c.sizeFileAfter);
        }
    }
}

TEST(ShowImage, CentredInFrameAndRingAtAcupoint) {
    Library t;
    t.AddToLibrary("x.png", {312, 264}, Qt::white);
    WriteWholeFile(MarkerFilePath(t.services.folder, "x.png", "152！87！印堂！"), "");
    WriteWholeFile(MarkerFilePath(t.services.folder, "x.png", "1！2！A！B！"), "");
    t.Reopen();
    t.PressStrip(20);
    EXPECT_EQ(t.main->画板1->pos(), QPoint(140, 100));
    EXPECT_EQ(t.state.imageWidth, 312);

    t.ChooseListed("印堂", "152！87！印堂！");
    EXPECT_EQ(t.state.currentImage, "x.png");
    EXPECT_EQ(t.main->画板1->pos(), QPoint(98, 113));
    EXPECT_EQ(t.main->画板1->Image().pixelColor(152 + 25, 87), QColor(0, 0, 255));
    EXPECT_EQ(t.main->画板1->Image().pixelColor(152, 87), QColor(Qt::white));
    EXPECT_EQ(t.main->画板1->PenWidth(), 1);
    EXPECT_EQ(t.main->画板1->PenColour(), 0u);

    t.ChooseListed("A", "1！2！A！B！");
    EXPECT_EQ(t.prompts.Texts().back(), "文件名错误：1！2！A！B！");
    EXPECT_EQ(t.main->画板1->pos(), QPoint(140, 100));
}

TEST(DeleteImage, ConfirmCancelAndNoImageUnderTheClick) {
    struct Case {
        const char* what;
        int x;
        Answer answer;
        bool markerFolder;
        std::size_t imagesAfter;
        bool readOnly = false; // the marker folder
    };
    const Case cases[] = {
        {"confirmed", 50, Answer::Ok, true, 1},
        {"cancelled", 50, Answer::Cancel, true, 2},
        {"no marker folder", 50, Answer::Ok, false, 1},
        {"past the last cell", 76, Answer::Ok, true, 2},
        {"read-only marker folder: the picture stays too", 50, Answer::Ok, true, 2, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        if (c.readOnly && !system::kFoldersHaveWritePermission) {
            continue;
        }
        Library t;
        t.AddToLibrary("a.png", {10, 10}, Qt::red);
        t.AddToLibrary("b.png", {10, 10}, Qt::red);
        t.Reopen();
        const std::string second = t.state.imageNames[1];
        const auto markers = MarkerFolder(t.services.folder, second);
        WriteWholeFile(markers / PathFromUtf8("1！1！甲！"), "text");
        if (!c.markerFolder)
            DeleteFolderTree(markers);
        using std::filesystem::perms;
        if (c.readOnly)
            std::filesystem::permissions(markers, perms::owner_read | perms::owner_exec);
        t.prompts.answers.push_back(c.answer);
        t.DeleteAt(c.x);
        std::error_code gone;
        std::filesystem::permissions(markers, perms::owner_all, std::filesystem::perm_options::add,
                                     gone);
        EXPECT_EQ(t.Status() == DeleteMarkersText(second, Deletion::Failed), c.readOnly);
        EXPECT_EQ(t.state.imageNames.size(), c.imagesAfter);
        const bool deleted = c.imagesAfter == 1;
        EXPECT_EQ(Exists(ImageFile(t.services.folder, second)), !deleted);
        EXPECT_EQ(Exists(markers), !deleted && c.markerFolder);
        EXPECT_TRUE(IsFolder(t.services.folder.MarkerRoot()));
        EXPECT_EQ(t.main->画板1->width(), 0);
        if (c.x == 50) {
            ASSERT_EQ(t.prompts.boxes.size(), 1u);
            EXPECT_EQ(t.prompts.boxes[0].text, DeleteQuestion(second));
            EXPECT_EQ(t.prompts.boxes[0].buttons, Buttons::OkCancel);
        } else {
            EXPECT_TRUE(t.prompts.boxes.empty());
        }
    }
}

TEST(DeleteImage, EmptyLibraryNeverTouchesTheMarkerRoot) {
    Library t;
    WriteWholeFile(t.services.folder.MarkerRoot() / "keep.txt", "x");
    t.DeleteAt(0);
    EXPECT_TRUE(Exists(t.services.folder.MarkerRoot() / "keep.txt"));
    EXPECT_EQ(t.prompts.menus.size(), 1u);
}

} // namespace
