// The whole road from a result page to finished items, against one memmem pass over the same
// page, and the cost of hostile pages that would make a careless parser quadratic.
#include <benchmark/benchmark.h>

#include "summary_reporter.h"

#include <chrono>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>

#include "engines/engine_definition.h"
#include "engines/page_extractor.h"

namespace {

using quexa::engines::EngineDefinition;
using quexa::engines::PageExtractor;

EngineDefinition BenchEngine() {
    EngineDefinition engine;
    engine.urlRules = "<URL>/url?q=*URL*&amp;sa=</URL>";
    engine.itemTemplates =
        "<div class=\"r\"><h3><a href=\"*URL*\">*TITLE*</a></h3><span class=\"s\">*PREVIEW*</span>"
        "</div>";
    engine.nextPageTemplates = "<a class=\"next\" href=\"*URL*\">";
    engine.nextPageRoot = "http://search.example";
    return engine;
}

// Markup between the items, varied as a real result page's is: navigation, scripts, adverts.
std::string Filler(std::mt19937& random, std::size_t size) {
    static const char* const words[] = {
        "search",  "result", "page", "more", "news",     "images", "video", "maps", "settings",
        "privacy", "terms",  "help", "var",  "function", "return", "class", "item", "link"};
    static const char* const shapes[] = {
        "<div class=\"nav\"><a href=\"/%s/%s\">%s %s</a></div>\n",
        "<script>var %s = \"%s\"; function %s() { return %s; }</script>\n",
        "<p class=\"%s\">%s %s, %s &amp; %s.</p>\n",
        "<li><span class=\"ad-%s\">%s</span> <em>%s</em> <a href=\"#%s\">%s</a></li>\n",
    };
    std::uniform_int_distribution<std::size_t> word(0, std::size(words) - 1);
    std::uniform_int_distribution<std::size_t> shape(0, std::size(shapes) - 1);
    std::string out;
    char line[512];
    while (out.size() < size) {
        std::snprintf(line, sizeof line, shapes[shape(random)], words[word(random)],
                      words[word(random)], words[word(random)], words[word(random)],
                      words[word(random)]);
        out += line;
    }
    return out;
}

// About 1 MiB holding 500 items.
std::string NormalPage() {
    std::mt19937 random(500);
    std::string page = "<html><head><title>results</title></head><body>\r\n";
    for (int i = 0; i < 500; ++i) {
        const std::string n = std::to_string(i);
        page += Filler(random, 1500);
        page += "<div class=\"r\"><h3><a href=\"/url?q=http://site" + n +
                ".example/some/path&amp;sa=U\">Result <b>number</b> " + n +
                " &amp; more &quot;words&quot;</a></h3><span class=\"s\">A preview of result " + n +
                " with <em>marked</em> words &nbsp;and &copy; signs, &eacute;t&eacute; and more "
                "text to read through.</span></div>\r\n";
    }
    page += "<a class=\"next\" href=\"/search?q=x&amp;start=10\">Next</a></body></html>";
    page.resize(1 << 20, ' ');
    return page;
}

// One 8 MiB item whose title and preview are millions of tags and references.
std::string TagStormPage() {
    std::string inner;
    while (inner.size() < 4u << 20) {
        inner += "<b>x</b>&amp;&#65;&lt;  ";
    }
    return "<div class=\"r\"><h3><a href=\"http://x.example/\">" + inner +
           "</a></h3><span class=\"s\">" + inner + "</span></div>";
}

// 8 MiB of nothing but "<" and "&".
std::string AngleAndAmpersandPage() {
    std::mt19937 random(7);
    std::string page(8u << 20, '<');
    for (char& c : page) {
        c = (random() & 1) ? '<' : '&';
    }
    return page;
}

const std::string& Page(const std::string& name) {
    static const std::map<std::string, std::string> pages = {
        {"normal", NormalPage()}, {"tags", TagStormPage()}, {"angles", AngleAndAmpersandPage()}};
    return pages.at(name);
}

void Extract(benchmark::State& state, const std::string& name) {
    const EngineDefinition engine = BenchEngine();
    const std::string& page = Page(name);
    std::size_t items = 0;
    for (auto _ : state) {
        state.PauseTiming();  // a worker hands its fetched page over; it is not copied
        std::string copy = page;
        state.ResumeTiming();
        PageExtractor extractor(engine);
        items = extractor.ExtractItems(std::move(copy)).size();
        benchmark::DoNotOptimize(extractor.NextPageUrl());
    }
    state.counters["items"] = static_cast<double>(items);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void Memmem(benchmark::State& state) {
    const std::string& page = Page("normal");
    // One pass finding every occurrence of the items' first delimiter.
    const std::string needle = "<div class=\"r\"><h3><a href=\"";
    std::size_t found = 0;
    for (auto _ : state) {
        found = 0;
        const char* at = page.data();
        const char* const end = page.data() + page.size();
        while (const void* hit =
                   memmem(at, static_cast<std::size_t>(end - at), needle.data(), needle.size())) {
            ++found;
            at = static_cast<const char*>(hit) + needle.size();
        }
        benchmark::DoNotOptimize(found);
    }
    state.counters["items"] = static_cast<double>(found);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

BENCHMARK_CAPTURE(Extract, normal, std::string("normal"))->Unit(benchmark::kMicrosecond);
BENCHMARK(Memmem)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(Extract, tags, std::string("tags"))->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Extract, angles, std::string("angles"))->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    quexa::bench::SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double extract = reporter.Seconds("Extract/normal");
    const double scan = reporter.Seconds("Memmem");
    if (extract <= 0 || scan <= 0) {
        return 0;  // filtered out
    }
    const double megabytes = static_cast<double>(Page("normal").size()) / 1e6;
    std::printf(
        "ratio extract/memmem: %.3f (goal >= 0.167); extract %.0f MB/s (goal >= 300), "
        "memmem %.0f MB/s\n",
        scan / extract, megabytes / extract, megabytes / scan);
    std::printf("hostile 8 MiB pages: tags %.1f ms, \"<\" and \"&\" %.1f ms (goal < 50 ms each)\n",
                reporter.Seconds("Extract/tags") * 1e3, reporter.Seconds("Extract/angles") * 1e3);
    return 0;
}
