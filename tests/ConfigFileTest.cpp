#include "styling/core/ConfigFile.h"

#include "platform/core/Files.h"
#include "platform/core/TextCodec.h"
#include "platform/core/TextRules.h"
#include "tests/TempFolder.h"

#include <gtest/gtest.h>

using namespace penrica;

namespace {

const std::string kFactoryText = "配置项=字符格式1\r\n字体大小=11\r\n字体颜色=#蓝色\r\n"
                                 "字体名称=宋体\r\n字体效果=0\r\n"
                                 "配置项=字符格式2\r\n字体大小=11\r\n字体颜色=#绿色\r\n"
                                 "字体名称=宋体\r\n字体效果=0\r\n"
                                 "配置项=字符格式3\r\n字体大小=11\r\n字体颜色=#红色\r\n"
                                 "字体名称=宋体\r\n字体效果=0\r\n"
                                 "配置项=字符格式4\r\n字体大小=11\r\n字体颜色=#黑色\r\n"
                                 "字体名称=黑体\r\n字体效果=0\r\n";

class ConfigFileTest : public ::testing::Test {
protected:
    fs::path file() const { return dir.path() / "peizhi.ini"; }
    std::string bytes() const { return ReadWholeFile(file()); }
    void write(std::string_view text) { ASSERT_TRUE(WriteWholeFile(file(), EncodeGbk(text))); }

