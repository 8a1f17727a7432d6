#include "fake_engine_directory.h"

#include <cstdlib>
#include <fstream>
#include <stdexcept>

namespace tarvelle::testing {

FakeEngineDirectory::FakeEngineDirectory(std::string_view scenario) {
    std::string name = (std::filesystem::temp_directory_path() / "tarvelle engine XXXXXX").string();
    if (mkdtemp(name.data()) == nullptr) throw std::runtime_error("no temporary directory");
    path_ = name;
    std::filesystem::create_symlink(TARVELLE_FAKE_ENGINE, path_ / "EEYE.dll");
    std::ofstream(path_ / "scenario.txt") << scenario;
}

FakeEngineDirectory::~FakeEngineDirectory() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
}

std::string FakeEngineDirectory::CommandLine() const {
    return (path_ / "EEYE.dll").string();
}

std::vector<std::string> FakeEngineDirectory::ReceivedLines() const {
    std::vector<std::string> lines;
    std::ifstream log(path_ / "received.log");
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

}  // namespace tarvelle::testing
