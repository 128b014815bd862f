// The installed font families as the style windows list them.

#include "platform/qt/Fonts.h"

#include <QFontDatabase>
#include <QFontInfo>
#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

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
