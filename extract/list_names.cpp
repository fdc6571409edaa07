#include "extract/list_names.h"

#include "app/form.h"
#include "app/texts.h"
#include "platform/control.h"
#include "platform/file.h"
#include "platform/process.h"
#include "platform/run_directory.h"

namespace extract {
namespace {

constexpr char kScriptName[] = "\\quorvel.bat";
// The script as its process is started: from the current directory, which
// start-up made the run directory. The run directory's path stays out of the
// command line, because the command interpreter reads that line as a command:
// it would replace a folder's "%TEMP%" or "%OS%" with the variable's value,
// and the script would not be found. A path with a space would also be split
// at the space ("D:\a b" runs "D:\a.exe" with the rest as its arguments).
constexpr char kScriptCommand[] = ".\\quorvel.bat";
constexpr char kListingName[] = "\\velnaris.txt";
// No line end, no terminator: the interpreter runs the one line as it is.
// The listing lands in the current directory, which start-up made the run
// directory and the script's process inherits.
constexpr char kScriptContent[] = "DIR *.*  /B >velnaris.txt ";

using platform::JoinTexts;
using platform::RunDirectory;

}  // namespace

void ListFolderNames(HWND form) {
    // 1-4. Write the script.
    HANDLE script = platform::OpenForWriting(JoinTexts({RunDirectory().get(), kScriptName}).get());
    platform::WriteText(script, kScriptContent);
    platform::CloseFile(script);

    // 5. Run it hidden and wait.
    platform::RunHiddenAndWait(kScriptCommand);

    // 6. Delete the script.
    platform::DeleteFileAt(JoinTexts({RunDirectory().get(), kScriptName}).get());

    // 7-9. Show the listing up to its first zero byte, replacing the old one.
    // The bytes go as soon as the text is made: the box takes its own copies
    // of a listing that may run to megabytes.
    platform::Bytes listing = platform::ReadWholeFile(JoinTexts({RunDirectory().get(), kListingName}).get());
    platform::Text list = platform::BytesToText(listing);
    listing = {};
    platform::SetControlText(app::ElementWindow(form, texts::kListBox), list.get());
    list.reset();

    // 10. Delete the listing.
    platform::DeleteFileAt(JoinTexts({RunDirectory().get(), kListingName}).get());
}

}  // namespace extract
