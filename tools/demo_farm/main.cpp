// quexa-demo-farm: the demo engine farm as a program, for ./run.sh demo and benchmark scripts.
#include <pthread.h>
#include <CLI/CLI.hpp>
#include <csignal>
#include <iostream>

#include "demo_farm/demo_farm.h"
#include "demo_farm/demo_home.h"

namespace {

struct FarmOptions {
    int port = 0;
    std::string home;
    int threads = quexa::demo::DemoFarm::Options().threads;
    int engineLatency = 0;
    int locationLatency = 0;
};

// Blocks the stop signals in every thread, so that only the sigwait below takes them.
sigset_t BlockStopSignals() {
    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGINT);
    sigaddset(&signals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &signals, nullptr);
    return signals;
}

int Serve(const FarmOptions& options) {
    const sigset_t signals = BlockStopSignals();
    quexa::demo::DemoFarm::Options farmOptions;
    farmOptions.threads = options.threads;
    quexa::demo::DemoFarm farm(farmOptions);
    farm.SetEngineLatency(std::chrono::milliseconds(options.engineLatency));
    farm.SetLocationLatency(std::chrono::milliseconds(options.locationLatency));
    std::string error;
    if (!farm.Start(options.port, &error)) {
        std::cerr << "Error: " << error << "\n";
        return 1;
    }
    if (!options.home.empty() && !quexa::demo::WriteDemoHome(options.home, farm.port(), &error)) {
        std::cerr << "Error: " << error << "\n";
        return 1;
    }
    std::cout << farm.BaseUrl() << std::endl;
    int signal = 0;
    sigwait(&signals, &signal);
    farm.Stop();
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    CLI::App app(
        "Fake search engines and result locations on a loopback HTTP server. Prints the "
        "farm's address and serves until SIGINT or SIGTERM.",
        "quexa-demo-farm");
    FarmOptions options;
    app.add_option("--port", options.port, "Port on 127.0.0.1; 0 picks a free one")
        ->check(CLI::Range(0, 65535));
    app.add_option("--home", options.home,
                   "Write a home folder with a Demo category pointing at the farm");
    app.add_option("--threads", options.threads, "Connections served at once")
        ->check(CLI::Range(1, 4096));
    app.add_option("--engine-latency", options.engineLatency, "Milliseconds added to every page")
        ->check(CLI::NonNegativeNumber);
    app.add_option("--location-latency", options.locationLatency,
                   "Milliseconds added to every location answer")
        ->check(CLI::NonNegativeNumber);
    CLI11_PARSE(app, argc, argv);
    return Serve(options);
}
