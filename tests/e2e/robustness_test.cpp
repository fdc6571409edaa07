// The list and copy clicks in awkward folders. Each case starts the real
// program in its folder and checks that the click returns, the program lives
// on, the box shows the folder's names (or is emptied where nothing could be
// listed), neither temporary file is left behind and no other file changed.
// Each case prints one row of a table: case, outcome, time of the click.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "many_entries.h"
#include "program.h"

namespace e2e {
namespace {

constexpr char kScript[] = "quorvel.bat";
constexpr char kListing[] = "velnaris.txt";
// A folder of 100,000 entries takes Wine's command interpreter well over a
// minute to list.
constexpr DWORD kLongListDeadlineMs = 10 * 60 * 1000;
// Stands for whatever an earlier click left in the box.
constexpr char kEarlierList[] = "earlier.txt\r\nlist.txt";

enum class Expect {
    ListShown,      // the box holds the folder's names
    BoxEmptied,     // nothing could be listed: the earlier list is gone
    ClipboardKept,  // the copy click found the clipboard held and left it be
};

std::wstring Wide(const std::string& text) {
    int length = MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

// Where a case runs the program. Most make a fresh folder; two use folders
// that a set-up script outside Wine prepared (see tests/CMakeLists.txt).
struct Place {
    std::unique_ptr<TempFolder> temp;
    std::string runDirectory;
    ProgramCopy copy = ProgramCopy::Make;
    DWORD deadlineMs = kDeadlineMs;
    std::string skipReason;
    // Variables the program is started with, besides the test's own.
    std::vector<std::pair<std::string, std::string>> environment;

    std::string operator/(const std::string& name) const { return runDirectory + "\\" + name; }
};

void InFreshFolder(Place& place, const std::string& subfolder = "") {
    place.temp = std::make_unique<TempFolder>();
    place.runDirectory = place.temp->path();
    if (subfolder.empty()) return;
    place.runDirectory += "\\" + subfolder;
    ASSERT_TRUE(CreateDirectoryA(place.runDirectory.c_str(), nullptr)) << place.runDirectory;
}

void MakeFiles(const Place& place, const std::vector<std::string>& names) {
    for (const std::string& name : names) WriteFileBytes(place / name, "content of " + name + "\r\n");
}

void ShellCharactersInNames(Place& place) {
    InFreshFolder(place);
    MakeFiles(place, {"a & b.txt", "50% off.txt", "%PATH%.txt", "%OS%", "x^y.txt", "hi!.txt", "(1).txt",
                      "it's.txt", "two  spaces.txt", " leading space.txt", "semi;colon,comma=equals.txt",
                      "plus+sign [x] {y} ~z `q.txt"});
}

// The script is run through the command interpreter, which reads its command
// line: the run directory must reach it as plain text.
void ShellCharactersInRunDirectory(Place& place) {
    InFreshFolder(place, "a & b ^ c % d ! (e) 'f' ; g,h=i");
    MakeFiles(place, {"inside.txt"});
}

void VariableNamesInRunDirectory(Place& place) {
    InFreshFolder(place, "%TEMP% and %OS%");
    MakeFiles(place, {"inside.txt"});
}

// "季度报告.docx", "会议纪要 三月.txt", "照片" in code page 936.
void ChineseNames(Place& place) {
    InFreshFolder(place, "\xD5\xD5\xC6\xAC");
    MakeFiles(place, {"\xBC\xBE\xB6\xC8\xB1\xA8\xB8\xE6.docx", "\xBB\xE1\xD2\xE9\xBC\xCD\xD2\xAA \xC8\xFD\xD4\xC2.txt"});
}

// "\xD5\x5C" and "\x95\x5C" are single characters whose trail byte is the
// value of a backslash.
void TrailBackslashInNames(Place& place) {
    InFreshFolder(place);
    MakeFiles(place, {"\xD5\x5C.txt", "a\x95\x5C" "b.txt", "\xD5\x5C\x95\x5C"});
}

void TrailBackslashEndsRunDirectory(Place& place) {
    InFreshFolder(place, "folder \xD5\x5C");
    MakeFiles(place, {"inside.txt"});
}

// quorvel.exe's path is 259 characters, the longest that fits MAX_PATH.
void RunDirectoryNearMaxPath(Place& place) {
    InFreshFolder(place);
    std::size_t wanted = MAX_PATH - 1 - std::string("\\quorvel.exe").size();
    while (place.runDirectory.size() < wanted) {
        std::size_t room = wanted - place.runDirectory.size() - 1;
        std::string part(std::min<std::size_t>(room, 200), 'p');
        place.runDirectory += "\\" + part;
        ASSERT_TRUE(CreateDirectoryA(place.runDirectory.c_str(), nullptr)) << place.runDirectory.size();
    }
    ASSERT_EQ((place / "quorvel.exe").size(), static_cast<std::size_t>(MAX_PATH - 1));
    MakeFiles(place, {"inside.txt"});
}

// The folder that tests/e2e/robustness_folders.sh prepared outside Wine, as
// ctest passes it on; empty when the test runs on its own.
std::string PreparedPlaces() {
    const char* value = std::getenv("QUORVEL_TEST_PLACES");
    return value ? value : "";
}

// A drive letter that the set-up script mapped to an empty host folder. The
// script writes the letter, with its colon, into drive.txt.
void DriveRoot(Place& place) {
    if (PreparedPlaces().empty()) {
        place.skipReason = "QUORVEL_TEST_PLACES is not set (ctest sets it)";
        return;
    }
    std::string letter = ReadFileBytes(PreparedPlaces() + "\\drive.txt");
    place.runDirectory = letter.substr(0, letter.find_first_of("\r\n"));
    ASSERT_EQ(place.runDirectory.size(), 2u) << "drive.txt: " << letter;
    MakeFiles(place, {"on the drive.txt"});
}

// As started from a command prompt that was last in a sub-folder of that
// drive: the prompt hands its folder on each drive on as a variable named
// after the drive ("=Q:"), which is where "Q:" alone leads.
void DriveRootFromAPromptElsewhere(Place& place) {
    DriveRoot(place);
    if (testing::Test::HasFatalFailure() || !place.skipReason.empty()) return;
    std::string elsewhere = place / "elsewhere";
    ASSERT_TRUE(CreateDirectoryA(elsewhere.c_str(), nullptr) || GetLastError() == ERROR_ALREADY_EXISTS);
    WriteFileBytes(elsewhere + "\\in the sub-folder.txt", "x");
    place.environment.push_back({"=" + place.runDirectory, elsewhere});
}

// A read-only mount that already holds quorvel.exe and one file.
void ReadOnlyFolder(Place& place) {
    if (PreparedPlaces().empty()) {
        place.skipReason = "QUORVEL_TEST_PLACES is not set (ctest sets it)";
        return;
    }
    place.runDirectory = PreparedPlaces() + "\\read-only";
    place.copy = ProgramCopy::AlreadyThere;
    ASSERT_TRUE(FileExists(place / "quorvel.exe")) << place.runDirectory;
}

void FolderNamedLikeTheScript(Place& place) {
    InFreshFolder(place);
    ASSERT_TRUE(CreateDirectoryA((place / kScript).c_str(), nullptr));
    MakeFiles(place, {"inside.txt"});
}

void FolderNamedLikeTheListing(Place& place) {
    InFreshFolder(place);
    ASSERT_TRUE(CreateDirectoryA((place / kListing).c_str(), nullptr));
    MakeFiles(place, {"inside.txt"});
}

// Files of those names are the program's to overwrite and remove.
void FilesNamedLikeTheTemporaries(Place& place) {
    InFreshFolder(place);
    WriteFileBytes(place / kScript, "echo planted> planted.txt\r\n");
    WriteFileBytes(place / kListing, "stale listing\r\n");
    MakeFiles(place, {"inside.txt"});
}

// Korean, Arabic, an emoji and a name with a character from each code page.
void NamesOutsideCodePage936(Place& place) {
    InFreshFolder(place);
    const wchar_t* const names[] = {L"\xD55C\xAD6D\xC5B4.txt", L"\x0639\x0631\x0628\x064A.txt",
                                    L"\xD83D\xDE00 smile.txt", L"\xD55C-\x4E2D.txt"};
    for (const wchar_t* name : names) {
        std::wstring path = Wide(place.runDirectory) + L"\\" + name;
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE);
        CloseHandle(file);
    }
}

void HundredThousandEntries(Place& place) {
    InFreshFolder(place);
    place.deadlineMs = kLongListDeadlineMs;
    ASSERT_TRUE(FillWithEntries(place.runDirectory, 100000));
}

void ClipboardHeldByAnotherProgram(Place& place) {
    InFreshFolder(place);
    MakeFiles(place, {"inside.txt"});
}

struct Case {
    const char* name;
    void (*prepare)(Place&);
    Expect expect;
};

const Case kCases[] = {
    {"ShellCharactersInNames",          ShellCharactersInNames,          Expect::ListShown},
    {"ShellCharactersInRunDirectory",   ShellCharactersInRunDirectory,   Expect::ListShown},
    {"VariableNamesInRunDirectory",     VariableNamesInRunDirectory,     Expect::ListShown},
    {"ChineseNames",                    ChineseNames,                    Expect::ListShown},
    {"TrailBackslashInNames",           TrailBackslashInNames,           Expect::ListShown},
    {"TrailBackslashEndsRunDirectory",  TrailBackslashEndsRunDirectory,  Expect::ListShown},
    {"RunDirectoryNearMaxPath",         RunDirectoryNearMaxPath,         Expect::ListShown},
    {"DriveRoot",                       DriveRoot,                       Expect::ListShown},
    {"DriveRootFromAPromptElsewhere",   DriveRootFromAPromptElsewhere,   Expect::ListShown},
    {"ReadOnlyFolder",                  ReadOnlyFolder,                  Expect::BoxEmptied},
    {"FolderNamedLikeTheScript",        FolderNamedLikeTheScript,        Expect::BoxEmptied},
    {"FolderNamedLikeTheListing",       FolderNamedLikeTheListing,       Expect::BoxEmptied},
    {"FilesNamedLikeTheTemporaries",    FilesNamedLikeTheTemporaries,    Expect::ListShown},
    {"NamesOutsideCodePage936",         NamesOutsideCodePage936,         Expect::ListShown},
    {"HundredThousandEntries",          HundredThousandEntries,          Expect::ListShown},
    {"ClipboardHeldByAnotherProgram",   ClipboardHeldByAnotherProgram,   Expect::ClipboardKept},
};

void PrintTo(const Case& c, std::ostream* out) { *out << c.name; }

// What a file or folder is, to tell whether a click changed it.
struct EntryState {
    bool folder = false;
    unsigned long long size = 0;
    FILETIME written{};
    unsigned long long contentHash = 0;

