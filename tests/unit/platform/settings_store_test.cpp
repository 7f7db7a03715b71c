#include "platform/settings_store.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <QSettings>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

namespace quexa::platform {
namespace {

namespace fs = std::filesystem;

class SettingsStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        // A parameterised test's name holds a "/".
        std::string name = ::testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(name.begin(), name.end(), '/', '-');
        dir_ = fs::temp_directory_path() /
               ("quexa-settings-" + std::to_string(::getpid()) + "-" + name);
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        file_ = (dir_ / "Quexa.conf").string();
    }
    void TearDown() override { fs::remove_all(dir_); }

    void WriteFile(const std::string& text) const { std::ofstream(file_) << text; }
    QVariant Raw(const char* path) const {
        return QSettings(QString::fromStdString(file_), QSettings::IniFormat).value(path);
    }

    fs::path dir_;
    std::string file_;
};

TEST_F(SettingsStoreTest, ValuesSurviveAReopenInNestedGroups) {
    {
        SettingsStore store(file_);
        EXPECT_TRUE(store.WriteInt("System\\Setting", "Hangup", 1));
        EXPECT_TRUE(store.WriteString("System\\Export", "sTitle", "Title: "));
        EXPECT_TRUE(store.WriteString("Key.History.Internet", "Key1", "a, b"));
        EXPECT_TRUE(store.WriteInt("UserData", "STimeout", -7));
    }
    SettingsStore reopened(file_);
    EXPECT_EQ(reopened.GetInt("System\\Setting", "Hangup", 0), 1);
    EXPECT_EQ(reopened.GetString("System\\Export", "sTitle", "x"), "Title: ");
    EXPECT_EQ(reopened.GetString("Key.History.Internet", "Key1"), "a, b");
    EXPECT_EQ(reopened.GetInt("UserData", "STimeout", 45), -7);
    EXPECT_EQ(Raw("System/Setting/Hangup").toString(), "1");
    EXPECT_EQ(reopened.GetInt("System", "Setting", 5), 5) << "a section is not a value";
}

TEST_F(SettingsStoreTest, ValuesOfTheWrongTypeReadAsMissing) {
    WriteFile(
        "[UserData]\n"
        "STimeout=abc\n"
        "CTimeout=99999999999\n"
        "LineType=\" 3 \"\n"
        "Key.Internet=news, game\n"
        "LastCategory=@ByteArray(Global)\n"
        "LastSearchTarget=\n"
        "Hex=0x10\n");
    SettingsStore store(file_);
    struct Case {
        const char* key;
        std::int32_t asInt;
        std::string asText;
    };
    const Case cases[] = {
        {"STimeout", -1, "abc"},   {"CTimeout", -1, "99999999999"},
        {"LineType", 3, " 3 "},    {"Key.Internet", -1, "-"},
        {"LastCategory", -1, "-"}, {"LastSearchTarget", -1, ""},
        {"Hex", -1, "0x10"},       {"Missing", -1, "-"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(store.GetInt("UserData", c.key, -1), c.asInt) << c.key;
        EXPECT_EQ(store.GetString("UserData", c.key, "-"), c.asText) << c.key;
    }
}

TEST_F(SettingsStoreTest, NamesMatchInAnyLetterCase) {
    WriteFile("[system]\nsetting\\hangup=1\nsetting\\WebBrowser=/usr/bin/b\n");
    SettingsStore store(file_);
    EXPECT_EQ(store.GetInt("System\\Setting", "Hangup", 0), 1);
    EXPECT_EQ(store.GetString("SYSTEM/SETTING", "webbrowser"), "/usr/bin/b");

    ASSERT_TRUE(store.WriteInt("System\\Setting", "HANGUP", 0));
    EXPECT_EQ(Raw("system/setting/hangup").toString(), "0") << "the existing value is updated";
    EXPECT_FALSE(Raw("System/Setting/HANGUP").isValid()) << "no second spelling is added";
}

TEST_F(SettingsStoreTest, RemovingValuesAndSections) {
    SettingsStore store(file_);
    store.WriteInt("System", "Setting", 3);
    store.WriteInt("System\\Setting", "Hangup", 1);
    store.WriteInt("System\\Setting\\Deep", "X", 2);
    store.WriteInt("System", "Preview", 0);

    EXPECT_TRUE(store.RemoveValue("System", "Setting"));
    EXPECT_EQ(store.GetInt("System", "Setting", -1), -1);
    EXPECT_EQ(store.GetInt("System\\Setting", "Hangup", -1), 1) << "same-named section kept";
    EXPECT_EQ(store.GetInt("System\\Setting\\Deep", "X", -1), 2);

    store.WriteInt("System", "Setting", 4);
    EXPECT_TRUE(store.RemoveSection("system\\setting"));
    EXPECT_EQ(store.GetInt("System", "Setting", -1), 4) << "same-named value kept";
    EXPECT_EQ(store.GetInt("System\\Setting", "Hangup", -1), -1);
    EXPECT_EQ(store.GetInt("System\\Setting\\Deep", "X", -1), -1) << "sections below go too";
    EXPECT_EQ(store.GetInt("System", "Preview", -1), 0);

    EXPECT_FALSE(store.RemoveSection("\\")) << "never everything at once";
    EXPECT_FALSE(store.WriteInt("System", "a/b", 1));
    EXPECT_FALSE(store.WriteInt("", "Key", 1));
    EXPECT_EQ(store.GetInt("System", "Preview", -1), 0);
}

TEST_F(SettingsStoreTest, AFailedWriteIsForgotten) {
    WriteFile("not a folder");
    SettingsStore store((dir_ / "Quexa.conf" / "inner.conf").string());
    EXPECT_FALSE(store.WriteInt("UserData", "STimeout", 100));
    EXPECT_EQ(store.GetInt("UserData", "STimeout", 45), 45);
    EXPECT_FALSE(store.WriteString("UserData", "Key.Internet", "x"));
    EXPECT_EQ(store.GetString("UserData", "Key.Internet", "none"), "none");
}

TEST_F(SettingsStoreTest, ChangesFromAnotherProcessAreSeen) {
    SettingsStore store(file_);
    EXPECT_EQ(store.GetInt("UserData", "STimeout", 45), 45);
    WriteFile("[UserData]\nSTimeout=120\nCTimeout=30\n");
    EXPECT_EQ(store.GetInt("UserData", "STimeout", 45), 120);
    ASSERT_TRUE(store.WriteInt("UserData", "LineType", 2));
    EXPECT_EQ(Raw("UserData/CTimeout").toString(), "30") << "a write keeps the other's values";
}

TEST_F(SettingsStoreTest, ADamagedFileIsNeverOverwritten) {
    const std::string damaged = "[UserData]\nSTimeout=100\nthis line is not a setting\n";
    WriteFile(damaged);
    SettingsStore store(file_);
    EXPECT_EQ(store.GetInt("UserData", "STimeout", 45), 100);
    EXPECT_FALSE(store.WriteInt("UserData", "STimeout", 30));
    std::ifstream in(file_);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), damaged);
}

