// A window over the whole primary screen showing a known pattern for the screen-share tests:
// blocks of 120 x 135 pixels in colours that follow from their row and column. A posted
// WM_APP + 1 (wParam the block's column, lParam its row) paints that block white, so a test can
// change one known rectangle of the screen.
#include <windows.h>

namespace {

const int kBlockWidth = 120;
const int kBlockHeight = 135;
const wchar_t kClassName[] = L"LumoraSharePattern";
bool g_white[64][64];

COLORREF BlockColour(int column, int row)
{
    if (column < 64 && row < 64 && g_white[column][row])
        return RGB(255, 255, 255);
    return RGB((column * 53 + 40) % 256, (row * 71 + 30) % 256, ((column + row) * 37 + 90) % 256);
}

void Paint(HWND window)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    for (int row = 0; row * kBlockHeight < client.bottom; ++row)
        for (int column = 0; column * kBlockWidth < client.right; ++column) {
            RECT block = {column * kBlockWidth, row * kBlockHeight, (column + 1) * kBlockWidth, (row + 1) * kBlockHeight};
            HBRUSH brush = CreateSolidBrush(BlockColour(column, row));
            FillRect(dc, &block, brush);
            DeleteObject(brush);
        }
    EndPaint(window, &paint);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT:
        Paint(window);
        return 0;
    case WM_APP + 1:
        if (wParam < 64 && static_cast<WPARAM>(lParam) < 64) {
            g_white[wParam][lParam] = true;
            RECT block = {static_cast<LONG>(wParam) * kBlockWidth, static_cast<LONG>(lParam) * kBlockHeight,
                          static_cast<LONG>(wParam + 1) * kBlockWidth, static_cast<LONG>(lParam + 1) * kBlockHeight};
            InvalidateRect(window, &block, FALSE);
            UpdateWindow(window);
        }
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kClassName;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassW(&windowClass);
    HWND window = CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, L"Share pattern", WS_POPUP | WS_VISIBLE, 0, 0,
                                  GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN), nullptr, nullptr,
                                  instance, nullptr);
    if (!window)
        return 1;
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