    bool operator==(const EntryState& other) const {
        return folder == other.folder && size == other.size && CompareFileTime(&written, &other.written) == 0 &&
               contentHash == other.contentHash;
    }
};

unsigned long long HashOf(const std::string& bytes) {
    unsigned long long hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char byte : bytes) hash = (hash ^ byte) * 1099511628211ull;
    return hash;
}

// Every file and folder under the folder, by its path relative to it.
void AddToSnapshot(const std::string& folder, const std::string& prefix, std::map<std::string, EntryState>& entries) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = found.cFileName;
        if (name == "." || name == "..") continue;
        EntryState state;
        state.folder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        state.size = (static_cast<unsigned long long>(found.nFileSizeHigh) << 32) | found.nFileSizeLow;
        state.written = found.ftLastWriteTime;
        // Empty files are most of the largest folder; their size and time say all.
        if (!state.folder && state.size > 0) state.contentHash = HashOf(ReadFileBytes(folder + "\\" + name));
        entries[prefix + name] = state;
        // "/" joins the names of nested entries: it cannot be part of a name,
        // where a backslash's byte can (as a double-byte character's second).
        if (state.folder) AddToSnapshot(folder + "\\" + name, prefix + name + "/", entries);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

std::map<std::string, EntryState> Snapshot(const std::string& folder) {
    std::map<std::string, EntryState> entries;
    AddToSnapshot(folder, "", entries);
    return entries;
}

bool IsFileNamedLikeATemporary(const std::string& name, const EntryState& state) {
    return !state.folder && (name == kScript || name == kListing);
}

// The names DIR /B prints while the script runs: the folder's entries and the
// two temporary files.
std::vector<std::string> ExpectedListing(const std::map<std::string, EntryState>& before) {
    std::vector<std::string> names;
    for (const auto& entry : before)
        if (entry.first.find('/') == std::string::npos) names.push_back(entry.first);
    for (const char* temporary : {kScript, kListing})
        if (!before.count(temporary)) names.push_back(temporary);
    std::sort(names.begin(), names.end());
    return names;
}

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

bool SetClipboardTextFromTest(const std::string& text) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
    std::memcpy(GlobalLock(block), text.c_str(), text.size() + 1);
    GlobalUnlock(block);
    bool placed = SetClipboardData(CF_TEXT, block) != nullptr;
    CloseClipboard();
    return placed;
}

