// Figures for introductions: load and save of styled introductions of 1000 and 10000 bytes, each
// end to end (file read, decode, into the real editor with its change handling; and the writer
// plus the atomic write). Prints the time per byte to show the cost grows linearly.

#include "BenchClock.h"
#include "BenchFolder.h"
#include "introductions/EditorContent.h"
#include "introductions/IntroductionEditor.h"
#include "markers/core/MarkerRecord.h"
#include "platform/core/Files.h"
#include "platform/qt/RichEdit.h"
#include "tests/support/ScriptedPrompts.h"

#include <QApplication>
#include <QLabel>
#include <QPushButton>

using namespace penrica;

namespace {

// Chinese characters (2 bytes each) with a style change every three characters.
StyledText StyledContent(std::size_t bytes) {
    StyledText content;
    const char* faces[] = {"宋体", "黑体", "楷体_GB2312"};
    for (std::size_t i = 0; i * 6 < bytes; ++i) {
        CharFormat format;
        format.face = faces[i % 3];
        format.size = 9 + static_cast<int>(i % 5);
        format.effects = static_cast<int>(i % 16);
        format.colour = static_cast<std::uint32_t>(i * 0x10203) & 0xFFFFFF;
        content.runs.push_back({i % 17 == 16 ? "穴\r\n" : "穴位介", format});
    }
    return content;
}

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const auto root = std::filesystem::temp_directory_path() / "penrica-bench-intro";
    const ProgramFolder folder = FreshProgramFolder(root);
    CreateFolder(MarkerFolder(folder, "x.jpg"));

    MarkerState markers;
    EditorState state;
    ScriptedPrompts prompts;
    ScriptedDesktop desktop;
    Services services{prompts, desktop, folder};
    RichEdit edit;
    QLabel name, message;
    QPushButton save;
    edit.resize(360, 456);
    edit.show();
    IntroductionEditor editor(state, markers, services,
                              EditorControls{&edit, &name, &message, &save});
    int changes = 0;
    QObject::connect(&edit, &RichEdit::ContentChanged, [&] {
        ++changes;
        editor.ContentChanged();
    });
    markers.currentImage = state.editedImage = "x.jpg";

    for (std::size_t bytes : {1000u, 10000u}) {
        const std::string record = "1！1！" + std::to_string(bytes) + "！";
        markers.acupointUnderMouse = state.editedMarker = record;
        const StyledText content = StyledContent(bytes - 20);
        WriteWholeFile(MarkerFilePath(folder, "x.jpg", record), EncodeIntroduction(content).bytes);
        const double load = BestMilliseconds(5, [&] {
            editor.LoadContent(
                DecodeIntroduction(ReadWholeFile(MarkerFilePath(folder, "x.jpg", record))));
        });
        const double saveMs = BestMilliseconds(5, [&] { editor.SaveIntroduction(); });
        std::printf("%5zu bytes in the editor (%zu runs): load %7.2f ms (%.2f us/byte), "
                    "save %7.2f ms (%.2f us/byte)\n",
                    edit.ByteLength(), content.runs.size(), load, load * 1000 / edit.ByteLength(),
                    saveMs, saveMs * 1000 / edit.ByteLength());
    }
    std::printf("change notifications seen: %d\n", changes);
    std::filesystem::remove_all(root);
    return 0;
}
