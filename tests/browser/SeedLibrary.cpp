// Writes the program folder that the browser tests open as an atlas: four images (three drawn
// pictures and one that is not a picture), styled introductions, names that look like markup, an
// introduction under another file key, the files the atlas must report, and on the feet one name
// marked twice beside markers no self-test can ask (no name, off the picture). Every image has a
// marker far from its top-left corner, whatever order the folder lists the images in.
//
// With --standard it writes instead one image that marks every point of the fourteen meridians,
// each named as the built-in table names it, beside a second 足三里 and a name that is no point.
//
// Usage: atlas_seed_library [--standard] FOLDER   (FOLDER must not exist yet)

#include "../BmpPicture.h"
#include "introductions/core/MulticolourText.h"
#include "markers/core/MarkerRecord.h"
#include "markers/core/StandardAcupoints.h"
#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"

#include <cmath>
#include <cstdio>

using namespace penrica;

namespace {

const Rgb kPaper{246, 238, 222};
const Rgb kInk{120, 84, 60};

// Ink where the point lies within `width` of the ellipse's outline.
bool OnEllipse(int x, int y, double cx, double cy, double rx, double ry, double width) {
    const double dx = (x - cx) / rx;
    const double dy = (y - cy) / ry;
    return std::abs(std::sqrt(dx * dx + dy * dy) - 1.0) * std::min(rx, ry) < width;
}

bool OnSegment(int x, int y, double x1, double y1, double x2, double y2, double width) {
    const double vx = x2 - x1;
    const double vy = y2 - y1;
    const double t = std::clamp(((x - x1) * vx + (y - y1) * vy) / (vx * vx + vy * vy), 0.0, 1.0);
    return std::hypot(x - (x1 + t * vx), y - (y1 + t * vy)) < width;
}

// Both pictures are larger than the page's image frame, so finding a point has to scroll.
std::string Head() {
    return BmpBytes(640, 760, [](int x, int y) {
        const bool ink = OnEllipse(x, y, 320, 330, 190, 250, 2.5) || // face
                         OnSegment(x, y, 215, 240, 295, 228, 3) ||   // brows
                         OnSegment(x, y, 345, 228, 425, 240, 3) ||
                         OnEllipse(x, y, 255, 290, 32, 13, 1.5) || // eyes
                         OnEllipse(x, y, 385, 290, 32, 13, 1.5) ||
                         OnSegment(x, y, 320, 280, 302, 390, 2) || // nose
                         OnSegment(x, y, 302, 390, 336, 393, 2) ||
                         OnEllipse(x, y, 320, 475, 58, 16, 2) ||   // mouth
                         OnSegment(x, y, 250, 565, 235, 760, 3) || // neck
                         OnSegment(x, y, 390, 565, 405, 760, 3);
        return ink ? kInk : kPaper;
    });
}

std::string Arm() {
    return BmpBytes(1100, 720, [](int x, int y) {
        const bool ink = OnSegment(x, y, 120, 560, 500, 330, 3) || // forearm
                         OnSegment(x, y, 150, 640, 530, 410, 3) ||
                         OnSegment(x, y, 500, 330, 1040, 70, 3) || // upper arm
                         OnSegment(x, y, 530, 410, 1070, 170, 3) ||
                         OnEllipse(x, y, 110, 610, 70, 60, 2.5); // hand
        return ink ? kInk : kPaper;
    });
}

std::string Feet() {
    return BmpBytes(900, 800, [](int x, int y) {
        const bool ink =
            OnEllipse(x, y, 250, 450, 120, 280, 2.5) || OnEllipse(x, y, 650, 450, 120, 280, 2.5);
        return ink ? kInk : kPaper;
    });
}

const CharFormat kBody{"宋体", 11, 0, 0, kAutomaticColour};

CharFormat Styled(std::string face, int size, int effects, std::uint32_t colour) {
    return {std::move(face), size, 0, effects, colour};
}

struct Seed {
    ProgramFolder folder;