std::string ClipboardText() {
    std::string text = "<no text>";
    if (!OpenClipboard(nullptr)) return "<clipboard busy>";
    if (HANDLE block = GetClipboardData(CF_TEXT)) {
        text = static_cast<const char*>(GlobalLock(block));
        GlobalUnlock(block);
    }
    CloseClipboard();
    return text;
}

double Seconds(ULONGLONG fromTicks) { return static_cast<double>(GetTickCount64() - fromTicks) / 1000.0; }

constexpr char kRowFormat[] = "%-32s | %-56s | %7.2fs\n";

struct Row {
    std::string name, outcome;
    double seconds;
};

class Folder : public testing::TestWithParam<Case> {
public:
    static void TearDownTestSuite() {
        if (rows().size() < 2) return;
        std::printf("\n%-32s | %-56s | %8s\n", "case", "outcome", "click");
        for (const Row& row : rows()) std::printf(kRowFormat, row.name.c_str(), row.outcome.c_str(), row.seconds);
        std::fflush(stdout);
    }

protected:
    // One row per case, on the test's output and, when the test run names a
    // file for it, appended there so that the whole table can be shown after
    // a run of separate test processes.
    void Report(const std::string& outcome, double seconds) {
        std::string result = HasFailure() ? "FAILED: " + outcome : outcome;
        char row[512];
        std::snprintf(row, sizeof row, kRowFormat, GetParam().name, result.c_str(), seconds);
        std::printf("%s", row);
        std::fflush(stdout);
        rows().push_back({GetParam().name, result, seconds});
        if (PreparedPlaces().empty()) return;
        std::string table = PreparedPlaces() + "\\table.txt";
        HANDLE file = CreateFileA(table.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return;
        DWORD written = 0;
        WriteFile(file, row, static_cast<DWORD>(std::strlen(row)), &written, nullptr);
        CloseHandle(file);
    }

    static std::vector<Row>& rows() {
        static std::vector<Row> all;
        return all;
    }
};

TEST_P(Folder, Clicks) {
    const Case& c = GetParam();
    Place place;
    c.prepare(place);
    if (HasFatalFailure()) return;
    if (!place.skipReason.empty()) GTEST_SKIP() << place.skipReason;

    for (const auto& variable : place.environment)
        ASSERT_TRUE(SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str())) << variable.first;
    Program program(place.runDirectory, "", place.copy);
    for (const auto& variable : place.environment) SetEnvironmentVariableA(variable.first.c_str(), nullptr);
    ASSERT_NE(program.window(), nullptr);
    Controls controls = program.controls();
    const auto before = Snapshot(place.runDirectory);
    DWORD_PTR ignored = 0;
    ASSERT_TRUE(SendMessageTimeoutA(controls.listBox, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(kEarlierList),
                                    SMTO_NORMAL, kDeadlineMs, &ignored));

