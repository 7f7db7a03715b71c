#pragma once

#include <string>
#include <string_view>

namespace quexa::web {

// Keeps the raw headers of the response that counts: a redirect that is followed and an interim
// 1xx response are replaced by the next one. The lines are NUL-separated and the list ends with
// an empty line.
class HeaderCollector {
  public:
    void Clear();
    // Takes one header line as received, line end included; true once the header block of the
    // final response has ended (later lines, such as trailers, are ignored).
    bool Add(std::string_view line);

    bool Complete() const { return complete_; }
    // A redirect's header block ended and the transfer stopped before another answer: the
    // redirect was not followed (a refused scheme, a bad target), so it is the final answer.
    bool AcceptUnfollowedRedirect();
    std::string_view Raw() const { return raw_; }

  private:
    void StartResponse(std::string_view statusLine);
    bool EndsFinalResponse() const;

    std::string raw_;
    int code_ = 0;
    bool hasLocation_ = false;
    bool redirectEnded_ = false;
    bool complete_ = false;
};

}  // namespace quexa::web