TEST_F(SettingsStoreTest, KeysOfListsTheStoredSpelling) {
    WriteFile("[UserData]\nScheme\\Global.LastScheme=a.scm\nScheme\\news.LastScheme=\n");
    SettingsStore store(file_);
    EXPECT_EQ(store.KeysOf("userdata\\scheme"),
              (std::vector<std::string>{"Global.LastScheme", "news.LastScheme"}));
    EXPECT_TRUE(store.KeysOf("Nothing").empty());
}

TEST_F(SettingsStoreTest, FileChoice) {
    ::setenv("QUEXA_SETTINGS", "/from/env.conf", 1);
    EXPECT_EQ(SettingsStore::ChooseFile("/given.conf"), "/given.conf");
    EXPECT_EQ(SettingsStore::ChooseFile(""), "/from/env.conf");
    ::unsetenv("QUEXA_SETTINGS");
    EXPECT_EQ(SettingsStore::ChooseFile(""), "");
    EXPECT_EQ(SettingsStore(file_).fileName(), file_);
}

// A FIFO or a device node made here named as the settings file: never read (a FIFO would
// block), never replaced by a regular file, and the refusal says why.
class NodeSettingsTest : public SettingsStoreTest, public ::testing::WithParamInterface<mode_t> {};

TEST_P(NodeSettingsTest, NeitherReadNorReplaced) {
    const fs::path node = dir_ / "node.conf";
    if (mknod(node.c_str(), GetParam() | 0666, GetParam() == S_IFCHR ? makedev(1, 3) : 0) != 0) {
        GTEST_SKIP() << "mknod needs root for a device node: " << std::strerror(errno);
    }
    // Held open for writing, so that a store that does read it gets an empty file, not a hang.
    const int writer = ::open(node.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC);
    ASSERT_GE(writer, 0);
    {
        SettingsStore store(node.string());
        ASSERT_TRUE(store.Refusal().has_value());
        EXPECT_NE(store.Refusal()->find(node.string() + " is a"), std::string::npos)
            << *store.Refusal();
        EXPECT_NE(store.Refusal()->find("not a regular file"), std::string::npos);
        EXPECT_FALSE(store.WriteInt("UserData", "STimeout", 100));
        EXPECT_FALSE(store.WriteString("System\\Setting", "AuthorInfo", "Ann"));
        EXPECT_EQ(store.GetInt("UserData", "STimeout", 45), 45);
        EXPECT_TRUE(store.KeysOf("UserData").empty());
    }
    ::close(writer);
    struct stat info {};
    ASSERT_EQ(::lstat(node.c_str(), &info), 0);
    EXPECT_EQ(info.st_mode & S_IFMT, GetParam());
    EXPECT_FALSE(SettingsStore(file_).Refusal()) << "a file not made yet is fine";
}

INSTANTIATE_TEST_SUITE_P(Kinds, NodeSettingsTest, ::testing::Values(S_IFIFO, S_IFCHR),
                         [](const ::testing::TestParamInfo<mode_t>& info) {
                             return info.param == S_IFIFO ? "fifo" : "device_node";
                         });

}  // namespace
}  // namespace quexa::platform
