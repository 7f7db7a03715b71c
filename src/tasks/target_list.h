#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quexa::tasks {

// The Intranet wizard's target list: "All Intranet Resource" first and ticked, then the folders
// a person added, each with its tick. The window shows it and forwards clicks; quexa-cli and the
// tests use it the same way.
class TargetList {
  public:
    static constexpr std::string_view kAllResources = "All Intranet Resource";
    static constexpr std::string_view kNoTarget = "You should at least select one search target !";

    struct Row {
        std::string text;
        bool ticked = true;
    };

    TargetList();

    const std::vector<Row>& rows() const { return rows_; }
    // The row of the last click; nothing at first and after Remove All.
    std::optional<std::size_t> current() const { return current_; }
    void SetCurrent(std::optional<std::size_t> row);

    // Blank-trimmed; a text already listed (letter case ignored) is ticked instead of added.
    // Returns the row. Nothing for a text of blanks.
    std::optional<std::size_t> Add(std::string_view text);
    void Toggle(std::size_t row);
    void SetTicked(std::size_t row, bool ticked);

    bool CanSelectAll() const;
    bool CanUnselect() const;
    bool CanRemove() const;
    bool CanRemoveSelected() const;
    bool CanRemoveAll() const;

    void SelectAll();
    void Unselect();
    void ReverseSelect();
    void Remove();
    void RemoveSelected();
    void RemoveAll();

    // What "LastSearchTarget" becomes: each ticked row after the first followed by ";", empty
    // when only the first is ticked. Nothing when no row is ticked (kNoTarget).
    std::optional<std::string> TargetText() const;

  private:
    bool AnyTicked() const;

    std::vector<Row> rows_;
    std::optional<std::size_t> current_;
};

}  // namespace quexa::tasks