    TempFolder dir;
    ConfigFile config{dir.path() / "peizhi.ini"};
};

TEST_F(ConfigFileTest, EnsureCreatesTheExactFactoryFile) {
    config.EnsureConfigFile();
    EXPECT_EQ(bytes(), EncodeGbk(kFactoryText));
    EXPECT_EQ(SplitText(kFactoryText, "\r\n").size(), 20u);
}

TEST_F(ConfigFileTest, EnsureLeavesAnExistingFileAlone) {
    write("mine");
    config.EnsureConfigFile();
    EXPECT_EQ(bytes(), EncodeGbk("mine"));
}

TEST_F(ConfigFileTest, RestoreOnTheFactoryFileChangesNoByte) {
    config.EnsureConfigFile();
    config.RestoreFactoryConfig();
    EXPECT_EQ(bytes(), EncodeGbk(kFactoryText));
}

TEST_F(ConfigFileTest, RestoreFixesChangedValuesInPlace) {
    config.EnsureConfigFile();
    config.WriteConfigItem("字符格式2", "字体颜色", "#紫色");
    config.WriteConfigItem("字符格式4", "字体效果", "15");
    config.RestoreFactoryConfig();
    EXPECT_EQ(bytes(), EncodeGbk(kFactoryText));
}

TEST_F(ConfigFileTest, RestoreOnAMissingFileLeavesAnEmptyFile) {
    config.RestoreFactoryConfig();
    EXPECT_TRUE(Exists(file()));
    EXPECT_EQ(bytes(), "");
    config.EnsureConfigFile(); // the file exists now, so nothing is re-created
    EXPECT_EQ(bytes(), "");
}

TEST_F(ConfigFileTest, ReadsTheFactoryValues) {
    config.EnsureConfigFile();
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体颜色"), "#蓝色");
    EXPECT_EQ(config.ReadConfigItem("字符格式4", "字体名称"), "黑体");
    EXPECT_EQ(config.ReadConfigItem("字符格式5", "字体名称"), "");
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体"), "");
}

TEST_F(ConfigFileTest, MissingFileReadsEmpty) {
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体大小"), "");
}

TEST_F(ConfigFileTest, EmptyValueHidesTheLineFromLaterWrites) {
    config.EnsureConfigFile();
    config.WriteConfigItem("字符格式1", "字体名称", "");
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体名称"), "");
    config.WriteConfigItem("字符格式1", "字体名称", "楷体");
    std::string expected = kFactoryText;
    expected.replace(expected.find("字体名称=宋体\r\n"), std::string("字体名称=宋体\r\n").size(),
                     "字体名称=\r\n");
    expected.insert(expected.find("配置项=字符格式2"), "字体名称=楷体\r\n");
    EXPECT_EQ(bytes(), EncodeGbk(expected));
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体名称"), "楷体");
}

TEST_F(ConfigFileTest, MissingSectionOnlyDropsEmptyLines) {
    write("a=1\r\n\r\n配置项=x\r\n\r\nb=2");
    EXPECT_EQ(config.WriteConfigItem("nope", "k", "v"), ConfigStatus::Succeeded);
    EXPECT_EQ(bytes(), EncodeGbk("a=1\r\n配置项=x\r\nb=2\r\n"));
}

TEST_F(ConfigFileTest, MissingKeyGoesToTheEndOfItsSection) {
    write("配置项=A\r\nx=1\r\n配置项=B\r\ny=2");
    config.WriteConfigItem("A", "k", "v");
    config.WriteConfigItem("B", "k", "w");
    EXPECT_EQ(bytes(), EncodeGbk("配置项=A\r\nx=1\r\nk=v\r\n配置项=B\r\ny=2\r\nk=w\r\n"));
    write("配置项=C");
    config.WriteConfigItem("C", "k", "v");
    EXPECT_EQ(bytes(), EncodeGbk("配置项=C\r\nk=v\r\n"));
}

TEST_F(ConfigFileTest, ValueWithEqualsSignIsWrittenButNotReadBack) {
    write("配置项=A\r\n");
    config.WriteConfigItem("A", "k", "a=b");
    EXPECT_EQ(config.ReadConfigItem("A", "k"), "");
    config.WriteConfigItem("A", "k", "c");
    EXPECT_EQ(bytes(), EncodeGbk("配置项=A\r\nk=a=b\r\nk=c\r\n"));
}

TEST_F(ConfigFileTest, HandWrittenLinesStayAndBlankLinesGo) {
    write("配置项=A\r\n\r\n# my note\r\nk=1\r\n\r\n");
    config.WriteConfigItem("A", "k", "2");
    EXPECT_EQ(bytes(), EncodeGbk("配置项=A\r\n# my note\r\nk=2\r\n"));
}

TEST_F(ConfigFileTest, LinesARewriteDoesNotSetKeepEveryByte) {
    // Hand-written lines in any bytes: not GBK, a UTF-8 comment, a lone lead byte before "=",
    // a lone CR, and lines that only look like the keys.
    const std::string foreign[] = {
        "x=\xFF"
        "abc",
        "# \xE6\xB3\xA8\xE9\x87\x8A UTF-8",
        "\x81=1",
        "a\rb",
        EncodeGbk("字体大小") + "\xFF=9",
        "\x80\x80\x80",
    };
    const std::string head = "配置项=字符格式1\r\n字体大小=11\r\n";
    std::string file = EncodeGbk(head);
    for (const std::string& line : foreign) {
        file += line + "\r\n";
    }
    file += EncodeGbk(kFactoryText.substr(head.size()));
    ASSERT_TRUE(WriteWholeFile(this->file(), file));
    config.RestoreFactoryConfig();
    EXPECT_EQ(bytes(), file); // every value already factory: not one byte changes

    // A quick format save rewrites its four lines; only the size line differs.
    config.WriteConfigItem("字符格式1", "字体大小", "20");
    config.WriteConfigItem("字符格式1", "字体颜色", "#蓝色");
    config.WriteConfigItem("字符格式1", "字体名称", "宋体");
    config.WriteConfigItem("字符格式1", "字体效果", "0");
    std::string expected = file;
    const std::string size = EncodeGbk("字体大小=11");
    expected.replace(expected.find(size), size.size(), EncodeGbk("字体大小=20"));
    EXPECT_EQ(bytes(), expected);
    EXPECT_EQ(config.ReadConfigItem("字符格式1", "字体大小"), "20");
}

TEST_F(ConfigFileTest, DuplicateSectionsAreSearchedInOrder) {
    write("配置项=A\r\nx=1\r\n配置项=A\r\nk=2\r\n");
    EXPECT_EQ(config.ReadConfigItem("A", "k"), "2");
}

TEST_F(ConfigFileTest, TextIsTakenUpToAZeroByte) {
    ASSERT_TRUE(WriteWholeFile(file(), EncodeGbk("配置项=A\r\nk=1\r\n") + std::string("\0k=2", 4)));
    EXPECT_EQ(config.ReadConfigItem("A", "k"), "1");
}

TEST_F(ConfigFileTest, AddSectionReportsAnExistingName) {
    write("配置项=A\r\nk=1");
    EXPECT_EQ(config.AddConfigSection("A"), ConfigStatus::AlreadyExists);
    EXPECT_EQ(bytes(), EncodeGbk("配置项=A\r\nk=1"));
    EXPECT_EQ(config.AddConfigSection("B"), ConfigStatus::Succeeded);
    EXPECT_EQ(bytes(), EncodeGbk("配置项=A\r\nk=1\r\n配置项=B"));
}

TEST_F(ConfigFileTest, WriteIntoAReadOnlyFolderFailsAndChangesNothing) {
    config.EnsureConfigFile();
    if (!MakeFolderReadOnly(dir.path())) {
        GTEST_SKIP() << kNoReadOnlyFolders;
    }
    EXPECT_EQ(config.WriteConfigItem("字符格式1", "字体大小", "20"), ConfigStatus::Failed);
    fs::permissions(dir.path(), fs::perms::owner_write, fs::perm_options::add);
    EXPECT_EQ(bytes(), EncodeGbk(kFactoryText));
}

} // namespace
