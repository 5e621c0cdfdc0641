// UI driver for the end-to-end tests: finds windows, reads and sets their text, clicks, types,
// captures them to BMP. One command per run (`uidriver wait --title=Lumora`), or with --batch
// one command per line of standard input, so a test keeps a single process alive. Every command
// answers one line of JSON; exit code 0 success, 1 not found or timed out, 2 usage.
#include "tests/tools/uidriver/Capture.h"
#include "tests/tools/uidriver/CommandArgs.h"
#include "tests/tools/uidriver/Controls.h"
#include "tests/tools/uidriver/Input.h"
#include "tests/tools/uidriver/Json.h"
#include "tests/tools/uidriver/WindowQuery.h"

#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <string>
#include <vector>

using namespace uidriver;

namespace {

const DWORD kDefaultWaitMs = 10000;

const wchar_t kUsageText[] =
    L"usage: uidriver COMMAND [--option=value|--flag]...   or   uidriver --batch  (commands on stdin)\n"
    L"  ping | quit (batch)\n"
    L"  wait      [--class=] [--title=] [--exact] [--pid=] [--owner=] [--visible] [--timeout=ms]\n"
    L"  waitgone  --hwnd= [--timeout=ms]\n"
    L"  list      [--parent=|--message] [--class=] [--title=] [--exact] [--id=] [--pid=] [--owner=] [--visible]\n"
    L"            (--message: the message-only windows)\n"
    L"  find      --parent= [--id=] [--class=] [--text=] [--exact] [--visible] [--timeout=ms]\n"
    L"  gettext   --hwnd=            settext --hwnd= --text=\n"
    L"  click | dblclick | rclick  --hwnd= [--x= --y= (client)] [--ctrl]   (posted; no point: the\n"
    L"            middle, or BM_CLICK for a button)\n"
    L"  aim       --hwnd= [--x= --y=]  (the screen point, window under it and its X window)\n"
    L"  keytarget --hwnd=            (checks that keys now go to the window)\n"
    L"  keys      [--from=vk,vk,...] [--timeout=ms]  (the keys and buttons down in Wine; with --from,\n"
    L"            once they differ from that set)\n"
    L"  drag      --hwnd= --path=x,y;x,y;... (client, posted)\n"
    L"  type      --hwnd= --text=      key  --hwnd= --vk= [--ctrl] [--shift] [--alt]   (posted)\n"
    L"  (a user's real clicks, drags and keys come through the X server: tests/e2e/xinput.py)\n"
    L"  post | send  --hwnd= --msg= [--wparam=] [--lparam=] [--timeout=ms (send)]\n"
    L"  close     --hwnd= [--wait] [--timeout=ms]\n"
    L"  state | rect | foreground  --hwnd=\n"
    L"  capture   [--hwnd=] --file= [--client] [--method=auto|screen|print] [--raise] [--settle=ms]\n"
    L"  pixel     [--hwnd=] --x= --y=   (client coordinates of hwnd, else screen)\n"
    L"  listitems --hwnd= [--columns=n]   (rows of a list view: image, selected, texts)\n"
    L"  treeitems --hwnd= [--item=] [--expand]   (children of a tree item, the roots without one)\n";

std::string Ok(const JsonObject& fields = JsonObject())
{
    std::string body = fields.Text();
    return body == "{}" ? "{\"ok\":true}" : "{\"ok\":true," + body.substr(1);
}

DWORD TimeoutOf(const CommandArgs& args, DWORD fallback)
{
    long long ms = args.Number(L"timeout", fallback);
    if (ms < 0 || ms > 86400000) Fail(kUsage, L"--timeout must be 0..86400000 ms");
    return static_cast<DWORD>(ms);
}

WindowFilter FilterOf(const CommandArgs& args, const wchar_t* textKey)
{
    WindowFilter filter;
    filter.hasClass = args.Has(L"class");
    if (filter.hasClass) filter.className = args.Text(L"class");
    filter.hasText = args.Has(textKey);
    if (filter.hasText) filter.text = args.Text(textKey);
    filter.hasId = args.Has(L"id");
    if (filter.hasId) filter.id = static_cast<int>(args.Number(L"id"));
    filter.exact = args.Flag(L"exact");
    filter.visibleOnly = args.Flag(L"visible");
    if (args.Has(L"pid")) filter.pid = static_cast<DWORD>(args.Number(L"pid"));
    if (args.Has(L"owner")) filter.owner = args.Handle(L"owner");
    return filter;
}

std::string FoundWindow(HWND window) { return Ok(JsonObject().AddRaw("window", DescribeWindow(window))); }

std::string Ping(const CommandArgs& args)
{
    args.Allow({});
    return Ok(JsonObject()
                  .AddInt("pid", GetCurrentProcessId())
                  .AddInt("double_click_ms", GetDoubleClickTime())
                  .AddInt("double_click_cx", GetSystemMetrics(SM_CXDOUBLECLK))
                  .AddInt("double_click_cy", GetSystemMetrics(SM_CYDOUBLECLK)));
}

std::string Wait(const CommandArgs& args)
{
    args.Allow({L"class", L"title", L"pid", L"owner", L"timeout"}, {L"exact", L"visible"});
    if (!args.Has(L"class") && !args.Has(L"title") && !args.Has(L"pid") && !args.Has(L"owner"))
        Fail(kUsage, L"wait needs --class, --title, --pid or --owner");
    HWND window = WaitForWindow(nullptr, FilterOf(args, L"title"), TimeoutOf(args, kDefaultWaitMs));
    if (!window) Fail(kNotFound, L"no such window appeared in time");
    return FoundWindow(window);
}

std::string WaitGone(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"timeout"});
    if (!WaitWindowGone(args.Handle(L"hwnd"), TimeoutOf(args, kDefaultWaitMs)))
        Fail(kNotFound, L"the window is still there");
    return Ok();
}

