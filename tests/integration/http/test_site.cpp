#include "test_site.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace quexa::test {

namespace {

constexpr std::size_t kChunk = 8191;
constexpr std::size_t kBigBlock = 64 * 1024;

std::string Gzip(const std::string& text) {
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, 15 + 16, 8, Z_DEFAULT_STRATEGY) !=
        Z_OK) {
        throw std::runtime_error("deflateInit2");
    }
    std::string out(deflateBound(&stream, static_cast<uLong>(text.size())) + 32, '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(text.data()));
    stream.avail_in = static_cast<uInt>(text.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END) {
        throw std::runtime_error("deflate");
    }
    return out;
}

}  // namespace

TestSite::TestSite(LoopbackServer& server) : server_(server) {
    AddFixedPages();
    AddStatusPages();
    AddEndlessPages();
}

std::string TestSite::PageText() {
    return "<html><head><title>Quexa test page</title></head>"
           "<body><p>Nothing but our own words here.</p></body></html>";
}

std::string TestSite::ExactBody() {
    std::string body(kChunk, ' ');
    for (std::size_t i = 0; i < body.size(); ++i) {
        body[i] = static_cast<char>('a' + i % 26);
    }
    return body;
}

std::string TestSite::NulBody() {
    std::string first = "before";
    first += '\0';
    first += "hidden";
    first.resize(kChunk, 'h');
    return first + "second chunk";
}

std::string TestSite::NulPageText() {
    return "beforesecond chunk";
}

std::string TestSite::GzipText() {
    std::string text;
    for (int i = 0; i < 400; ++i) {
        text += "Line " + std::to_string(i) + " of a compressed page.\n";
    }
    return text;
}

void TestSite::AddFixedPages() {
    httplib::Server& routes = server_.routes();
    routes.Get("/page", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(PageText(), "text/html");
    });
    routes.Get("/exact", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(ExactBody(), "application/octet-stream");
    });
    routes.Get("/nul", [](const httplib::Request&, httplib::Response& response) {
        response.set_content(NulBody(), "application/octet-stream");
    });
    routes.Get("/gzip", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Content-Encoding", "gzip");
        response.set_content(Gzip(GzipText()), "application/octet-stream");
    });
    routes.Get("/cookie", [](const httplib::Request&, httplib::Response& response) {
        response.set_header("Set-Cookie", "session=secret; Path=/");
        response.set_content("cookie set", "text/plain");
    });
    routes.Get("/echo", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("ok", "text/plain");
    });
}

void TestSite::AddStatusPages() {
    httplib::Server& routes = server_.routes();
    routes.Get(R"(/code/(\d+))", [](const httplib::Request& request, httplib::Response& response) {
        response.status = std::stoi(request.matches[1]);
        response.set_content("status " + std::string(request.matches[1]), "text/plain");
    });
    routes.Get("/redirect", [](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", "/page");
    });
    routes.Get("/loop", [](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", "/loop");
    });
    routes.Get("/latin1-header", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<p>caf\xE9</p>", "text/html; charset=ISO-8859-1");
    });
    routes.Get("/latin1-meta", [](const httplib::Request&, httplib::Response& response) {
        response.set_content("<meta charset=\"iso-8859-1\"><p>cr\xE8me</p>", "text/html");
    });
    routes.Get("/to-ftp", [](const httplib::Request&, httplib::Response& response) {
        response.status = 302;
        response.set_header("Location", "ftp://127.0.0.1/file");
    });
}

void TestSite::AddEndlessPages() {
    httplib::Server& routes = server_.routes();
    routes.Get("/drip", [this](const httplib::Request&, httplib::Response& response) {
        response.set_chunked_content_provider(
            "application/octet-stream", [this](std::size_t offset, httplib::DataSink& sink) {
                if (offset > 0 && !server_.Pause(std::chrono::seconds(1))) {
                    return false;
                }
                return sink.write("x", 1);
            });
    });
    routes.Get("/big", [this](const httplib::Request&, httplib::Response& response) {
        response.set_content_provider(
            kBigSize, "application/octet-stream",
            [this](std::size_t, std::size_t length, httplib::DataSink& sink) {
                static const std::string block(kBigBlock, 'y');
                const std::size_t size = std::min(length, block.size());
                if (!sink.write(block.data(), size)) {
                    return false;
                }
                bigBytesSent_ += size;
                return true;
            });
    });
}

}  // namespace quexa::test
