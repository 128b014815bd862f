// The Qt side of the runtime services: the drawing panel's pixels, the editor wrapper's formats
// and byte count, pictures, combo box items and the popup position.

#include "TempFolder.h"
#include "platform/core/Files.h"
#include "platform/qt/Colours.h"
#include "platform/qt/Controls.h"
#include "platform/qt/DrawPanel.h"
#include "platform/qt/Fonts.h"
#include "platform/qt/Pictures.h"
#include "platform/qt/RichEdit.h"

#include <QBuffer>
#include <QComboBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QTextCursor>
#include <gtest/gtest.h>

#include <functional>

namespace {

using penrica::BackgroundMode;
using penrica::DrawPanel;

QColor At(const DrawPanel& panel, int x, int y) {
    return panel.Image().pixelColor(x, y);
}

TEST(DrawPanel, LineAndFullCircleArc) {
    DrawPanel panel;
    panel.resize(100, 100);
    panel.SetPenColour(0x000000FF); // red
    panel.Line(0, 50, 99, 50);
    EXPECT_EQ(At(panel, 10, 50), QColor(255, 0, 0));
    EXPECT_EQ(At(panel, 10, 40), QColor(255, 255, 255));

    panel.Clear();
    EXPECT_EQ(At(panel, 10, 50), QColor(255, 255, 255));
    // Equal start and end points: the whole ellipse, so all four extremes are drawn.
    panel.Arc(10, 10, 91, 91, 90, 50, 90, 50);
    for (QPoint p : {QPoint(10, 50), QPoint(90, 50), QPoint(50, 10), QPoint(50, 90)}) {
        bool found = false;
        for (int dx = -1; dx <= 1; ++dx)
            for (int dy = -1; dy <= 1; ++dy)
                found |= At(panel, p.x() + dx, p.y() + dy).red() > 200 &&
                         At(panel, p.x() + dx, p.y() + dy).green() < 100;
        EXPECT_TRUE(found) << p.x() << "," << p.y();
    }
    // The inside stays unpainted: an arc is not filled.
    EXPECT_EQ(At(panel, 50, 50), QColor(255, 255, 255));
}

TEST(DrawPanel, ClearRestoresBackgroundPicture) {
    DrawPanel panel;
    panel.resize(40, 40);
    QImage picture(40, 40, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    panel.SetBackgroundPicture(picture, BackgroundMode::TopLeft);
    panel.SetPenColour(0x0000FF00);
    panel.SetPenWidth(5);
    panel.Line(0, 20, 39, 20);
    EXPECT_EQ(At(panel, 20, 20), QColor(0, 255, 0));
    panel.Clear();
    EXPECT_EQ(At(panel, 20, 20), QColor(0, 0, 255));
}

TEST(DrawPanel, TiledModeRepeatsPicture) {
    DrawPanel panel;
    panel.resize(40, 10);
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::black);
    picture.setPixelColor(0, 0, Qt::red);
    panel.SetBackgroundPicture(picture, BackgroundMode::Tiled);
    EXPECT_EQ(At(panel, 30, 0), QColor(Qt::red));
    EXPECT_EQ(At(panel, 31, 0), QColor(Qt::black));
}

TEST(DrawPanel, CentredPlacement) {
    struct Case {
        QSize panel, picture;
        QRect expected;
    };
    const Case cases[] = {
        {{100, 100}, {50, 20}, {25, 40, 50, 20}},   // smaller: centred, unscaled
        {{100, 100}, {200, 100}, {0, 25, 100, 50}}, // wider: scaled down to the width
        {{100, 100}, {50, 400}, {44, 0, 12, 100}},  // taller: scaled down to the height
        {{100, 100}, {100, 100}, {0, 0, 100, 100}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(DrawPanel::CentredPlacement(c.panel, c.picture), c.expected)
            << c.picture.width() << "x" << c.picture.height();
    }
}

TEST(DrawPanel, CentredModeScalesDownPicture) {
    DrawPanel panel;
    panel.resize(100, 100);
    QImage picture(200, 100, QImage::Format_RGB32);
    picture.fill(QColor(0, 0, 255));
    panel.SetBackgroundPicture(picture, BackgroundMode::Centred);
    EXPECT_EQ(At(panel, 50, 50), QColor(0, 0, 255));
    EXPECT_EQ(At(panel, 50, 10), QColor(255, 255, 255));
}

TEST(RichEdit, ByteLengthFollowsEveryEdit) {
    penrica::RichEdit edit;
    struct Step {
        const char* insert;
        std::size_t expected;
    };
    // ASCII 1 byte, Chinese 2, a line break 2 (CR LF), an emoji 4 (GB18030).
    const Step steps[] = {{"ab", 2}, {"穴位", 6}, {"\n", 8}, {"😀", 12}};
    QTextCursor cursor(edit.document());
    for (const Step& s : steps) {
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(QString::fromUtf8(s.insert));
        EXPECT_EQ(edit.ByteLength(), s.expected) << s.insert;
    }
    cursor.setPosition(2);
    cursor.setPosition(4, QTextCursor::KeepAnchor);
    cursor.removeSelectedText(); // "穴位"
    EXPECT_EQ(edit.ByteLength(), 8u);
    edit.SetPlainContent(QStringLiteral("一\r\n二"));
    EXPECT_EQ(edit.ByteLength(), 6u);
    EXPECT_EQ(edit.CharacterCount(), 3);
    edit.ClearContent();
    EXPECT_EQ(edit.ByteLength(), 0u);
    EXPECT_TRUE(edit.IsEmpty());
}

TEST(RichEdit, SelectionFormatRoundTrips) {
    penrica::RichEdit edit;
    edit.SetPlainContent(QStringLiteral("足三里"));
    QTextCursor cursor(edit.document());
    cursor.setPosition(1);
    cursor.setPosition(3, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    penrica::CharFormat format;
    format.face = "黑体";
    format.size = 14;
    format.effects = penrica::kBold | penrica::kUnderline | penrica::kProtected;
    format.colour = 0x000000FF;
    edit.SetSelectionFormat(format);
    EXPECT_EQ(edit.SelectionFormat(), format);
    cursor.setPosition(0);
    cursor.setPosition(1, QTextCursor::KeepAnchor);
    edit.setTextCursor(cursor);
    EXPECT_EQ(edit.SelectionFormat(), penrica::CharFormat{});
}

TEST(RichEdit, ChangeSignalOnProgramEdits) {
    // Each edit of the program's is one change, whatever it replaces; emptying an empty editor
    // changes nothing.
    struct Step {
        const char* what;
        std::function<void(penrica::RichEdit&)> edit;
        int changes;
    };
    const Step steps[] = {
        {"empty an empty editor", [](penrica::RichEdit& e) { e.ClearContent(); }, 0},
        {"set text", [](penrica::RichEdit& e) { e.SetPlainContent(QStringLiteral("x")); }, 1},
        {"replace it with lines",
         [](penrica::RichEdit& e) { e.SetPlainContent(QStringLiteral("甲\r\n乙\r\n丙")); }, 1},
        {"empty it", [](penrica::RichEdit& e) { e.ClearContent(); }, 1},
    };
    penrica::RichEdit edit;
    int changes = 0;
    QObject::connect(&edit, &penrica::RichEdit::ContentChanged, [&] { ++changes; });
    for (const Step& s : steps) {
        changes = 0;
        s.edit(edit);
        EXPECT_EQ(changes, s.changes) << s.what;
    }
}

TEST(Pictures, EachFormatWholeOrCutShort) {
    struct Case {
        const char* format;
        int keptQuarters; // of the file's bytes
        penrica::PictureSize measured;
        bool loads;
    };
    const Case cases[] = {
        {"PNG", 4, {30, 20}, true},
        {"JPEG", 4, {30, 20}, true},
        {"BMP", 4, {30, 20}, true},
        {"PNG", 1, {0, 0}, false},   // the header is cut
        {"PNG", 3, {30, 20}, false}, // the header is whole, the picture data cut
        {"JPEG", 1, {0, 0}, false},
        // BMP decodes row by row, bottom row first: a cut file gives the rows it holds.
        {"BMP", 1, {30, 20}, true},
    };
    TempFolder folder;
    QImage picture(30, 20, QImage::Format_RGB32);
    picture.fill(Qt::green);
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.format) + " " + std::to_string(c.keptQuarters) + "/4");
        const auto whole = folder.path() / (std::string("p.") + c.format);
        ASSERT_TRUE(picture.save(QString::fromStdString(whole.string()), c.format));
        const std::string bytes = penrica::ReadWholeFile(whole);
        const auto file = folder.path() / "cut";
        ASSERT_TRUE(penrica::WriteWholeFile(
            file, bytes.substr(0, bytes.size() * static_cast<std::size_t>(c.keptQuarters) / 4)));
        EXPECT_EQ(penrica::MeasurePicture(file), c.measured);
        const QImage loaded = penrica::LoadPicture(file);
        ASSERT_EQ(loaded.isNull(), !c.loads);
        if (c.loads) {
            ASSERT_EQ(loaded.size(), QSize(30, 20));
            const QColor bottom = loaded.pixelColor(15, 19);
            EXPECT_TRUE(bottom.green() > 200 && bottom.red() < 60 && bottom.blue() < 60)
                << bottom.name().toStdString();
        }
    }
    EXPECT_TRUE(penrica::LoadPicture(folder.path() / "missing.png").isNull());
    EXPECT_EQ(penrica::MeasurePicture(folder.path() / "missing.png"), penrica::PictureSize{});
}

