// The assembled program reads an introduction that another build wrote under another file key,
// and saves it again under its own key.

#include "AppHarness.h"
#include "app/MainWindow.h"
#include "introductions/EditorContent.h"
#include "introductions/core/FileKey.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/RichEdit.h"

#include <QPushButton>
#include <gtest/gtest.h>

namespace {

using namespace penrica;

TEST(ForeignKey, TheEditorShowsAnIntroductionWrittenUnderAnotherKeyAndSavesUnderOurs) {
    LibraryHarness t;
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(
        picture.save(QString::fromStdString(PathToUtf8(ImageFile(t.services.folder, "a.png")))));
    CreateFolder(MarkerFolder(t.services.folder, "a.png"));
    WriteSizeFile(t.services.folder, "a.png", {200, 100});
    const StyledText content{{{"印堂", {"黑体", 12, 0, kBold, 0x0000FF}}, {"\r\n两眉之间", {}}},
                             {}};
    const auto file = MarkerFilePath(t.services.folder, "a.png", "50！40！印堂！");
    const std::uint8_t otherKey = kFileKey ^ 0x5A;
    WriteWholeFile(file, ShiftForFile(EncodeGbk(WriteFormatText(content).text), otherKey));

    MainWindow main(t.state, t.services);
    main.画板列表条->onLeftPress(20, 20);
    t.state.lastMouseX = 52;
    t.state.lastMouseY = 41;
    QMetaObject::invokeMethod(main.时钟定时获取鼠标在画板中的位置, "timeout", Qt::DirectConnection);
    ASSERT_EQ(t.state.acupointUnderMouse, "50！40！印堂！");
    main.画板1->onDoubleClick(52, 41);
    EXPECT_EQ(WriteFormatText(ReadEditorContent(*main.超级编辑框1)).text,
              WriteFormatText(content).text);
    EXPECT_EQ(DecodeIntroduction(ReadWholeFile(file), otherKey), content)
        << "reading changes nothing";

    main.超级编辑框1->moveCursor(QTextCursor::End);
    main.超级编辑框1->insertPlainText("。");
    main.按钮保存编辑框内容->click();
    const std::string saved = ReadWholeFile(file);
    EXPECT_EQ(DetectFileKey(saved), kFileKey);
    EXPECT_EQ(DecodeIntroduction(saved).runs.back().text, "\r\n两眉之间。");
}

} // namespace