std::string List(const CommandArgs& args)
{
    args.Allow({L"parent", L"class", L"title", L"id", L"pid", L"owner"}, {L"exact", L"visible", L"message"});
    HWND parent = args.Flag(L"message") ? HWND_MESSAGE : args.Has(L"parent") ? args.Window(L"parent") : nullptr;
    JsonArray windows;
    for (HWND window : FindWindows(parent, FilterOf(args, L"title")))
        windows.Push(DescribeWindow(window));
    return Ok(JsonObject().AddRaw("windows", windows.Text()));
}

std::string Find(const CommandArgs& args)
{
    args.Allow({L"parent", L"id", L"class", L"text", L"timeout"}, {L"exact", L"visible"});
    HWND parent = args.Window(L"parent");
    HWND window = WaitForWindow(parent, FilterOf(args, L"text"), TimeoutOf(args, 0));
    if (!window) Fail(kNotFound, L"no such child window");
    return FoundWindow(window);
}

// WM_GETTEXT reaches the control itself (an edit keeps its own text), unlike GetWindowText
// across processes; the time-out keeps a hung target from hanging the driver.
std::string GetText(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    HWND window = args.Window(L"hwnd");
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length))
        Fail(kNotFound, L"the window does not answer");
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXT, length + 1, reinterpret_cast<LPARAM>(&text[0]),
                             SMTO_ABORTIFHUNG, 5000, &copied))
        Fail(kNotFound, L"the window does not answer");
    text.resize(copied <= length ? copied : length);
    return Ok(JsonObject().AddString("text", text));
}

std::string SetText(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"text"});
    HWND window = args.Window(L"hwnd");
    std::wstring text = args.Text(L"text");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_ABORTIFHUNG,
                             5000, &result))
        Fail(kNotFound, L"the window does not answer");
    if (!result) Fail(kNotFound, L"the window refused the text");
    return Ok();
}

