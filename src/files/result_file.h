#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/prompter.h"
#include "core/result_item.h"
#include "core/result_list.h"
#include "core/wait_state.h"
#include "files/container_key.h"
#include "files/export_rule.h"
#include "files/protected_container.h"

namespace quexa::files {

// The search that produced a list, as the header of its result file describes it.
struct ResultFileHeader {
    static constexpr char kInternetMode = 'A';
    static constexpr char kIntranetMode = 'B';
    static constexpr char kFreeEditMode = 'C';

    char mode = kFreeEditMode;
    std::string keywords;
    std::string searchTarget;
    std::string note;
    std::string author;
    // File name of the interrupted-search state file, without folder.
    std::string stateFileName;
    // DeriveKey of the password; the default key means no password.
    Key checkValue = DefaultKey();
    // As read: the record count the header states, which may exceed the records present.
    std::uint32_t count = 0;

    bool IsProtected() const { return checkValue != DefaultKey(); }
    void SetPassword(std::string_view password) { checkValue = DeriveKey(password); }
};

// What saving and loading report while they run. Both may be left empty.
struct FileProgress {
    core::WaitState* wait = nullptr;
    // Runs once per row: the window layer dispatches its pending events here.
    std::function<void()> processPending;
};

struct LoadOptions {
    // Import: keep the location set so that rows already listed can be skipped.
    bool append = false;
    // "ImportADE": skip a record whose location is already listed.
    bool skipListed = true;
    int previewHeight = 0;
};

// The texts of the messages saving and loading show.
inline constexpr std::string_view kOperatorFileFailed =
    "Operator file failed!\nperhaps the file attribute\nis read only!";
inline constexpr std::string_view kCannotOpenResultFile = "Canno't open Quexa result file!";
inline constexpr std::string_view kNotAResultFile = "Unvaild Quexa result file!";
inline constexpr std::string_view kNewerResultFile =
    "This is higher version Quexa file,\r\nplease update Quexa, then try it !";

// How a load ended. The caller says what went wrong: nothing here shows a message.
enum class LoadOutcome {
    Loaded,
    // Missing, unreadable, or no regular file.
    CannotOpen,
    NotAResultFile,
    NewerVersion,
    // The header or the first record could not be reached after the file was opened.
    Unreadable,
    // Import: the password was not given.
    Locked,
};

struct LoadedFile {
    LoadOutcome outcome = LoadOutcome::CannotOpen;
    // The file's header once loaded.
    ResultFileHeader header;

    bool Loaded() const { return outcome == LoadOutcome::Loaded; }
};

// The flags byte of an item record.
std::uint8_t EncodeFlags(const core::ResultItem& item);
void DecodeFlags(std::uint8_t flags, core::ResultItem& item);

// The 622-byte record of one item, and back. Texts longer than their fields are cut at a
// character boundary.
Record EncodeRecord(const core::ResultItem& item);
core::ResultItem DecodeRecord(const Record& record);
// DecodeRecord of record XOR mask, touching only the bytes the texts use: how a load decodes
// records as they come from the file.
core::ResultItem DecodeRecord(const Record& record, const Record& mask);

// Writes the list as a result file: a temporary file beside path, renamed over it once every
// byte is on disk, so that a failed save leaves an existing file as it was and no partial
// file. With a rule only the rows meeting it are written; the header still counts every row.
// header.count is ignored. Nothing is shown: the caller reports a failed save.
bool WriteResultFile(const std::filesystem::path& path, const core::ResultList& list,
                     const ResultFileHeader& header, const FileProgress& progress = {},
                     const ExportRule* rule = nullptr);

// Reads a result file and adds its items behind the rows already listed; stops at the end of
// the file whatever the header's count, and at a cancel of the wait window. When the file
// cannot be opened or is not a readable result file the list is as it was. The password is not
// tested here: see PromptForPassword.
LoadedFile LoadResultFile(const std::filesystem::path& path, core::ResultList& list,
                          const LoadOptions& options, const FileProgress& progress = {});

// The header of a readable result file of this version, without a word to the person.
std::optional<ResultFileHeader> ReadResultFileHeader(const std::filesystem::path& path);

// The password prompt before a file is loaded. quiet gives up without the "Operator file
// failed!" box when the file cannot be opened (a file chosen in the file manager). True when
// the file may be loaded: not protected, or the right password was given.
bool PromptForPassword(const std::filesystem::path& path, core::Prompter& prompter,
                       bool quiet = false);

}  // namespace quexa::files
