// A fresh directory, with a blank in its name, that holds the scripted fake engine as "EEYE.dll"
// and its scenario, for tests that start an engine through the real pipe library.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tarvelle::testing {

class FakeEngineDirectory {
public:
    // `scenario` is the fake engine's script, one rule per line (see fake_ucci_engine.cpp).
    explicit FakeEngineDirectory(std::string_view scenario);
    ~FakeEngineDirectory();
    FakeEngineDirectory(const FakeEngineDirectory&) = delete;
    FakeEngineDirectory& operator=(const FakeEngineDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string CommandLine() const;

    // Every line the engine received, in order. Complete once the engine has been reaped.
    std::vector<std::string> ReceivedLines() const;

private:
    std::filesystem::path path_;
};

}  // namespace tarvelle::testing
