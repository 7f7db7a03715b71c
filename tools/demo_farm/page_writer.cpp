#include "demo_farm/page_writer.h"

namespace quexa::demo {

namespace {

constexpr std::string_view kBodyTag = "<body>\n";

}  // namespace

PageWriter::PageWriter(std::string_view title) {
    html_ = "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>";
    html_ += title;
    html_ += "</title></head>\n";
    html_ += kBodyTag;
}

void PageWriter::Line(std::string_view markup) {
    html_ += markup;
    html_ += '\n';
}

std::string PageWriter::Finish() {
    html_ += "</body></html>\n";
    return std::move(html_);
}

std::size_t PageWriter::BodyStart(std::string_view page) {
    const std::size_t found = page.find(kBodyTag);
    return found == std::string_view::npos ? 0 : found + kBodyTag.size();
}

}  // namespace quexa::demo
