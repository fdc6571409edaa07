// Prints figures for the program's two clicks, its memory and its start-up.
// Nothing here passes or fails: the figures are read against their targets
// by whoever runs it (./dev bench).
//
// For each folder size the program is started once in a folder of that many
// files, and each run clicks the list button, runs the same DIR script
// directly (the interpreter alone, the floor the list click cannot go
// below) and clicks the copy button.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "e2e/many_entries.h"
#include "e2e/program.h"

namespace {

using e2e::Controls;
using e2e::Program;
using e2e::TempFolder;

// Long enough for a slow machine's largest list; the benchmark reports
// rather than gives up.
constexpr DWORD kClickDeadlineMs = 10 * 60 * 1000;
constexpr char kScriptContent[] = "DIR *.*  /B >velnaris.txt ";

double Now() {
    static LARGE_INTEGER frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return f;
    }();
    LARGE_INTEGER counter;
    QueryPerformanceCounter(&counter);
    return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

double Median(std::vector<double> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    std::size_t middle = values.size() / 2;
    return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

std::string Thousands(unsigned long long value) {
    std::string digits = std::to_string(value);
    for (int at = static_cast<int>(digits.size()) - 3; at > 0; at -= 3) digits.insert(static_cast<std::size_t>(at), ",");
    return digits;
}

// Milliseconds from sending the click until the handler has returned; a
// negative figure if it did not return within the deadline.
double TimedClick(HWND button) {
    DWORD_PTR result = 0;
    double start = Now();
    if (!SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, kClickDeadlineMs, &result)) return -1;
    return Now() - start;
}

std::size_t TextLength(HWND control) {
    DWORD_PTR length = 0;
    SendMessageTimeoutA(control, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, e2e::kDeadlineMs, &length);
    return length;
}

std::size_t LineCount(const std::string& text) {
    return static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
}

struct ScriptRun {
    double ms = -1;
    unsigned long long listingBytes = 0;
};

// The program's script, started the way the program starts it: hidden, in the
// folder, waited for. Only the start and the wait are timed.
ScriptRun RunScriptAlone(const std::string& folder) {
    ScriptRun run;
    std::string script = folder + "\\quorvel.bat";
    std::string listing = folder + "\\velnaris.txt";
    e2e::WriteFileBytes(script, kScriptContent);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION process{};
    std::string commandLine = "\"" + script + "\"";
    double start = Now();
    if (CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(), &startup,
                       &process)) {
        WaitForSingleObject(process.hProcess, INFINITE);
        run.ms = Now() - start;
        CloseHandle(process.hThread);
        CloseHandle(process.hProcess);
    }
    WIN32_FILE_ATTRIBUTE_DATA attributes{};
    if (GetFileAttributesExA(listing.c_str(), GetFileExInfoStandard, &attributes))
        run.listingBytes = (static_cast<unsigned long long>(attributes.nFileSizeHigh) << 32) | attributes.nFileSizeLow;
    DeleteFileA(script.c_str());
    DeleteFileA(listing.c_str());
    return run;
}

SIZE_T PeakWorkingSet(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    return GetProcessMemoryInfo(process, &counters, sizeof counters) ? counters.PeakWorkingSetSize : 0;
}

struct ListingFigures {
    int entries = 0;
    int runs = 0;
    double listClick = 0, scriptAlone = 0, copyClick = 0;
    std::size_t boxBytes = 0;
    bool listComplete = false;
    unsigned long long listingBytes = 0;
    SIZE_T peakBefore = 0, peakAfterList = 0;
};

ListingFigures MeasureListing(int entries, int runs) {
    ListingFigures figures;
    figures.entries = entries;
    figures.runs = runs;
    TempFolder folder(" bench " + std::to_string(entries));
    double fillStart = Now();
    if (!e2e::FillWithEntries(folder.path(), entries)) std::printf("  (could not create every file)\n");
    std::printf("  %s entries made in %.1f s\n", Thousands(entries).c_str(), (Now() - fillStart) / 1000);
    std::fflush(stdout);

    Program program(folder.path());
    if (!program.window()) return figures;
    Controls controls = program.controls();
    // The folder's files, the program and the two temporary files.
    const std::size_t expectedLines = static_cast<std::size_t>(entries) + 3;

    std::vector<double> list, alone, copy;
    figures.peakBefore = PeakWorkingSet(program.process());
    for (int run = 0; run < runs; ++run) {
        list.push_back(TimedClick(controls.listButton));
        if (run == 0) {
            figures.peakAfterList = PeakWorkingSet(program.process());
            std::string shown = program.Text(controls.listBox);
            figures.boxBytes = shown.size();
            figures.listComplete = LineCount(shown) == expectedLines;
        }
        ScriptRun script = RunScriptAlone(folder.path());
        alone.push_back(script.ms);
        figures.listingBytes = script.listingBytes;
        copy.push_back(TimedClick(controls.copyButton));
        std::printf("  run %d: list %.1f ms, interpreter alone %.1f ms, copy %.1f ms\n", run + 1, list.back(),
                    alone.back(), copy.back());
        std::fflush(stdout);
    }
    figures.listClick = Median(list);
    figures.scriptAlone = Median(alone);
    figures.copyClick = Median(copy);
    if (figures.boxBytes != TextLength(controls.listBox)) figures.listComplete = false;
    return figures;
}

