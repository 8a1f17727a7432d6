// The engine settings file as a user writes it by hand, damaged or not, and as the program writes
// it.
#include "app/engine_settings_file.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace tarvelle {
namespace {

class EngineSettingsFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string name =
            (std::filesystem::temp_directory_path() / "tarvelle conf XXXXXX").string();
        ASSERT_NE(mkdtemp(name.data()), nullptr);
        folder = name;
        file = folder / "tarvelle" / "tarvelle.conf";
    }
    void TearDown() override { std::filesystem::remove_all(folder); }

    EngineSettings ReadText(const std::string& text) const {
        std::ofstream(file) << text;
        return ReadEngineSettings(file);
    }
    std::string FileText() const {
        std::ostringstream text;
        text << std::ifstream(file).rdbuf();
        return text.str();
    }

    std::filesystem::path folder;
    std::filesystem::path file;
};

TEST_F(EngineSettingsFileTest, HandWrittenFilesAndDamagedOnes) {
    std::filesystem::create_directories(file.parent_path());
    const SearchLimit nodes{.kind = SearchLimit::Kind::Nodes, .amount = 20000000000};
    const SearchLimit time{.kind = SearchLimit::Kind::Milliseconds, .amount = 2500};
    struct Case {
        const char* what;
        std::string text;
        EngineSettings settings;
    };
    const Case cases[] = {
        {"every key",
         "[engine]\npath=\"/usr/games/my engine, v2\"\nprotocol=UCI\nranks=1\nthreads=4\nhash=256\n"
         "nodes=20000000000\nponder=false\n",
         {"/usr/games/my engine, v2", ProtocolChoice::Uci, RankChoice::FromOne, 4, 256, nodes,
          false}},
        {"seconds, which count over nodes",
         "[engine]\nnodes=5000\nseconds=2.5\nprotocol=ucci\n",
         {"", ProtocolChoice::Ucci, RankChoice::Auto, 0, 0, time, true}},
        {"values that cannot be read",
         "[engine]\nprotocol=xboard\nranks=2\nthreads=-3\nhash=lots\nnodes=0\nseconds=-1\n"
         "ponder=maybe\n",
         {}},
        {"another group only", "[general]\nprotocol=uci\n", {}},
        {"a damaged file", "[engine\nprotocol=uci\n", {}},
        {"bytes that are no text", std::string("\x00\xff\xfe[engine]\n\x01", 9), {}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadText(c.text), c.settings) << c.what;
    std::filesystem::remove(file);
    EXPECT_EQ(ReadEngineSettings(file), EngineSettings{}) << "a missing file";
    EXPECT_EQ(ReadEngineSettings(folder), EngineSettings{}) << "a folder in its place";
}

TEST_F(EngineSettingsFileTest, TheProgramWritesEveryKeyAndOnlyTheLimitSetLast) {
    EngineSettings settings{"/opt/引擎/pikafish",
                            ProtocolChoice::Uci,
                            RankChoice::FromZero,
                            2,
                            64,
                            SearchLimit{.kind = SearchLimit::Kind::Nodes, .amount = 300000},
                            true};
    ASSERT_TRUE(WriteEngineSettings(file, settings)) << "the folder is made";
    settings.limit = SearchLimit{.kind = SearchLimit::Kind::Milliseconds, .amount = 1500};
    ASSERT_TRUE(WriteEngineSettings(file, settings));
    EXPECT_EQ(FileText(),
              "[engine]\nhash=64\npath=/opt/引擎/pikafish\nponder=true\nprotocol=uci\nranks=0\n"
              "seconds=1.5\nthreads=2\n");
    EXPECT_EQ(ReadEngineSettings(file), settings);
}

}  // namespace
}  // namespace tarvelle
