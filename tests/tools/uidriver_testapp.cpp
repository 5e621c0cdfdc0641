// A small window the UI driver's own tests work against. It reports what reached it in its
// title, so a test can see each action's effect: the edit's text copied by "Copy", the
// MessageBox's answer, a click, double-click or context menu on the background with its point,
// a turn of the wheel with its delta.
// The red block sits at a fixed client position for the capture tests; it is painted only in
// WM_PAINT, like most windows, so PrintWindow under Wine does not see it.
#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

const int kEditId = 101;
const int kCopyId = 102;
const int kMessageId = 103;
const RECT kRedBlock = {240, 80, 320, 140};
const wchar_t kClassName[] = L"LumoraUiDriverTestApp";

std::wstring TextOf(HWND window)
{
    int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    text.resize(GetWindowTextW(window, &text[0], length + 1));
    return text;
}

void ReportPoint(HWND window, const wchar_t* what, LPARAM at)
{
    std::wstring title = std::wstring(what) + L" " + std::to_wstring(static_cast<short>(LOWORD(at))) + L"," +
                         std::to_wstring(static_cast<short>(HIWORD(at)));
    SetWindowTextW(window, title.c_str());
}

void CreateControls(HWND window)
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    HWND edit = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | ES_AUTOHSCROLL,
                                10, 10, 200, 24, window, reinterpret_cast<HMENU>(kEditId), instance, nullptr);
    HWND copy = CreateWindowExW(0, L"BUTTON", L"Copy", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                10, 44, 90, 26, window, reinterpret_cast<HMENU>(kCopyId), instance, nullptr);
    HWND message = CreateWindowExW(0, L"BUTTON", L"Message", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                   110, 44, 90, 26, window, reinterpret_cast<HMENU>(kMessageId), instance, nullptr);
    for (HWND control : {edit, copy, message})
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetFocus(edit);
}

void OnCommand(HWND window, int id)
{
    if (id == kCopyId) {
        SetWindowTextW(window, TextOf(GetDlgItem(window, kEditId)).c_str());
    } else if (id == kMessageId) {
        int answer = MessageBoxW(window, L"Hello from the test app", L"Test Message", MB_OKCANCEL);
        SetWindowTextW(window, (L"MessageBox returned " + std::to_wstring(answer)).c_str());
    }
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
    FillRect(dc, &kRedBlock, red);
    DeleteObject(red);
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT msg, WPARAM wparam, LPARAM lparam)
{
    switch (msg) {
    case WM_CREATE:
        CreateControls(window);
        return 0;
    case WM_COMMAND:
        if (HIWORD(wparam) == BN_CLICKED) OnCommand(window, LOWORD(wparam));
        return 0;
    case WM_LBUTTONDOWN:
        ReportPoint(window, (wparam & MK_CONTROL) ? L"ctrl-click" : L"click", lparam);
        return 0;
    case WM_LBUTTONDBLCLK:
        ReportPoint(window, L"double-click", lparam);
        return 0;
    case WM_CONTEXTMENU:
        ReportPoint(window, L"context menu", lparam);
        return 0;
    case WM_MOUSEWHEEL:
        SetWindowTextW(window, (L"wheel " + std::to_wstring(GET_WHEEL_DELTA_WPARAM(wparam))).c_str());
        return 0;
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, msg, wparam, lparam);
    }
}

std::wstring TitleFromCommandLine()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring title = argv && argc > 1 ? argv[1] : L"UiDriver Test App";
    if (argv) LocalFree(argv);
    return title;
}

} // namespace

int main()
{
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS | CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kClassName;
    if (!RegisterClassExW(&windowClass)) return 1;

    HWND window = CreateWindowExW(0, kClassName, TitleFromCommandLine().c_str(), WS_OVERLAPPEDWINDOW, 100, 100, 440,
                                  260, nullptr, nullptr, instance, nullptr);
    if (!window) return 1;
    ShowWindow(window, SW_SHOW);
    UpdateWindow(window);
    SetForegroundWindow(window);

    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (IsDialogMessageW(window, &msg)) continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