// BM_CLICK is posted, not sent: the click may open a modal box, and a sent message would only
// return once that box is closed. A test waits for the click's effect instead.
std::string ClickButton(HWND button)
{
    RequireInputTarget(button);
    if (!PostMessageW(button, BM_CLICK, 0, 0)) Fail(kNotFound, L"PostMessage failed");
    return Ok(JsonObject().AddHandle("target", button));
}

// The point a click means: the one given, else the middle of the window's client area.
POINT ClientPointOf(const CommandArgs& args, HWND window)
{
    if (args.Has(L"x") || args.Has(L"y"))
        return POINT{static_cast<LONG>(args.Number(L"x")), static_cast<LONG>(args.Number(L"y"))};
    RECT client{};
    GetClientRect(window, &client);
    return POINT{client.right / 2, client.bottom / 2};
}

// Without a point, a plain left click on a button is BM_CLICK, for the few presses no user
// gesture produces.
std::string Click(const CommandArgs& args, MouseAction action)
{
    args.Allow({L"hwnd", L"x", L"y"}, {L"ctrl"});
    HWND window = args.Window(L"hwnd");
    action.ctrl = args.Flag(L"ctrl");
    bool atPoint = args.Has(L"x") || args.Has(L"y");
    bool isButton = lstrcmpiW(ClassOf(window).c_str(), L"Button") == 0;
    if (!atPoint && !action.right && !action.twice && !action.ctrl && isButton) return ClickButton(window);
    HWND target = PostClickAt(window, ClientPointOf(args, window), action);
    return Ok(JsonObject().AddHandle("target", target));
}

// Wine keeps the X window it made for a top-level window as a property of that window.
ULONG_PTR X11WindowOf(HWND window)
{
    return reinterpret_cast<ULONG_PTR>(GetPropW(GetAncestor(window, GA_ROOT), L"__wine_x11_whole_window"));
}

// Where a real click on the window would land, checked to reach it: the screen point, the
// window under it and the X window of that window's top level, for the caller to compare with
// what the X server shows there.
std::string Aim(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"x", L"y"});
    HWND window = args.Window(L"hwnd");
    POINT screen = ScreenPointOf(window, ClientPointOf(args, window));
    HWND hit = RequireUnderPoint(window, screen);
    return Ok(JsonObject()
                  .AddInt("x", screen.x)
                  .AddInt("y", screen.y)
                  .AddRaw("hit", DescribeWindow(hit))
                  .AddInt("x11", static_cast<long long>(X11WindowOf(hit))));
}

// "x,y;x,y;..." in client coordinates.
std::vector<POINT> PathOf(const std::wstring& text)
{
    std::vector<POINT> points;
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find(L';', start);
        if (end == std::wstring::npos) end = text.size();
        const std::wstring pair = text.substr(start, end - start);
        const size_t comma = pair.find(L',');
        if (comma == std::wstring::npos) Fail(kUsage, L"--path wants x,y;x,y;...");
        wchar_t* xEnd = nullptr;
        wchar_t* yEnd = nullptr;
        const long x = wcstol(pair.c_str(), &xEnd, 10);
        const long y = wcstol(pair.c_str() + comma + 1, &yEnd, 10);
        if (xEnd != pair.c_str() + comma || *yEnd != L'\0') Fail(kUsage, L"--path wants x,y;x,y;...");
        points.push_back(POINT{x, y});
        start = end + 1;
    }
    return points;
}

std::string Drag(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"path"});
    PostDragThrough(args.Window(L"hwnd"), PathOf(args.Text(L"path")));
    return Ok();
}

std::string Type(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"text"});
    PostText(args.Window(L"hwnd"), args.Text(L"text"));
    return Ok();
}