    bool Image(const std::string& name, const std::string& bytes, PictureSize size) {
        return WriteWholeFile(ImageFile(folder, name), bytes) &&
               CreateFolder(MarkerFolder(folder, name)) && WriteSizeFile(folder, name, size);
    }
    bool Marker(const std::string& image, int x, int y, const std::string& name,
                const std::string& bytes) {
        return WriteWholeFile(MarkerFilePath(folder, image, MakeRecord(x, y, name)), bytes);
    }
    bool Marker(const std::string& image, int x, int y, const std::string& name,
                const StyledText& introduction) {
        return Marker(image, x, y, name, EncodeIntroduction(introduction).bytes);
    }
};

// A grid of 20 points a row on a blank sheet.
bool SeedStandard(Seed& seed) {
    constexpr int kColumns = 20;
    const std::string image = "经穴.bmp";
    std::vector<std::string> names;
    for (const StandardPoint& point : StandardAcupoints().Points()) {
        if (StandardAcupoints().MeridianOf(point).prefix != "EX") {
            names.push_back(point.name);
        }
    }
    names.push_back("足三里（左）");
    names.push_back("阿是穴");
    const int rows = (static_cast<int>(names.size()) + kColumns - 1) / kColumns;
    const PictureSize size{40 + kColumns * 60, 40 + rows * 50};
    bool ok = seed.Image(image, BmpBytes(size.width, size.height), size);
    for (int i = 0; ok && i < static_cast<int>(names.size()); ++i) {
        ok = seed.Marker(image, 50 + i % kColumns * 60, 45 + i / kColumns * 50, names[i], "");
    }
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    const bool standard = argc == 3 && std::string_view(argv[1]) == "--standard";
    if (argc != 2 + standard || Exists(PathFromUtf8(argv[argc - 1]))) {
        std::fputs("usage: atlas_seed_library [--standard] NEW_FOLDER\n", stderr);
        return 2;
    }
    Seed seed{ProgramFolder(PathFromUtf8(argv[argc - 1]))};
    const auto& root = seed.folder;
    bool ok = CreateFolder(root.Root()) && CreateFolder(root.ImageFolder()) &&
              CreateFolder(root.MarkerRoot());
    if (standard) {
        ok = ok && SeedStandard(seed);
        if (!ok) {
            std::fputs("atlas_seed_library: could not write the folder\n", stderr);
        }
        return ok ? 0 : 1;
    }

    const CharFormat title = Styled("黑体", 14, kBold, 0x0000FF);
    const CharFormat heading = Styled("宋体", 11, kBold, 0xFF0000);
    const CharFormat note = Styled("楷体_GB2312", 11, kItalic | kUnderline, 0x008000);
    ok = ok && seed.Image("头部.bmp", Head(), {640, 760}) &&
         seed.Marker("头部.bmp", 320, 234, "印堂",
                     StyledText{{{"印堂", title},
                                 {"\r\n位于额部，两眉头连线的中点。\r\n", kBody},
                                 {"主治：", heading},
                                 {"头痛、眩晕、失眠、鼻渊。\r\n", kBody},
                                 {"平刺 0.3～0.5 寸。", note}},
                                kBody}) &&
         seed.Marker("头部.bmp", 318, 430, "人中",
                     StyledText{{{"人中", title}, {"\r\n位于人中沟上 1/3 处。", kBody}}, kBody}) &&
         seed.Marker("头部.bmp", 320, 700, "天突",
                     StyledText{{{"天突", title}, {"\r\n胸骨上窝中央。", kBody}}, kBody}) &&
         seed.Marker(
             "头部.bmp", 520, 80, "<script>",
             StyledText{{{"<b>不是粗体</b><script>window.pwned=1</script>", kBody}}, kBody}) &&
         seed.Marker("头部.bmp", 110, 80, "<img src=x onerror=window.pwned=2>", "") &&
         seed.Marker("头部.bmp", 1, 2, "坏！名", "");

    ok = ok && seed.Image("手臂.bmp", Arm(), {1100, 720}) &&
         seed.Marker(
             "手臂.bmp", 160, 560, "合谷",
             StyledText{{{"合谷", title}, {"\r\n在手背，第一、二掌骨之间。", kBody}}, kBody}) &&
         seed.Marker("手臂.bmp", 515, 370, "曲池",
                     StyledText{{{"曲池", title}, {"\r\n屈肘，肘横纹外侧端。", kBody}}, kBody}) &&
         // Written by another build with another file key.
         seed.Marker(
             "手臂.bmp", 440, 420, "手三里",
             ShiftForFile(
                 EncodeGbk(WriteFormatText(
                               StyledText{{{"手三里", title}, {"\r\n曲池下二寸。", kBody}}, kBody})
                               .text),
                 0x21)) &&
         seed.Marker("手臂.bmp", 760, 250, "臂臑", std::string("\x01\x9F\xFE\x7F junk \x80", 11)) &&
         seed.Marker("手臂.bmp", 1050, 110, "肩髃",
                     StyledText{{{"肩髃", title}, {"\r\n肩峰端下缘。", kBody}}, kBody});

    ok = ok && seed.Image("足部.bmp", Feet(), {900, 800}) &&
         seed.Marker("足部.bmp", 260, 640, "太冲", "") &&
         seed.Marker("足部.bmp", 640, 640, "太冲", "") &&
         seed.Marker("足部.bmp", 450, 700, "", "") &&
         seed.Marker("足部.bmp", 950, 100, "外面", "") &&
         seed.Marker("足部.bmp", 300, -5, "负", "");

    // Not a picture: the page shows its markers on an empty image of the size file's size.
    ok = ok && seed.Image("破图.jpg", "这不是图片", {1000, 1000}) &&
         seed.Marker("破图.jpg", 900, 900, "涌泉", "");
    if (!ok) {
        std::fputs("atlas_seed_library: could not write the folder\n", stderr);
        return 1;
    }
    return 0;
}
