#include <gtest/gtest.h>

#include <algorithm>

#include "program.h"

namespace e2e {
namespace {

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

// While the script runs, the folder also holds the script and its listing.
std::vector<std::string> ExpectedListing(const std::string& folder) {
    std::vector<std::string> names = FolderEntries(folder);
    names.push_back("quorvel.bat");
    names.push_back("velnaris.txt");
    return Sorted(names);
}

class Listing : public testing::Test {
protected:
    TempFolder folder;

    void ExpectNoTemporaryFiles() {
        EXPECT_FALSE(FileExists(folder / "quorvel.bat"));
        EXPECT_FALSE(FileExists(folder / "velnaris.txt"));
    }
};

TEST_F(Listing, ShowsEveryEntryOfTheProgramsFolder) {
    WriteFileBytes(folder / "notes.txt", "a");
    WriteFileBytes(folder / "with space.doc", "b");
    WriteFileBytes(folder / "\xD6\xD0\xCE\xC4\xC3\xFB.txt", "c");  // 中文名.txt
    CreateDirectoryA((folder / "sub folder").c_str(), nullptr);
    Program program(folder.path());
    Controls controls = program.controls();

    ASSERT_TRUE(program.Click(controls.listButton));

    std::vector<std::string> expected = ExpectedListing(folder.path());
    EXPECT_EQ(Sorted(SplitLines(program.Text(controls.listBox))), expected);
    ExpectNoTemporaryFiles();
}

TEST_F(Listing, SecondClickReplacesTheFirstList) {
    Program program(folder.path());
    Controls controls = program.controls();
    ASSERT_TRUE(program.Click(controls.listButton));
    WriteFileBytes(folder / "added later.txt", "x");

    ASSERT_TRUE(program.Click(controls.listButton));

    EXPECT_EQ(Sorted(SplitLines(program.Text(controls.listBox))), ExpectedListing(folder.path()));
    ExpectNoTemporaryFiles();
}

TEST_F(Listing, OverwritesAndRemovesFilesWithTheTemporaryNames) {
    WriteFileBytes(folder / "velnaris.txt", "stale listing\r\n");
    WriteFileBytes(folder / "quorvel.bat", "echo planted> planted.txt\r\n");
    Program program(folder.path());
    Controls controls = program.controls();

    ASSERT_TRUE(program.Click(controls.listButton));

    std::string shown = program.Text(controls.listBox);
    EXPECT_EQ(shown.find("stale"), std::string::npos);
    EXPECT_EQ(Sorted(SplitLines(shown)), ExpectedListing(folder.path()));
    EXPECT_FALSE(FileExists(folder / "planted.txt")) << "the old script's content must not run";
    ExpectNoTemporaryFiles();
}

TEST_F(Listing, EmptiesTheBoxWhenTheScriptCannotBeCreated) {
    Program program(folder.path());
    Controls controls = program.controls();
    ASSERT_TRUE(program.Click(controls.listButton));
    ASSERT_NE(program.Text(controls.listBox), "");
    ASSERT_TRUE(CreateDirectoryA((folder / "quorvel.bat").c_str(), nullptr));

    ASSERT_TRUE(program.Click(controls.listButton)) << "the click must not hang";

    EXPECT_EQ(program.Text(controls.listBox), "");
    EXPECT_TRUE(FileExists(folder / "quorvel.bat"));
    EXPECT_FALSE(FileExists(folder / "velnaris.txt"));
    EXPECT_EQ(program.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE));
}

// Unquoted, "...\a b\quorvel.bat" is first tried as "...\a.exe" with the
// rest as its arguments.
TEST_F(Listing, RunsTheScriptNotAProgramPlantedBesideAFolderWithASpace) {
    std::string programFolder = folder / "a b";
    ASSERT_TRUE(CreateDirectoryA(programFolder.c_str(), nullptr));
    std::string marker = ProgramBesideDriver();
    marker = marker.substr(0, marker.rfind('\\')) + "\\planted_marker.exe";
    ASSERT_TRUE(CopyFileA(marker.c_str(), (folder / "a.exe").c_str(), FALSE));
    Program program(programFolder);
    Controls controls = program.controls();

    ASSERT_TRUE(program.Click(controls.listButton));

    EXPECT_FALSE(FileExists(programFolder + "\\planted-program-ran.txt"));
    EXPECT_EQ(Sorted(SplitLines(program.Text(controls.listBox))), ExpectedListing(programFolder));
    EXPECT_FALSE(FileExists(programFolder + "\\quorvel.bat"));
    EXPECT_FALSE(FileExists(programFolder + "\\velnaris.txt"));
}

// What the screen shows of the box: its inside, where only the list's text
// differs from the box's white, and the strip right of it that holds the
// vertical scroll bar.
struct BoxOnScreen {
    std::vector<unsigned> inside, scrollBar;

    bool Blank() const {
        return std::all_of(inside.begin(), inside.end(), [](unsigned pixel) { return pixel == 0xFFFFFF; });
    }
};

BoxOnScreen Capture(HWND window, HWND box) {
    Image image = CaptureWindow(window);
    RECT frame{}, outside{}, inside{};
    GetWindowRect(window, &frame);
    GetWindowRect(box, &outside);
    GetClientRect(box, &inside);
    MapWindowPoints(box, nullptr, reinterpret_cast<POINT*>(&inside), 2);
    BoxOnScreen seen;
    for (int y = inside.top; y < inside.bottom; ++y) {
        for (int x = inside.left; x < inside.right; ++x) seen.inside.push_back(image.at(x - frame.left, y - frame.top));
        for (int x = inside.right; x < outside.right; ++x)
            seen.scrollBar.push_back(image.at(x - frame.left, y - frame.top));
    }
    return seen;
}

// The box takes its text with redrawing off; afterwards it must be shown
// again and repainted, text and scroll bars.
TEST_F(Listing, ShowsTheNewListOnTheScreen) {
    for (int i = 0; i < 20; ++i) WriteFileBytes(folder / ("file " + std::to_string(i) + ".txt"), "x");
    Program program(folder.path());
    Controls controls = program.controls();
    BoxOnScreen before = Capture(program.window(), controls.listBox);
    for (DWORD waited = 0; !before.Blank() && waited < kDeadlineMs; waited += 50) {
        Sleep(50);  // the first paint may still be on its way
        before = Capture(program.window(), controls.listBox);
    }
    ASSERT_TRUE(before.Blank()) << "the empty box is not drawn white";

    ASSERT_TRUE(program.Click(controls.listButton));

    EXPECT_TRUE(IsWindowVisible(controls.listBox));
    BoxOnScreen after = Capture(program.window(), controls.listBox);
    for (DWORD waited = 0; (after.Blank() || after.scrollBar == before.scrollBar) && waited < kDeadlineMs;
         waited += 50) {
        Sleep(50);
        after = Capture(program.window(), controls.listBox);
    }
    EXPECT_FALSE(after.Blank()) << "the list was never drawn";
    EXPECT_NE(after.scrollBar, before.scrollBar) << "the scroll bar was not redrawn for 23 lines";
}

}  // namespace
}  // namespace e2e