// Milliseconds from asking for the process until it shows a window; the
// program is then closed as a user would close it.
double StartUpMs(const std::string& exe, const std::string& workingFolder) {
    std::string commandLine = "\"" + exe + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    double start = Now();
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, workingFolder.c_str(),
                        &startup, &process))
        return -1;
    HWND window = nullptr;
    double elapsed = -1;
    while (Now() - start < e2e::kDeadlineMs) {
        window = e2e::VisibleWindowOf(process.dwProcessId);
        if (window) {
            elapsed = Now() - start;
            break;
        }
        Sleep(1);
    }
    if (window) PostMessageA(window, WM_CLOSE, 0, 0);
    if (WaitForSingleObject(process.hProcess, e2e::kDeadlineMs) != WAIT_OBJECT_0) TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return elapsed;
}

struct StartUpFigures {
    double program = 0, minimal = 0;
    int runs = 0;
};

StartUpFigures MeasureStartUp(int runs) {
    StartUpFigures figures;
    figures.runs = runs;
    TempFolder folder(" bench start-up");
    std::string programExe = folder / "quorvel.exe";
    std::string minimalExe = folder / "minimal_window.exe";
    std::string beside = e2e::ProgramBesideDriver();
    CopyFileA(beside.c_str(), programExe.c_str(), FALSE);
    CopyFileA((beside.substr(0, beside.rfind('\\')) + "\\minimal_window.exe").c_str(), minimalExe.c_str(), FALSE);
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    // One start of each first, so that neither pays alone for a cold cache.
    StartUpMs(programExe, temp);
    StartUpMs(minimalExe, temp);
    std::vector<double> program, minimal;
    for (int run = 0; run < runs; ++run) {
        program.push_back(StartUpMs(programExe, temp));
        minimal.push_back(StartUpMs(minimalExe, temp));
    }
    figures.program = Median(program);
    figures.minimal = Median(minimal);
    return figures;
}

double Ratio(double part, double whole) { return whole > 0 ? part / whole : 0; }

double Megabytes(unsigned long long bytes) { return static_cast<double>(bytes) / (1024.0 * 1024.0); }

}  // namespace

// quorvel_bench [LARGEST]: LARGEST leaves out the folders with more entries,
// for a quick look while working on the program.
int main(int argc, char** argv) {
    struct Size {
        int entries;
        int runs;
    };
    const Size allSizes[] = {{10, 5}, {1000, 5}, {10000, 5}, {100000, 3}};
    const int largestWanted = argc > 1 ? std::atoi(argv[1]) : 100000;
    std::vector<Size> sizes;
    for (const Size& size : allSizes)
        if (size.entries <= largestWanted) sizes.push_back(size);
    if (sizes.empty()) sizes.push_back(allSizes[0]);

    std::printf("Quorvel benchmark (figures only; medians)\n\n");
    std::vector<ListingFigures> listings;
    for (const Size& size : sizes) {
        std::printf("folder of %s entries, %d runs\n", Thousands(size.entries).c_str(), size.runs);
        std::fflush(stdout);
        listings.push_back(MeasureListing(size.entries, size.runs));
    }
    std::printf("start-up\n");
    std::fflush(stdout);
    StartUpFigures startUp = MeasureStartUp(5);

    std::printf("\nList and copy clicks (ms, median; target: list / interpreter <= 1.10)\n");
    std::printf("%10s %5s %12s %12s %7s %7s %11s %12s %9s\n", "entries", "runs", "list click", "interpreter", "ratio",
                "target", "copy click", "list bytes", "box full");
    for (const ListingFigures& f : listings) {
        double ratio = Ratio(f.listClick, f.scriptAlone);
        std::printf("%10s %5d %12.1f %12.1f %7.2f %7s %11.1f %12s %9s\n", Thousands(f.entries).c_str(), f.runs,
                    f.listClick, f.scriptAlone, ratio, ratio <= 1.10 ? "met" : "MISSED", f.copyClick,
                    Thousands(f.listingBytes).c_str(), f.listComplete ? "yes" : "NO");
    }

    const ListingFigures& largest = listings.back();
    std::printf("\nMemory during the %s-entry list\n", Thousands(largest.entries).c_str());
    std::printf("%-38s %12s bytes %8.1f MB\n", "listing file", Thousands(largest.listingBytes).c_str(),
                Megabytes(largest.listingBytes));
    std::printf("%-38s %12s bytes %8.1f MB\n", "peak working set before the click", Thousands(largest.peakBefore).c_str(),
                Megabytes(largest.peakBefore));
    std::printf("%-38s %12s bytes %8.1f MB\n", "peak working set after the list click",
                Thousands(largest.peakAfterList).c_str(), Megabytes(largest.peakAfterList));
    unsigned long long growth = largest.peakAfterList > largest.peakBefore ? largest.peakAfterList - largest.peakBefore : 0;
    std::printf("%-38s %12s bytes %8.1f MB = %.1f x the listing\n", "growth of the peak", Thousands(growth).c_str(),
                Megabytes(growth), Ratio(static_cast<double>(growth), static_cast<double>(largest.listingBytes)));

    std::printf("\nStart-up until the window is visible (ms, median of %d)\n", startUp.runs);
    std::printf("%-24s %10.1f\n", "quorvel.exe", startUp.program);
    std::printf("%-24s %10.1f\n", "minimal window program", startUp.minimal);
    std::printf("%-24s %10.2f\n", "ratio", Ratio(startUp.program, startUp.minimal));
    return 0;
}