std::string Key(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"vk"}, {L"ctrl", L"shift", L"alt"});
    long long vk = args.Number(L"vk");
    if (vk <= 0 || vk > 0xFE) Fail(kUsage, L"--vk must be a virtual-key code 1..254");
    std::vector<UINT> modifiers;
    if (args.Flag(L"ctrl")) modifiers.push_back(VK_CONTROL);
    if (args.Flag(L"shift")) modifiers.push_back(VK_SHIFT);
    if (args.Flag(L"alt")) modifiers.push_back(VK_MENU);
    PostKey(args.Window(L"hwnd"), static_cast<UINT>(vk), modifiers);
    return Ok();
}

// Keys a user types go to the window that has the keyboard focus of the active window. Wine
// reads them from the X window that has the X server's input focus and hands them to the focus
// of that window's thread: the X window of the target's top level is answered for the caller to
// give it that focus, as a window manager does for the active window (none for a popup menu,
// which takes the keys of its owner's thread).
std::string KeyTarget(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    HWND window = args.Window(L"hwnd");
    RequireKeyTarget(window);
    return Ok(JsonObject().AddInt("x11", IsPopupMenu(window) ? 0 : static_cast<long long>(X11WindowOf(window))));
}

// The window that holds the mouse capture of the window's thread (0 for none): Wine sends that
// thread's mouse input there, whatever is under the pointer.
std::string MouseCapture(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    HWND window = args.Window(L"hwnd");
    const GUITHREADINFO thread = GuiThreadOf(window);
    HWND foreground = GetForegroundWindow();
    // The rest tells a press that went astray where its thread's input stood.
    return Ok(JsonObject()
                  .AddHandle("capture", CaptureOf(window))
                  .AddHandle("active", thread.hwndActive)
                  .AddHandle("focus", thread.hwndFocus)
                  .AddRaw("foreground", foreground ? DescribeWindow(foreground) : "null")
                  .AddBool("enabled", IsWindowEnabled(window) != FALSE));
}

// "vk,vk,..." (empty: none).
std::vector<UINT> KeyListOf(const std::wstring& text)
{
    std::vector<UINT> keys;
    for (size_t start = 0; start < text.size();) {
        size_t end = text.find(L',', start);
        if (end == std::wstring::npos) end = text.size();
        wchar_t* stop = nullptr;
        unsigned long vk = wcstoul(text.c_str() + start, &stop, 10);
        if (stop != text.c_str() + end || vk == 0 || vk > 0xFE) Fail(kUsage, L"--from wants vk,vk,... (1..254)");
        keys.push_back(static_cast<UINT>(vk));
        start = end + 1;
    }
    return keys;
}

std::string Keys(const CommandArgs& args)
{
    args.Allow({L"from", L"timeout"});
    std::vector<UINT> down = args.Has(L"from") ? WaitKeysChange(KeyListOf(args.Text(L"from")), TimeoutOf(args, 10000))
                                               : KeysDown();
    std::string list = "[";
    for (UINT vk : down) list += (list.size() > 1 ? "," : "") + std::to_string(vk);
    return Ok(JsonObject().AddRaw("down", list + "]"));
}

UINT MessageOf(const CommandArgs& args)
{
    static const std::map<std::wstring, UINT> names = {
        {L"WM_NULL", WM_NULL}, {L"WM_CLOSE", WM_CLOSE}, {L"WM_COMMAND", WM_COMMAND},
        {L"WM_SYSCOMMAND", WM_SYSCOMMAND}, {L"WM_KEYDOWN", WM_KEYDOWN}, {L"WM_KEYUP", WM_KEYUP},
        {L"WM_CHAR", WM_CHAR}, {L"WM_TIMER", WM_TIMER}, {L"WM_LBUTTONDOWN", WM_LBUTTONDOWN},
        {L"WM_LBUTTONUP", WM_LBUTTONUP}, {L"WM_USER", WM_USER}, {L"WM_APP", WM_APP},
    };
    auto named = names.find(args.Text(L"msg"));
    if (named != names.end()) return named->second;
    long long msg = args.Number(L"msg");
    if (msg < 0 || msg > 0xFFFF) Fail(kUsage, L"--msg must be 0..0xFFFF or a known WM_ name");
    return static_cast<UINT>(msg);
}

