// A window described as data: an ordered table of elements (the window, its
// menu items, its controls) and a table binding (element, event) to handlers.
#pragma once

#include <windows.h>

#include <cstddef>

namespace app {

enum class ElementKind { Window, MenuItem, Label, PushButton, EditBox };

enum class Event { Created, Clicked, MouseMoved, Selected };

// Every handler gets the form's window, from which it reaches the elements
// by name; the event's own arguments (cursor position, keys) are not used.
using Handler = void (*)(HWND form);

// Menu item states; a hidden item is left out together with its children.
enum MenuState : unsigned {
    kShown = 0,
    kHidden = 1u << 0,
    kDisabled = 1u << 1,
    kChecked = 1u << 2,
};

// Colours a control answers when asked; kSystemColour leaves the system's.
constexpr COLORREF kSystemColour = CLR_INVALID;

struct FormElement {
    const char* name;
    ElementKind kind;
    const char* text;  // title, caption or initial content
    int left, top, width, height;
    DWORD style, exStyle;
    int menuLevel;      // menu items: 0 is the menu bar
    unsigned menuState; // menu items: MenuState flags
    COLORREF textColour, backColour;
};

struct EventBinding {
    const char* element;
    Event event;
    Handler handler;
};

struct Form {
    const FormElement* elements;
    std::size_t elementCount;
    const EventBinding* bindings;
    std::size_t bindingCount;
};

// Creates the window, its menu bar and controls in table order, fires the
// window's created event and shows it. Null if the window cannot be made.
HWND LoadForm(const Form& form, HINSTANCE instance);

// The control or window that bears this name; null for an unknown name.
HWND ElementWindow(HWND form, const char* name);

// Shows the visible children of the named menu item as a pop-up menu at the
// cursor plus (3, 3) and returns when it closes; the chosen item's selected
// event follows through the message queue.
void PopUpMenuAtCursor(HWND form, const char* menuName);

// Asks the window to destroy itself once the current handler has returned.
void PostCloseRequest(HWND form);

}  // namespace app
