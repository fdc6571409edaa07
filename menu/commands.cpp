#include "menu/commands.h"

#include "app/form.h"
#include "app/texts.h"
#include "platform/shell.h"
#include "resources/product.h"

namespace menu {

constexpr char kUpdatePageAddress[] = QUORVEL_WEB_SITE "/thread-14173-1-1.html";
constexpr char kAboutPageAddress[] = QUORVEL_WEB_SITE "/thread-9282-1-1.html";

void PopUpMainMenu(HWND form) { app::PopUpMenuAtCursor(form, texts::kMenu); }

void CloseMainWindow(HWND form) { app::PostCloseRequest(form); }

void OpenUpdatePage(HWND) { platform::OpenWebAddress(kUpdatePageAddress); }

void OpenAboutPage(HWND) { platform::OpenWebAddress(kAboutPageAddress); }

}  // namespace menu
