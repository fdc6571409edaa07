#include "platform/skin.h"

#include <commctrl.h>

#include "platform/skin_paint.h"

namespace platform {
namespace {

// Frame colours of schemes 1 (blue), 2 (olive green) and 3 (silver).
constexpr COLORREF kSchemeFrames[] = {RGB(123, 158, 189), RGB(164, 185, 127), RGB(198, 197, 215)};
constexpr int kSchemeCount = sizeof kSchemeFrames / sizeof kSchemeFrames[0];

// All the facility holds. A creation hook belongs to one thread, so the skin
// it keeps up does too: the GUI thread. A plain static, not thread_local,
// which would link a threads runtime into the program for nothing.
struct SkinState {
    int scheme = 0;  // 0: no skin applied
    HHOOK creationHook = nullptr;
};
SkinState gSkin;

// Both skins use the same id: SetWindowSubclass with a proc and id already
// installed only updates it, so a control cannot end up with a skin twice.
constexpr UINT_PTR kSkinId = 1;

UINT LayerCountMessage() {
    static const UINT message = RegisterWindowMessageA("Quorvel.SkinLayerCount");
    return message;
}

bool IsPushButton(HWND button) {
    LONG type = GetWindowLongA(button, GWL_STYLE) & BS_TYPEMASK;
    return type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON;
}

// Answers what every skin answers alike; false for any other message.
bool AnswerCommon(HWND control, UINT message, WPARAM wParam, LPARAM lParam, SUBCLASSPROC skin, LRESULT* result) {
    if (message == LayerCountMessage()) {
        *result = 1 + DefSubclassProc(control, message, wParam, lParam);
        return true;
    }
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, skin, kSkinId);
        *result = DefSubclassProc(control, message, wParam, lParam);
        return true;
    }
    return false;
}

LRESULT RepaintAfterDefault(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT redrawFlags) {
    LRESULT result = DefSubclassProc(control, message, wParam, lParam);
    RedrawWindow(control, nullptr, nullptr, redrawFlags);
    return result;
}

// Drawn off screen first: the face is built up in layers and would flicker.
void PaintButtonBuffered(HWND button, COLORREF frame) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(button, &paint);
    RECT box{};
    GetClientRect(button, &box);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, box.right, box.bottom);
    if (memory && bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        PaintFlatButton(button, memory, frame);
        BitBlt(dc, 0, 0, box.right, box.bottom, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
    } else {
        PaintFlatButton(button, dc, frame);
    }
    if (bitmap) DeleteObject(bitmap);
    if (memory) DeleteDC(memory);
    EndPaint(button, &paint);
}

LRESULT CALLBACK ButtonSkin(HWND button, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR frame) {
    LRESULT result = 0;
    if (AnswerCommon(button, message, wParam, lParam, ButtonSkin, &result)) return result;
    // Restyled into a check box or the like: it keeps its own look.
    if (!IsPushButton(button)) return DefSubclassProc(button, message, wParam, lParam);
    switch (message) {
        case WM_ERASEBKGND:
            return 1;
        case WM_PAINT:
            if (!wParam) {
                PaintButtonBuffered(button, static_cast<COLORREF>(frame));
                return 0;
            }
            [[fallthrough]];
        case WM_PRINTCLIENT:
            PaintFlatButton(button, reinterpret_cast<HDC>(wParam), static_cast<COLORREF>(frame));
            return 0;
        // The platform's button draws these changes straight to the screen
        // rather than through WM_PAINT, so its own face is painted over.
        case BM_SETSTATE:
        case BM_SETSTYLE:
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_ENABLE:
        case WM_SETTEXT:
        case WM_UPDATEUISTATE:
            return RepaintAfterDefault(button, message, wParam, lParam, RDW_INVALIDATE | RDW_UPDATENOW);
    }
    return DefSubclassProc(button, message, wParam, lParam);
}

LRESULT CALLBACK EditSkin(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR frame) {
    LRESULT result = 0;
    if (AnswerCommon(edit, message, wParam, lParam, EditSkin, &result)) return result;
    switch (message) {
        case WM_NCPAINT: {
            // The default draws the scroll bars; the border is then painted over.
            result = DefSubclassProc(edit, message, wParam, lParam);
            HDC dc = GetWindowDC(edit);
            PaintEditBorder(edit, dc, static_cast<COLORREF>(frame));
            ReleaseDC(edit, dc);
            return result;
        }
        case WM_PRINT:
            result = DefSubclassProc(edit, message, wParam, lParam);
            if (lParam & PRF_NONCLIENT)
                PaintEditBorder(edit, reinterpret_cast<HDC>(wParam), static_cast<COLORREF>(frame));
            return result;
        // The frame colours follow these states; the edit redraws only its text.
        case WM_ENABLE:
        case EM_SETREADONLY:
        case WM_STYLECHANGED:
            return RepaintAfterDefault(edit, message, wParam, lParam, RDW_FRAME | RDW_INVALIDATE);
    }
    return DefSubclassProc(edit, message, wParam, lParam);
}

// Null for controls without a skin: they keep their look.
SUBCLASSPROC SkinFor(HWND control) {
    char className[16] = "";
    GetClassNameA(control, className, sizeof className);
    if (lstrcmpiA(className, "Button") == 0 && IsPushButton(control)) return ButtonSkin;
    if (lstrcmpiA(className, "Edit") == 0) return EditSkin;
    return nullptr;
}

void Redraw(HWND control) { RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME); }

void SkinControl(HWND control) {
    SUBCLASSPROC skin = SkinFor(control);
    if (skin && gSkin.scheme && SetWindowSubclass(control, skin, kSkinId, kSchemeFrames[gSkin.scheme - 1]))
        Redraw(control);
}

void UnskinControl(HWND control) {
    bool hadSkin = RemoveWindowSubclass(control, ButtonSkin, kSkinId) != FALSE;
    hadSkin = (RemoveWindowSubclass(control, EditSkin, kSkinId) != FALSE) || hadSkin;
    if (hadSkin) Redraw(control);
}

using ControlAction = void (*)(HWND);

BOOL CALLBACK VisitChild(HWND window, LPARAM action) {
    // A child may belong to another thread, whose windows are not ours to skin.
    if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
        (*reinterpret_cast<ControlAction*>(action))(window);
    return TRUE;
}

BOOL CALLBACK VisitTopLevel(HWND window, LPARAM action) {
    (*reinterpret_cast<ControlAction*>(action))(window);
    EnumChildWindows(window, VisitChild, action);
    return TRUE;
}

void ForEachThreadWindow(ControlAction action) {
    EnumThreadWindows(GetCurrentThreadId(), VisitTopLevel, reinterpret_cast<LPARAM>(&action));
}

LRESULT CALLBACK SkinAtCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) SkinControl(reinterpret_cast<HWND>(wParam));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

void RemoveSkin() {
    if (!gSkin.scheme) return;
    if (gSkin.creationHook) UnhookWindowsHookEx(gSkin.creationHook);
    gSkin = SkinState{};
    ForEachThreadWindow(UnskinControl);
}

}  // namespace

void SetSkinScheme(int scheme) {
    RemoveSkin();
    if (scheme < 1 || scheme > kSchemeCount) return;
    gSkin.scheme = scheme;
    ForEachThreadWindow(SkinControl);
    gSkin.creationHook = SetWindowsHookExA(WH_CBT, SkinAtCreation, nullptr, GetCurrentThreadId());
}

int SkinLayerCount(HWND control) { return static_cast<int>(SendMessageA(control, LayerCountMessage(), 0, 0)); }

}  // namespace platform