std::string PostOrSend(const CommandArgs& args, bool send)
{
    if (send) args.Allow({L"hwnd", L"msg", L"wparam", L"lparam", L"timeout"});
    else args.Allow({L"hwnd", L"msg", L"wparam", L"lparam"});
    HWND window = args.Window(L"hwnd");
    UINT msg = MessageOf(args);
    WPARAM wparam = static_cast<WPARAM>(args.Number(L"wparam", 0));
    LPARAM lparam = static_cast<LPARAM>(args.Number(L"lparam", 0));
    if (!send) {
        if (!PostMessageW(window, msg, wparam, lparam)) Fail(kNotFound, L"PostMessage failed");
        return Ok();
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(window, msg, wparam, lparam, SMTO_ABORTIFHUNG, TimeoutOf(args, 5000), &result))
        Fail(kNotFound, L"the window did not answer in time");
    return Ok(JsonObject().AddInt("result", static_cast<long long>(static_cast<LONG_PTR>(result))));
}

std::string Close(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"timeout"}, {L"wait"});
    HWND window = args.Window(L"hwnd");
    if (!PostMessageW(window, WM_CLOSE, 0, 0)) Fail(kNotFound, L"PostMessage failed");
    if (args.Flag(L"wait") && !WaitWindowGone(window, TimeoutOf(args, kDefaultWaitMs)))
        Fail(kNotFound, L"the window is still there");
    return Ok();
}

std::string State(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    HWND window = args.Window(L"hwnd");
    HWND root = GetAncestor(window, GA_ROOT);
    return Ok(JsonObject()
                  .AddRaw("window", DescribeWindow(window))
                  .AddRect("client", AreaOf(window, true))
                  .AddBool("maximized", IsZoomed(window) != FALSE)
                  .AddBool("minimized", IsIconic(window) != FALSE)
                  .AddBool("foreground", GetForegroundWindow() == root)
                  .AddBool("uncovered", IsUncovered(window, AreaOf(window, false))));
}

std::string Rect(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    HWND window = args.Window(L"hwnd");
    return Ok(JsonObject().AddRect("rect", AreaOf(window, false)).AddRect("client", AreaOf(window, true)));
}

std::string Foreground(const CommandArgs& args)
{
    args.Allow({L"hwnd"});
    if (!BringToFront(args.Window(L"hwnd"))) Fail(kNotFound, L"the window did not come to the front");
    return Ok();
}

struct Picture {
    bool fromScreen = false;
    bool settled = true;
};

// PrintWindow only where the screen would show something else, and the screen when PrintWindow
// draws nothing.
Picture TakePicture(DibImage& image, HWND window, const RECT& area, bool clientOnly, const std::wstring& method,
                    bool uncovered, DWORD settleMs)
{
    Picture picture;
    picture.fromScreen = method == L"screen" || (method == L"auto" && uncovered);
    if (!picture.fromScreen && !PrintWindowInto(image, window, clientOnly)) {
        if (method == L"print") Fail(kNotFound, L"PrintWindow drew nothing");
        if (!IsWindowVisible(window)) Fail(kNotFound, L"PrintWindow drew nothing and the window is hidden");
        picture.fromScreen = true;
    }
    if (picture.fromScreen) picture.settled = CopySettledFromScreen(image, POINT{area.left, area.top}, settleMs);
    return picture;
}

