#include "tasks/folder_import.h"

#include <gtest/gtest.h>

#include <deque>
#include <string>

#include "files/result_folder.h"
#include "result_file_maker.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace quexa::tasks {
namespace {

namespace fs = std::filesystem;
using Answer = core::Prompter::Answer;
using files::FilePicture;
using testing::MakeResultFile;

class FolderImportTest : public ::testing::Test {
  protected:
    FolderImportTest() {
        fs::create_directories(temp_.File("from"));
        fs::create_directories(temp_.File("into"));
        MakeResultFile(temp_.File("from/list.qzr"), FilePicture::Protected);
        MakeResultFile(temp_.File("into/list.qzr"));
        MakeResultFile(temp_.File("into/other.qzr"));
    }

    std::optional<fs::path> Import(const std::string& current = {}) {
        FolderImport import(prompter_, [this](const std::string& oldName) {
            askedNames_.push_back(oldName);
            auto name = names_.front();
            names_.pop_front();
            return name;
        });
        prompter_.files.push_back(temp_.File("from/list.qzr").string());
        return import.Run(temp_.File("into"), current);
    }

    testing::TempFolder temp_;
    testing::ScriptedPrompter prompter_;
    std::deque<std::optional<std::string>> names_;
    std::vector<std::string> askedNames_;
};

TEST_F(FolderImportTest, OverlayReplacesTheFileThere) {
    prompter_.answers = {Answer::Yes};
    EXPECT_EQ(Import(), temp_.File("into/list.qzr"));
    EXPECT_EQ(files::ResultFolder::PictureOf(temp_.File("into/list.qzr")), FilePicture::Protected);
    ASSERT_EQ(prompter_.fileRequests.size(), 1u);
    EXPECT_EQ(prompter_.fileRequests[0].caption, FolderImport::kCaption);
}

TEST_F(FolderImportTest, RenameLoopsUntilTheNameIsFree) {
    prompter_.answers = {Answer::No, Answer::No};
    names_ = {"other", "fresh"};
    EXPECT_EQ(Import(), temp_.File("into/fresh.qzr"));
    EXPECT_EQ(askedNames_, (std::vector<std::string>{"list", "list"}));
    EXPECT_EQ(files::ResultFolder::PictureOf(temp_.File("into/list.qzr")), FilePicture::Valid);
    EXPECT_EQ(files::ResultFolder::PictureOf(temp_.File("into/other.qzr")), FilePicture::Valid);
}

TEST_F(FolderImportTest, TheCurrentFileIsNeverReplaced) {
    names_ = {std::nullopt};
    EXPECT_EQ(Import(temp_.File("INTO/list.qzr").string()), std::nullopt);
    // The current file matches whatever the letter case: only the in-use box, no question.
    ASSERT_EQ(prompter_.boxes.size(), 1u);
    EXPECT_NE(prompter_.boxes[0].find("The select file is in use"), std::string::npos);
    EXPECT_EQ(files::ResultFolder::PictureOf(temp_.File("into/list.qzr")), FilePicture::Valid);
}

TEST_F(FolderImportTest, CancelledDialogImportsNothing) {
    FolderImport import(prompter_, [](const std::string&) { return std::nullopt; });
    EXPECT_EQ(import.Run(temp_.File("into"), {}), std::nullopt);
    EXPECT_EQ(files::ResultFolder::List(temp_.File("into")).size(), 2u);
}

}  // namespace
}  // namespace quexa::tasks
