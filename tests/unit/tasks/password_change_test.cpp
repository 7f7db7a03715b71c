#include "tasks/password_change.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "files/result_file.h"
#include "files/result_file_lock.h"
#include "locking_program.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using Entry = PasswordChange::Entry;
using Outcome = PasswordChange::Outcome;
using quexa::testing::ScriptedPrompter;
using quexa::testing::TempFolder;
using quexa::testing::WriteAll;

const std::string kChangedBox = "Note: The password is changed!";
const std::string kRefusedBox = "Error: Password unvaild\ntry again ?";
const std::string kFailedBox = "Error: " + std::string(files::kOperatorFileFailed);

class PasswordChangeTest : public ::testing::Test {
  protected:
    // A result file with one item and, when given, a password.
    fs::path Written(const std::optional<std::string>& password) {
        core::ResultList list;
        core::ResultItem item;
        item.location = "http://one/";
        list.AddItem(0, std::move(item));
        files::ResultFileHeader header;
        if (password) {
            header.SetPassword(*password);
        }
        EXPECT_TRUE(files::WriteResultFile(path_, list, header));
        return path_;
    }
    // The dialog answers with the queued entries, and remembers whether the file was protected.
    Outcome Run(std::vector<Entry> entries) {
        return PasswordChange(prompter_).Run(path_, [&](bool isProtected) -> std::optional<Entry> {
            asked_.push_back(isProtected);
            if (entries.empty()) {
                return std::nullopt;
            }
            Entry entry = entries.front();
            entries.erase(entries.begin());
            return entry;
        });
    }
    bool Opens(const std::string& password) const {
        files::ProtectedContainer container;
        return container.Open(path_) && container.TestPassword(password);
    }

    TempFolder folder_;
    fs::path path_ = folder_.File("list.qzr");
    ScriptedPrompter prompter_;
    std::vector<bool> asked_;
};

TEST_F(PasswordChangeTest, APasswordIsSetChangedAndRemoved) {
    Written(std::nullopt);
    // The old password of an unprotected file is never tested: whatever was typed is ignored.
    EXPECT_EQ(Run({{"ignored", "Moss", "Moss"}}), Outcome::Changed);
    EXPECT_TRUE(Opens("Moss"));
    EXPECT_EQ(Run({{"Moss", "Fern", "Fern"}}), Outcome::Changed);
    EXPECT_TRUE(Opens("Fern"));
    EXPECT_FALSE(Opens("fern"));
    EXPECT_EQ(Run({{"Fern", "", ""}}), Outcome::Removed);
    EXPECT_TRUE(Opens(""));
    EXPECT_EQ(asked_, (std::vector<bool>{false, true, true}));
    // Removing says nothing.
    EXPECT_EQ(prompter_.boxes, (std::vector<std::string>{kChangedBox, kChangedBox}));
}

TEST_F(PasswordChangeTest, ARefusedOldPasswordIsAskedAgainOnYes) {
    Written("Moss");
    prompter_.answers = {core::Prompter::Answer::Yes};
    EXPECT_EQ(Run({{"moss", "Fern", "Fern"}, {"Moss", "Fern", "Fern"}}), Outcome::Changed);
    EXPECT_EQ(prompter_.boxes, (std::vector<std::string>{kRefusedBox, kChangedBox}));
    EXPECT_TRUE(Opens("Fern"));

    prompter_.boxes.clear();
    EXPECT_EQ(Run({{"wrong", "x", "x"}}), Outcome::Refused);
    EXPECT_EQ(Run({}), Outcome::Cancelled);
    EXPECT_EQ(prompter_.boxes, (std::vector<std::string>{kRefusedBox}));
    EXPECT_TRUE(Opens("Fern"));
}

TEST_F(PasswordChangeTest, WhatIsNoResultFileIsNotChanged) {
    EXPECT_EQ(Run({{"", "x", "x"}}), Outcome::Failed);
    WriteAll(path_, std::string(600, 'x'));
    EXPECT_EQ(Run({{"", "x", "x"}}), Outcome::Failed);
    EXPECT_EQ(prompter_.boxes, (std::vector<std::string>{
                                   kFailedBox, "Note: " + std::string(files::kNotAResultFile)}));
    EXPECT_TRUE(asked_.empty());
}

TEST_F(PasswordChangeTest, NewAndConfirmMustMatch) {
    PasswordChange change(prompter_);
    EXPECT_TRUE(change.ConfirmMatches({"", "a", "a"}));
    EXPECT_FALSE(change.ConfirmMatches({"", "a", "A"}));
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{"Error: Two password not match!"});
}

TEST_F(PasswordChangeTest, AFileAnotherProgramIsChangingIsLeftAlone) {
    Written(std::nullopt);
    quexa::testing::LockingProgram other(path_);
    ASSERT_TRUE(other.started());
    EXPECT_EQ(Run({{"", "Moss", "Moss"}}), Outcome::Failed);
    EXPECT_EQ(prompter_.boxes, std::vector<std::string>{
                                   "Error: " + std::string(files::ResultFileLock::kBusyMessage)});
    EXPECT_TRUE(Opens(""));
    EXPECT_TRUE(other.Finish());
    EXPECT_EQ(Run({{"", "Moss", "Moss"}}), Outcome::Changed);
}

}  // namespace
}  // namespace quexa::tasks
