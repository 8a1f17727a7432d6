// The record of solved puzzles on disk: what a damaged or missing file reads as, and how it is
// replaced.
#include "game/solved_puzzles.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>
#include <random>
#include <sstream>

namespace tarvelle {
namespace {

namespace fs = std::filesystem;

constexpr const char* kPuzzle = "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0";
constexpr const char* kOtherPuzzle = "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w - - 0 0";

class SolvedPuzzlesTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        folder = fs::temp_directory_path() /
                 ("solved_puzzles_" + std::to_string(getpid()) + "_" + test->name());
        fs::remove_all(folder);
        file = folder / "state" / "solved.txt";
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string FileText() const {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    void WriteFile(const std::string& bytes) const {
        fs::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << bytes;
    }

    fs::path folder;
    fs::path file;
};

TEST_F(SolvedPuzzlesTest, AMissingFileIsEmptyAndTheFirstSolveCreatesItsFolder) {
    SolvedPuzzles solved(file);
    EXPECT_FALSE(solved.Contains(kPuzzle));
    ASSERT_TRUE(solved.Add(kPuzzle));
    EXPECT_EQ(FileText(), "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w\n");
    EXPECT_TRUE(SolvedPuzzles(file).Contains(kPuzzle)) << "kept for the next run";
}

TEST_F(SolvedPuzzlesTest, APuzzleIsKnownByItsPositionWhateverItsCounters) {
    SolvedPuzzles solved(file);
    ASSERT_TRUE(solved.Add(kPuzzle));
    ASSERT_TRUE(solved.Add("3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 17"));
    EXPECT_EQ(FileText(), "3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w\n") << "no duplicate";
    EXPECT_FALSE(solved.Contains("3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 b - - 0 0"));
}

TEST_F(SolvedPuzzlesTest, ADamagedFileCountsAsEmptyAndIsReplacedWhole) {
    std::mt19937 random(7);
    std::string garbage(4096, '\0');
    for (char& byte : garbage)
        byte = static_cast<char>(random());
    WriteFile(garbage + "\n3k5/9/9/3N5/6b2/9/4C4/3AK4/4A4/9 w - - 0 0\nnot a position\n");
    struct stat before {};
    ASSERT_EQ(stat(file.c_str(), &before), 0);

    SolvedPuzzles solved(file);
    EXPECT_FALSE(solved.Contains(kPuzzle)) << "only lines written as the record writes them count";
    ASSERT_TRUE(solved.Add(kOtherPuzzle));

    EXPECT_EQ(FileText(), "9/5k3/3aRa3/9/9/9/P8/5A3/5C3/2B1KA3 w\n");
    struct stat after {};
    ASSERT_EQ(stat(file.c_str(), &after), 0);
    EXPECT_NE(before.st_ino, after.st_ino) << "renamed into place, not rewritten in place";
    EXPECT_EQ(std::distance(fs::directory_iterator(file.parent_path()), fs::directory_iterator()),
              1)
        << "no temporary file is left behind";
}

TEST_F(SolvedPuzzlesTest, AnUnwritableFileKeepsThePuzzleForThisRun) {
    fs::create_directories(folder);
    std::ofstream(folder / "state") << "a file where the folder should be";
    SolvedPuzzles solved(file);
    EXPECT_FALSE(solved.Add(kPuzzle));
    EXPECT_TRUE(solved.Contains(kPuzzle));
    EXPECT_FALSE(solved.Add("no position at all"));
}

TEST(SolvedPuzzlesFile, InTheUsersStateFolder) {
    EXPECT_EQ(SolvedPuzzlesFile("/state", "/home/u"), "/state/tarvelle/solved.txt");
    EXPECT_EQ(SolvedPuzzlesFile(nullptr, "/home/u"), "/home/u/.local/state/tarvelle/solved.txt");
    EXPECT_EQ(SolvedPuzzlesFile("state", "/home/u"), "/home/u/.local/state/tarvelle/solved.txt")
        << "a relative path is ignored";
    EXPECT_EQ(SolvedPuzzlesFile("", nullptr), "");
}

}  // namespace
}  // namespace tarvelle
