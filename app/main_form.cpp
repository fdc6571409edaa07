#include "app/main_form.h"

#include "app/look.h"
#include "app/texts.h"
#include "extract/copy_names.h"
#include "extract/list_names.h"
#include "menu/commands.h"

namespace app {
namespace {

using K = ElementKind;
using namespace texts;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kLabelStyle = WS_CHILD | WS_VISIBLE | SS_OWNERDRAW;
constexpr DWORD kButtonStyle =
    WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_TABSTOP | BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER;
constexpr DWORD kListBoxStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_DISABLED | ES_MULTILINE |
                                ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | WS_HSCROLL | WS_VSCROLL |
                                ES_CENTER | ES_READONLY;
constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kSys = kSystemColour;

// Created in this order, which is also the controls' tab order. The window's
// left and top are unused: it opens centred on the screen.
constexpr FormElement kElements[] = {
 // name           kind           text           left  top width height style          exStyle           level state    text colour back colour
    {kWindow,       K::Window,     kTitle,          0,   0, 233, 233, kWindowStyle,  WS_EX_APPWINDOW,  0,    kShown,  kSys,  kSys},
    {kMenu,         K::MenuItem,   kMenu,           0,   0,   0,   0, 0,             0,                0,    kHidden, kSys,  kSys},
    {kExit,         K::MenuItem,   kExit,           0,   0,   0,   0, 0,             0,                1,    kShown,  kSys,  kSys},
    {kUpdatePage,   K::MenuItem,   kUpdatePage,     0,   0,   0,   0, 0,             0,                1,    kShown,  kSys,  kSys},
    {kAboutPage,    K::MenuItem,   kAboutPage,      0,   0,   0,   0, 0,             0,                1,    kShown,  kSys,  kSys},
    {kVersionLabel, K::Label,      kVersion,      183,  -3,  53,  23, kLabelStyle,   0,                0,    kShown,  kBlack, kSys},
    {kCopyButton,   K::PushButton, kCopyCaption,   53, 168, 113,  33, kButtonStyle,  0,                0,    kShown,  kSys,  kSys},
    {kListBox,      K::EditBox,    "",              8,  68, 213,  88, kListBoxStyle, WS_EX_CLIENTEDGE, 0,    kShown,  kBlack, kWhite},
    {kListButton,   K::PushButton, kListCaption,   18,  23, 183,  33, kButtonStyle,  0,                0,    kShown,  kSys,  kSys},
};

// The complete list: no other event has a handler.
constexpr EventBinding kBindings[] = {
    {kWindow,       Event::Created,    SwitchOnSkin},
    {kVersionLabel, Event::MouseMoved, menu::PopUpMainMenu},
    {kListButton,   Event::Clicked,    extract::ListFolderNames},
    {kCopyButton,   Event::Clicked,    extract::CopyListToClipboard},
    {kExit,         Event::Selected,   menu::CloseMainWindow},
    {kUpdatePage,   Event::Selected,   menu::OpenUpdatePage},
    {kAboutPage,    Event::Selected,   menu::OpenAboutPage},
};

}  // namespace

const Form kMainForm = {kElements, sizeof kElements / sizeof kElements[0], kBindings,
                        sizeof kBindings / sizeof kBindings[0]};

}  // namespace app