std::string Capture(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"file", L"method", L"settle"}, {L"client", L"raise"});
    std::wstring method = args.Has(L"method") ? args.Text(L"method") : L"auto";
    if (method != L"auto" && method != L"screen" && method != L"print") Fail(kUsage, L"--method: auto, screen or print");
    long long settle = args.Number(L"settle", 1000);
    if (settle < 0 || settle > 60000) Fail(kUsage, L"--settle must be 0..60000 ms");
    std::wstring file = args.Text(L"file");
    bool clientOnly = args.Flag(L"client");
    HWND window = args.Has(L"hwnd") ? args.Window(L"hwnd") : nullptr;
    if (!window && (clientOnly || method == L"print" || args.Flag(L"raise")))
        Fail(kUsage, L"--client, --raise and --method=print need --hwnd");
    if (window && args.Flag(L"raise") && !BringToFront(window)) Fail(kNotFound, L"the window did not come to the front");

    RECT area = window ? AreaOf(window, clientOnly) : ScreenBounds();
    bool uncovered = !window || IsUncovered(window, area);
    DibImage image(area.right - area.left, area.bottom - area.top);
    Picture picture = TakePicture(image, window, area, clientOnly, method, uncovered, static_cast<DWORD>(settle));
    image.Save(file);
    return Ok(JsonObject()
                  .AddString("file", file)
                  .AddString("method", picture.fromScreen ? L"screen" : L"print")
                  .AddRect("rect", area)
                  .AddInt("width", image.Width())
                  .AddInt("height", image.Height())
                  .AddBool("uncovered", uncovered)
                  .AddBool("settled", picture.settled));
}

std::string Pixel(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"x", L"y"});
    POINT point{static_cast<LONG>(args.Number(L"x")), static_cast<LONG>(args.Number(L"y"))};
    if (args.Has(L"hwnd")) ClientToScreen(args.Window(L"hwnd"), &point);
    COLORREF colour = ScreenPixel(point);
    char hex[8];
    std::snprintf(hex, sizeof hex, "#%02x%02x%02x", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return Ok(JsonObject()
                  .AddInt("r", GetRValue(colour))
                  .AddInt("g", GetGValue(colour))
                  .AddInt("b", GetBValue(colour))
                  .AddRaw("hex", std::string("\"") + hex + "\"")
                  .AddInt("screen_x", point.x)
                  .AddInt("screen_y", point.y));
}

std::string ListItems(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"columns"});
    long long columns = args.Number(L"columns", 1);
    if (columns < 1 || columns > 32) Fail(kUsage, L"--columns must be 1..32");
    std::string rows = "[";
    for (const ListRow& row : ReadListRows(args.Window(L"hwnd"), static_cast<int>(columns))) {
        std::string texts = "[";
        for (const std::wstring& text : row.texts) texts += (texts.size() > 1 ? "," : "") + JsonQuote(text);
        rows += (rows.size() > 1 ? "," : "") +
                JsonObject().AddInt("image", row.image).AddBool("selected", row.selected)
                    .AddRaw("texts", texts + "]").Text();
    }
    return Ok(JsonObject().AddRaw("rows", rows + "]"));
}

std::string TreeItems(const CommandArgs& args)
{
    args.Allow({L"hwnd", L"item"}, {L"expand"});
    HWND tree = args.Window(L"hwnd");
    HTREEITEM parent = args.Has(L"item") ? reinterpret_cast<HTREEITEM>(args.Handle(L"item")) : nullptr;
    if (args.Has(L"item") && args.Flag(L"expand"))
        SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(parent));
    HTREEITEM child = reinterpret_cast<HTREEITEM>(SendMessageW(
        tree, TVM_GETNEXTITEM, args.Has(L"item") ? TVGN_CHILD : TVGN_ROOT, reinterpret_cast<LPARAM>(parent)));
    std::string items = "[";
    for (; child; child = reinterpret_cast<HTREEITEM>(
             SendMessageW(tree, TVM_GETNEXTITEM, TVGN_NEXT, reinterpret_cast<LPARAM>(child)))) {
        char handle[24];
        std::snprintf(handle, sizeof handle, "\"0x%llx\"",
                      static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(child)));
        items += (items.size() > 1 ? "," : "") +
                 JsonObject().AddRaw("item", handle)
                     .AddString("text", ReadTreeText(tree, child)).Text();
    }
    return Ok(JsonObject().AddRaw("items", items + "]"));
}

