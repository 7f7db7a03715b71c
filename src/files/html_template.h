#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/result_item.h"
#include "files/export_fields.h"

namespace quexa::files {

// The page an HTML export is built from: the text before the item block, the item block with
// its field markers, and the text after it.
class HtmlTemplate {
  public:
    static constexpr std::string_view kKeyMarker = "<!-KEY->";
    static constexpr std::string_view kItemMarker = "<!--ITEM-->";
    static constexpr std::string_view kItemEndMarker = "<!--/ITEM-->";
    static constexpr std::string_view kTitleMarker = "<!--TITLE-->";
    static constexpr std::string_view kLocationMarker = "<!--URL-->";
    static constexpr std::string_view kTargetMarker = "<!--ENGINE-->";
    static constexpr std::string_view kPreviewMarker = "<!--PREVIEW-->";

    // The page used when the template file can't be read; its line feeds stay.
    static std::string_view BuiltInPage();
    // The file's lines joined without their line ends, or the built-in page.
    static std::string ReadText(const std::filesystem::path& path);
    // Every key marker becomes the key words (as inline markup); nothing without an item
    // block. The end marker counts only after the first item marker.
    static std::optional<HtmlTemplate> Parse(std::string_view text, std::string_view keywords);

    const std::string& Head() const { return head_; }
    const std::string& Tail() const { return tail_; }
    // A fresh item block for the item: each marker becomes its field, or nothing when the
    // field is switched off. Locations are escaped and script links dropped; the other texts
    // keep simple inline markup only.
    void AppendItem(std::string& out, const core::ResultItem& item,
                    const ExportFields& fields) const;

  private:
    enum class Field { None, Title, Location, Target, Preview };
    struct Piece {
        std::string text;
        Field field = Field::None;
    };

    static std::vector<Piece> SplitBlock(std::string_view block);

    std::string head_;
    std::string tail_;
    std::vector<Piece> block_;
};

}  // namespace quexa::files