TEST(Controls, ComboItemsKeepTheText) {
    QComboBox box;
    box.setEditable(true);
    box.setEditText(QStringLiteral("#白色"));
    penrica::AddComboItems(box, {"#黑色", "#红色"});
    EXPECT_EQ(box.count(), 2);
    EXPECT_EQ(box.currentText(), QStringLiteral("#白色"));
}

TEST(Fonts, EachInstalledFamilyOnceByItsPlainName) {
    const std::vector<std::string> names = penrica::InstalledFontNames();
    ASSERT_FALSE(names.empty());
    std::set<std::string> distinct(names.begin(), names.end());
    EXPECT_EQ(distinct.size(), names.size()) << "a family twice";
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        EXPECT_EQ(name.find('['), std::string::npos) << "a foundry in the name";
        // The name is a family of its own: a face name stored with it renders with that family.
        QString resolved = QFontInfo(QFont(QString::fromStdString(name))).family();
        EXPECT_TRUE(resolved == QString::fromStdString(name) ||
                    resolved.startsWith(QString::fromStdString(name) + " ["))
            << resolved.toStdString();
    }
    for (const char* alias : {"Monospace", "Sans Serif", "Serif"}) {
        EXPECT_EQ(distinct.count(alias), 0u) << alias;
    }
    EXPECT_EQ(distinct.count("AR PL UMing CN"), 1u); // the face that stands in for 宋体
    // In the system's order: each family where the system first names it.
    std::vector<std::string> systemOrder;
    for (const QString& family : QFontDatabase::families()) {
        const std::string plain = family.section(QStringLiteral(" ["), 0, 0).toStdString();
        if (distinct.count(plain) &&
            std::find(systemOrder.begin(), systemOrder.end(), plain) == systemOrder.end()) {
            systemOrder.push_back(plain);
        }
    }
    EXPECT_EQ(systemOrder, names);
}

} // namespace
