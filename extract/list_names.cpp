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

    // 5. Run it hidden and wait. The path is quoted: unquoted, a folder such
    // as "D:\a b" would have "D:\a.exe" run in the script's place.
    platform::RunHiddenAndWait(JoinTexts({"\"", RunDirectory().get(), kScriptName, "\""}).get());

    // 6. Delete the script.
    platform::DeleteFileAt(JoinTexts({RunDirectory().get(), kScriptName}).get());

    // 7-9. Show the listing up to its first zero byte, replacing the old one.
    platform::Bytes listing = platform::ReadWholeFile(JoinTexts({RunDirectory().get(), kListingName}).get());
    platform::SetControlText(app::ElementWindow(form, texts::kListBox), platform::BytesToText(listing).get());
    listing = {};

    // 10. Delete the listing.
    platform::DeleteFileAt(JoinTexts({RunDirectory().get(), kListingName}).get());
}

}  // namespace extract
