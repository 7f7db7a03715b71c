#include "sample_rows.h"

#include <array>
#include <string>

namespace quexa::screenshots {
namespace {

struct Sample {
    const char* title;
    const char* location;
    const char* engine;
    const char* preview;
};

constexpr std::array<Sample, 10> kSamples{{
    {"Solar kites: building a light frame", "http://kites.example.org/solar/frame.html",
     "Demo Alpha",
     "Step by step: a frame of carbon rods, a sail of thin film and the solar cells "
     "that keep the lights on the line glowing after dark."},
    {"Kite festival on the dunes - programme", "http://dunes.example.com/festival/2026",
     "Demo Beta",
     "Three days of kites over the dunes, with night flights, a workshop for "
     "children and a market."},
    {"Why solar cells lose power in the heat", "http://physics.example.net/cells/heat",
     "Demo Gamma",
     "Warm cells give less voltage. A look at the numbers and at what cooling "
     "buys you on a summer roof."},
    {"Line tension tables for single-line kites", "http://kites.example.org/tables/tension",
     "Demo Alpha",
     "Tables\tof line strength by wind speed and sail area; print them for the "
     "field."},
    {"Repairing a torn sail at home", "http://makers.example.com/sail-repair", "Demo Delta",
     "Patch, stitch or tape: which repair holds, and which one adds the least "
     "weight."},
    {"Night flying with LED strips", "http://kites.example.org/night/led", "Demo Beta",
     "Wiring, batteries and how to keep the weight down when the kite carries its "
     "own lights."},
    {"Weather windows for the coast", "http://weather.example.net/coast/windows", "Demo Gamma",
     "When the sea breeze sets in and how long it lasts, by month."},
    {"A very long title that does not fit into the column it is shown in at all",
     "http://long.example.com/a/very/long/path/that/goes/on/and/on/and/on/index.html",
     "Demo Epsilon",
     "Cut texts show a tooltip with the whole text when the mouse rests on "
     "them; the preview band wraps its text and ends with an ellipsis when it "
     "runs out of room, as this one does because it goes on for a good while "
     "longer than two lines can hold."},
    {"Photo gallery: kites over the harbour", "http://photos.example.org/harbour", "Demo Delta",
     "Forty photos from the harbour festival."},
    {"Buying a first stunt kite", "http://shop.example.com/guides/first-stunt-kite", "Demo Alpha",
     "What to look for, what to skip, and which size suits your wind."},
}};

constexpr std::array<core::StatusCode, 6> kStatuses{
    core::StatusCode::Reachable, core::StatusCode::Normal,  core::StatusCode::Unreachable,
    core::StatusCode::Unknown,   core::StatusCode::Timeout, core::StatusCode::Verifing,
};

}  // namespace

void FillSampleRows(core::ResultList& list, int previewHeight) {
    for (std::size_t i = 0; i < 20; ++i) {
        const Sample& sample = kSamples[i % kSamples.size()];
        core::ResultItem item;
        item.title = sample.title;
        item.location = sample.location;
        if (i >= kSamples.size()) {
            item.location += "?page=" + std::to_string(i);
        }
        item.searchTarget = sample.engine;
        item.preview = sample.preview;
        item.status = kStatuses[i % kStatuses.size()];
        item.visit = i % 3 == 0 ? core::VisitCode::Visited : core::VisitCode::WithoutVisit;
        item.selected = i % 4 == 1;
        item.previewHeight = previewHeight;
        list.AddItem(static_cast<std::ptrdiff_t>(list.Count()), std::move(item));
    }
}

}  // namespace quexa::screenshots
