#include "app/form.h"

#include <cstdlib>
#include <cstring>

#include "app/look.h"
#include "platform/text.h"

namespace app {
namespace {

constexpr char kWindowClass[] = "QuorvelForm";
// Menu items and controls are numbered from here by their row. Staying clear
// of IDOK and IDCANCEL keeps the dialog keys (Enter, Esc) from firing a row.
constexpr UINT kFirstId = 1000;
// Posted by PostCloseRequest so the window is destroyed outside any handler.
constexpr UINT kCloseRequest = WM_APP + 1;

// What a form window keeps: its description and where the pointer was last.
struct FormState {
    const Form* form;
    POINT lastPointer;
    bool pointerKnown;
};

FormState* StateOf(HWND window) { return reinterpret_cast<FormState*>(GetWindowLongPtrA(window, GWLP_USERDATA)); }

const Form* FormOf(HWND window) {
    FormState* state = StateOf(window);
    return state ? state->form : nullptr;
}

// Windows also sends a mouse move when a window appears or goes away under a
// still pointer, as when the pop-up menu closes. Only real movement counts,
// or the menu would open again the moment it is dismissed.
bool PointerMoved(HWND window, POINT screenPoint) {
    FormState* state = StateOf(window);
    bool moved = !state->pointerKnown || state->lastPointer.x != screenPoint.x || state->lastPointer.y != screenPoint.y;
    state->lastPointer = screenPoint;
    state->pointerKnown = true;
    return moved;
}

UINT IdOf(std::size_t row) { return kFirstId + static_cast<UINT>(row); }

const FormElement* ElementWithId(const Form& form, UINT id) {
    if (id < kFirstId || id - kFirstId >= form.elementCount) return nullptr;
    return &form.elements[id - kFirstId];
}

std::size_t RowNamed(const Form& form, const char* name) {
    for (std::size_t row = 0; row < form.elementCount; ++row)
        if (std::strcmp(form.elements[row].name, name) == 0) return row;
    return form.elementCount;
}

bool IsControl(const FormElement& element) {
    return element.kind != ElementKind::Window && element.kind != ElementKind::MenuItem;
}

const char* ClassOf(ElementKind kind) {
    switch (kind) {
        case ElementKind::Label: return "STATIC";
        case ElementKind::PushButton: return "BUTTON";
        case ElementKind::EditBox: return "EDIT";
        default: return kWindowClass;
    }
}

void Fire(HWND window, const char* elementName, Event event) {
    const Form* form = FormOf(window);
    for (std::size_t i = 0; form && i < form->bindingCount; ++i) {
        const EventBinding& binding = form->bindings[i];
        if (binding.event == event && std::strcmp(binding.element, elementName) == 0) binding.handler(window);
    }
}

// The enabled, visible control whose window rectangle holds the point. The
// label lets the mouse through to us (a static answers HTTRANSPARENT), and its
// top rows lie under our frame, so both client and non-client moves look here.
const FormElement* ControlUnder(HWND window, POINT screenPoint) {
    const Form* form = FormOf(window);
    for (std::size_t row = 0; row < form->elementCount; ++row) {
        if (!IsControl(form->elements[row])) continue;
        HWND control = GetDlgItem(window, static_cast<int>(IdOf(row)));
        RECT bounds{};
        if (control && IsWindowVisible(control) && IsWindowEnabled(control) && GetWindowRect(control, &bounds) &&
            PtInRect(&bounds, screenPoint))
            return &form->elements[row];
    }
    return nullptr;
}

void OnMouseMove(HWND window, POINT screenPoint) {
    if (!PointerMoved(window, screenPoint)) return;
    if (const FormElement* element = ControlUnder(window, screenPoint)) Fire(window, element->name, Event::MouseMoved);
}

void OnCommand(HWND window, WPARAM wParam, LPARAM lParam) {
    const FormElement* element = ElementWithId(*FormOf(window), LOWORD(wParam));
    if (!element) return;
    bool fromMenu = lParam == 0 && HIWORD(wParam) == 0;
    if (fromMenu && element->kind == ElementKind::MenuItem) Fire(window, element->name, Event::Selected);
    if (!fromMenu && HIWORD(wParam) == BN_CLICKED && element->kind == ElementKind::PushButton)
        Fire(window, element->name, Event::Clicked);
}

LRESULT OnControlColour(HWND window, HDC dc, HWND control) {
    const FormElement* element = ElementWithId(*FormOf(window), static_cast<UINT>(GetDlgCtrlID(control)));
    if (!element || element->backColour == kSystemColour) return 0;
    if (element->textColour != kSystemColour) SetTextColor(dc, element->textColour);
    SetBkColor(dc, element->backColour);
    SetDCBrushColor(dc, element->backColour);
    return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* state = static_cast<FormState*>(platform::AllocateOrDie(sizeof(FormState)));
        *state = {static_cast<const Form*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams), {}, false};
        SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    }
    if (message == WM_NCDESTROY) {
        std::free(StateOf(window));
        SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    }
    if (!FormOf(window)) return DefWindowProcA(window, message, wParam, lParam);

