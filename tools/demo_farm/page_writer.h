#pragma once

#include <string>
#include <string_view>

namespace quexa::demo {

// Builds one generated HTML page line by line. Line breaks are there for people reading the
// page: extraction drops them, so no template depends on them.
class PageWriter {
  public:
    // The document head with that title (written as given: markup allowed) and the body start.
    explicit PageWriter(std::string_view title);

    void Line(std::string_view markup);
    // Closes the body and the document and hands the page over.
    std::string Finish();

    // Where the body's content starts in a page of this writer: what comes before it holds no
    // result item and no link.
    static std::size_t BodyStart(std::string_view page);

  private:
    std::string html_;
};

}  // namespace quexa::demo
