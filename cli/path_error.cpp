#include "cli/path_error.h"

#include <iostream>
#include <string>

#include "files/path_problem.h"

namespace quexa::cli {
namespace {

void Say(const std::filesystem::path& path, const std::string& problem) {
    if (!problem.empty()) {
        std::cerr << "Error: " << path.string() << ": " << problem << "\n";
    }
}

}  // namespace

void SayPathProblem(const std::filesystem::path& path) {
    Say(path, files::PathProblem::ForReading(path));
}

void SayWritePathProblem(const std::filesystem::path& path) {
    Say(path, files::PathProblem::ForWriting(path));
}

}  // namespace quexa::cli