    switch (message) {
        case WM_COMMAND:
            OnCommand(window, wParam, lParam);
            return 0;
        case WM_MOUSEMOVE: {
            POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
            ClientToScreen(window, &point);
            OnMouseMove(window, point);
            return 0;
        }
        case WM_NCMOUSEMOVE:
            OnMouseMove(window, {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))});
            break;
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC:
            if (LRESULT brush = OnControlColour(window, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)))
                return brush;
            break;
        case WM_DRAWITEM: {
            auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const FormElement* element = ElementWithId(*FormOf(window), item->CtlID);
            if (element && element->kind == ElementKind::Label) {
                PaintEngravedLabel(*element, *item);
                return TRUE;
            }
            break;
        }
        case kCloseRequest:
            DestroyWindow(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

bool RegisterFormClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = FormProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    return RegisterClassExA(&windowClass) || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

// Menu items of one level that follow `row`, up to the next item of a
// shallower level. Hidden items are left out with all their children.
HMENU BuildMenu(const Form& form, std::size_t firstRow, int level, bool popup) {
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (std::size_t row = firstRow; row < form.elementCount; ++row) {
        const FormElement& item = form.elements[row];
        if (item.kind != ElementKind::MenuItem) continue;
        if (item.menuLevel < level) break;
        if (item.menuLevel > level || (item.menuState & kHidden)) continue;
        UINT flags = MF_STRING | ((item.menuState & kDisabled) ? MF_GRAYED : 0u) |
                     ((item.menuState & kChecked) ? MF_CHECKED : 0u);
        bool hasChildren = row + 1 < form.elementCount && form.elements[row + 1].kind == ElementKind::MenuItem &&
                           form.elements[row + 1].menuLevel > level;
        UINT_PTR id = hasChildren ? reinterpret_cast<UINT_PTR>(BuildMenu(form, row + 1, level + 1, true)) : IdOf(row);
        AppendMenuA(menu, flags | (hasChildren ? MF_POPUP : 0u), id, item.text);
    }
    return menu;
}

void AttachMenuBar(HWND window, const Form& form) {
    std::size_t first = 0;
    while (first < form.elementCount && form.elements[first].kind != ElementKind::MenuItem) ++first;
    HMENU bar = BuildMenu(form, first, 0, false);
    // An empty bar would still take a row of the client area from the layout.
    if (GetMenuItemCount(bar) > 0) SetMenu(window, bar);
    else DestroyMenu(bar);
}

void SetIcons(HWND window, HINSTANCE instance) {
    // The class has no icon, so the window carries the application icon.
    HANDLE large = LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 32, 32, 0);
    HANDLE small = LoadImageA(instance, "DEFAULT_ICON", IMAGE_ICON, 16, 16, 0);
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
}

void CreateControls(HWND window, const Form& form, HINSTANCE instance) {
    HGDIOBJ guiFont = GetStockObject(DEFAULT_GUI_FONT);
    for (std::size_t row = 0; row < form.elementCount; ++row) {
        const FormElement& element = form.elements[row];
        if (!IsControl(element)) continue;
        HWND control = CreateWindowExA(element.exStyle, ClassOf(element.kind), element.text, element.style,
                                       element.left, element.top, element.width, element.height, window,
                                       reinterpret_cast<HMENU>(static_cast<UINT_PTR>(IdOf(row))), instance, nullptr);
        SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(guiFont), FALSE);
        if (element.kind == ElementKind::EditBox) SendMessageA(control, EM_LIMITTEXT, 0, 0);
    }
}

}  // namespace

HWND LoadForm(const Form& form, HINSTANCE instance) {
    const FormElement& frame = form.elements[0];
    if (!RegisterFormClass(instance)) return nullptr;
    int left = (GetSystemMetrics(SM_CXSCREEN) - frame.width) / 2;
    int top = (GetSystemMetrics(SM_CYSCREEN) - frame.height) / 2;
    HWND window = CreateWindowExA(frame.exStyle, kWindowClass, frame.text, frame.style, left, top, frame.width,
                                  frame.height, nullptr, nullptr, instance, const_cast<Form*>(&form));
    if (!window) return nullptr;

    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    SetIcons(window, instance);
    AttachMenuBar(window, form);
    CreateControls(window, form, instance);
    Fire(window, frame.name, Event::Created);
    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    return window;
}

HWND ElementWindow(HWND form, const char* name) {
    const Form* described = FormOf(form);
    if (!described) return nullptr;
    std::size_t row = RowNamed(*described, name);
    if (row == described->elementCount) return nullptr;
    return row == 0 ? form : GetDlgItem(form, static_cast<int>(IdOf(row)));
}

void PopUpMenuAtCursor(HWND form, const char* menuName) {
    const Form* described = FormOf(form);
    if (!described) return;
    std::size_t row = RowNamed(*described, menuName);
    if (row == described->elementCount) return;
    POINT cursor{};
    GetCursorPos(&cursor);
    HMENU popup = BuildMenu(*described, row + 1, described->elements[row].menuLevel + 1, true);
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, cursor.x + 3, cursor.y + 3, 0, form, nullptr);
    DestroyMenu(popup);
    GetCursorPos(&cursor);
    PointerMoved(form, cursor);
}

void PostCloseRequest(HWND form) { PostMessageA(form, kCloseRequest, 0, 0); }

}  // namespace app