std::string Run(const CommandArgs& args)
{
    const std::wstring& name = args.Name();
    if (name == L"ping") return Ping(args);
    if (name == L"wait") return Wait(args);
    if (name == L"waitgone") return WaitGone(args);
    if (name == L"list") return List(args);
    if (name == L"find") return Find(args);
    if (name == L"gettext") return GetText(args);
    if (name == L"settext") return SetText(args);
    if (name == L"click") return Click(args, MouseAction{});
    if (name == L"dblclick") return Click(args, MouseAction{false, true});
    if (name == L"rclick") return Click(args, MouseAction{true, false});
    if (name == L"aim") return Aim(args);
    if (name == L"keytarget") return KeyTarget(args);
    if (name == L"keys") return Keys(args);
    if (name == L"mousecapture") return MouseCapture(args);
    if (name == L"drag") return Drag(args);
    if (name == L"type") return Type(args);
    if (name == L"key") return Key(args);
    if (name == L"post") return PostOrSend(args, false);
    if (name == L"send") return PostOrSend(args, true);
    if (name == L"close") return Close(args);
    if (name == L"state") return State(args);
    if (name == L"rect") return Rect(args);
    if (name == L"foreground") return Foreground(args);
    if (name == L"capture") return Capture(args);
    if (name == L"pixel") return Pixel(args);
    if (name == L"listitems") return ListItems(args);
    if (name == L"treeitems") return TreeItems(args);
    Fail(kUsage, L"unknown command \"" + name + L"\"");
}

std::string Failure(const CommandError& error)
{
    return JsonObject().AddBool("ok", false).AddInt("code", error.code).AddString("error", error.message).Text();
}

// Runs one command and gives its answer line and exit code.
int Execute(const std::vector<std::wstring>& tokens, std::string& answer)
{
    try {
        answer = Run(CommandArgs(tokens));
        return kSuccess;
    } catch (const CommandError& error) {
        answer = Failure(error);
        return error.code;
    }
}

void WriteLine(const std::string& line)
{
    std::string out = line + "\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), out.data(), static_cast<DWORD>(out.size()), &written, nullptr);
}

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty()) return std::wstring();
    int length = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring text(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), &text[0], length);
    return text;
}

// Reads UTF-8 lines from standard input and answers each with one line, until "quit" or the
// end of the input.
int RunBatch()
{
    HANDLE input = GetStdHandle(STD_INPUT_HANDLE);
    std::string pending;
    char buffer[4096];
    for (;;) {
        size_t newline;
        while ((newline = pending.find('\n')) == std::string::npos) {
            DWORD got = 0;
            if (!ReadFile(input, buffer, sizeof buffer, &got, nullptr) || got == 0) return kSuccess;
            pending.append(buffer, got);
        }
        std::wstring line = FromUtf8(pending.substr(0, newline));
        pending.erase(0, newline + 1);
        std::string answer;
        try {
            std::vector<std::wstring> tokens = SplitCommandLine(line);
            if (tokens.size() == 1 && tokens[0] == L"quit") {
                WriteLine(Ok());
                return kSuccess;
            }
            Execute(tokens, answer);
        } catch (const CommandError& error) {
            answer = Failure(error);
        }
        WriteLine(answer);
    }
}

} // namespace

int main()
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::vector<std::wstring> tokens;
    for (int i = 1; argv && i < argc; ++i) tokens.push_back(argv[i]);
    if (argv) LocalFree(argv);

    if (tokens.size() == 1 && tokens[0] == L"--batch") return RunBatch();
    if (tokens.empty() || tokens[0] == L"--help" || tokens[0] == L"help") {
        std::fputws(kUsageText, stderr);
        return kUsage;
    }
    std::string answer;
    int code = Execute(tokens, answer);
    WriteLine(answer);
    return code;
}