    ULONGLONG start = GetTickCount64();
    ASSERT_TRUE(program.Click(controls.listButton, place.deadlineMs)) << "the list click did not return";
    double listSeconds = Seconds(start);
    EXPECT_EQ(program.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program ended";
    std::string shown = program.Text(controls.listBox);

    std::string outcome;
    double reportedSeconds = listSeconds;
    if (c.expect == Expect::BoxEmptied) {
        EXPECT_EQ(shown, "");
        outcome = "box emptied";
    } else {
        std::vector<std::string> listed = Sorted(SplitLines(shown));
        EXPECT_EQ(listed, ExpectedListing(before));
        outcome = "list shown (" + std::to_string(listed.size()) + " names)";
    }

    if (c.expect == Expect::ClipboardKept) {
        const std::string former = "held by another program";
        ASSERT_TRUE(SetClipboardTextFromTest(former));
        // Held as programs hold it, with a window: Wine lets a second opener
        // in when neither gives a window.
        HWND holder = CreateWindowExA(0, "STATIC", "clipboard holder", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
        ASSERT_TRUE(OpenClipboard(holder));
        start = GetTickCount64();
        bool returned = program.Click(controls.copyButton);
        reportedSeconds = Seconds(start);
        CloseClipboard();
        DestroyWindow(holder);
        EXPECT_TRUE(returned) << "the copy click did not return while the clipboard was held";
        EXPECT_EQ(program.WaitForExit(0), static_cast<DWORD>(STILL_ACTIVE)) << "the program ended";
        EXPECT_EQ(ClipboardText(), former);
        outcome += ", clipboard kept";
    }

    // Both temporary files are gone, except where the case made a folder of
    // that name, which stays as it was.
    const auto after = Snapshot(place.runDirectory);
    for (const char* temporary : {kScript, kListing}) {
        auto owned = before.find(temporary);
        bool folderOfThatName = owned != before.end() && owned->second.folder;
        EXPECT_EQ(after.count(temporary) != 0, folderOfThatName) << temporary;
    }
    for (const auto& entry : before) {
        if (IsFileNamedLikeATemporary(entry.first, entry.second)) continue;
        auto now = after.find(entry.first);
        EXPECT_TRUE(now != after.end() && now->second == entry.second) << entry.first << " changed or went";
    }
    for (const auto& entry : after)
        EXPECT_TRUE(before.count(entry.first)) << entry.first << " appeared";

    Report(outcome + (HasFailure() ? "" : ", files intact"), reportedSeconds);
}

INSTANTIATE_TEST_SUITE_P(Robustness, Folder, testing::ValuesIn(kCases),
                         [](const testing::TestParamInfo<Case>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace e2e
