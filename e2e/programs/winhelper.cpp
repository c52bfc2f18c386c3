// What the suite cannot learn from X: asks Wine about its windows and state.
//
//   winhelper windows [--title T] [--class C] [--children]
//       one line per top-level window that matches (exact title and/or class), tab-separated
//       key=value fields, the title last (escaped): hwnd pid visible class rect client [check] title.
//       rect is the window rectangle, client the client rectangle in screen coordinates
//       (left,top,right,bottom). With --children each window's child windows follow,
//       their lines starting with "child".
//   winhelper closebox HWND      screen point "x y" of the window's close box (WM_NCHITTEST)
//   winhelper taskbarcreated     broadcasts the registered "TaskbarCreated" message
//   winhelper notifydelete HWND ID   removes that notification icon from the shell, as a
//                                shell restart would lose it
//   winhelper keystate VK...     "vk:state" of GetAsyncKeyState for each key
//   winhelper foreground         the foreground window, as a windows line
// Exit code 0 on success, 1 when nothing matched, 2 on bad usage.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>
#include <vector>

#include "e2e/programs/win_util.h"

namespace nudgekey::e2e {
namespace {

void Print(const std::string& text)
{
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

std::wstring ClassOf(HWND window)
{
    wchar_t name[256];
    const int length = GetClassNameW(window, name, 256);
    return std::wstring(name, length > 0 ? length : 0);
}

std::wstring TitleOf(HWND window)
{
    wchar_t title[1024];
    const int length = GetWindowTextW(window, title, 1024);
    return std::wstring(title, length > 0 ? length : 0);
}

// One line per window: backslash, tab, CR and LF in a title are written as \\, \t, \r, \n.
std::string Escaped(const std::string& text)
{
    std::string escaped;
    for (char c : text) {
        switch (c) {
        case '\\': escaped += "\\\\"; break;
        case '\t': escaped += "\\t"; break;
        case '\r': escaped += "\\r"; break;
        case '\n': escaped += "\\n"; break;
        default: escaped += c;
        }
    }
    return escaped;
}

std::string RectText(const RECT& rect)
{
    char text[80];
    std::snprintf(text, sizeof text, "%ld,%ld,%ld,%ld", rect.left, rect.top, rect.right, rect.bottom);
    return text;
}

std::string Describe(HWND window, const char* prefix)
{
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    RECT rect{};
    GetWindowRect(window, &rect);
    RECT client{};
    GetClientRect(window, &client);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    OffsetRect(&client, origin.x, origin.y);

    char head[128];
    std::snprintf(head, sizeof head, "%shwnd=%#lx\tpid=%lu\tvisible=%d\t", prefix,
                  static_cast<unsigned long>(reinterpret_cast<ULONG_PTR>(window)), pid,
                  IsWindowVisible(window) ? 1 : 0);
    std::string line = head;
    line += "class=" + ToUtf8(ClassOf(window)) + "\trect=" + RectText(rect) + "\tclient=" + RectText(client);
    if (ClassOf(window) == L"Button") {
        DWORD_PTR check = 0;
        if (SendMessageTimeoutW(window, BM_GETCHECK, 0, 0, SMTO_ABORTIFHUNG, 1000, &check))
            line += "\tcheck=" + std::to_string(check);
    }
    line += "\ttitle=" + Escaped(ToUtf8(TitleOf(window))) + "\n";
    return line;
}

struct Filter {
    std::optional<std::wstring> title;
    std::optional<std::wstring> className;
    bool children = false;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM context)
{
    auto& filter = *reinterpret_cast<Filter*>(context);
    if (filter.title && TitleOf(window) != *filter.title) return TRUE;
    if (filter.className && ClassOf(window) != *filter.className) return TRUE;
    filter.found.push_back(window);
    return TRUE;
}

BOOL CALLBACK PrintChild(HWND window, LPARAM)
{
    Print(Describe(window, "child\t"));
    return TRUE;
}

int ListWindows(int argc, wchar_t** argv)
{
    Filter filter;
    for (int i = 2; i < argc; ++i) {
        const std::wstring option = argv[i];
        if (option == L"--children") filter.children = true;
        else if (option == L"--title" && i + 1 < argc) filter.title = argv[++i];
        else if (option == L"--class" && i + 1 < argc) filter.className = argv[++i];
        else return 2;
    }
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&filter));
    for (HWND window : filter.found) {
        Print(Describe(window, ""));
        if (filter.children) EnumChildWindows(window, PrintChild, 0);
    }
    return filter.found.empty() ? 1 : 0;
}

// Wine draws the frame of an unmanaged tool window itself, so the close box is where
// the window's own hit test says it is; sample the top rows of the window for it.
int CloseBox(const wchar_t* handleText)
{
    HWND window = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoul(handleText, nullptr, 0)));
    RECT rect{};
    if (!IsWindow(window) || !GetWindowRect(window, &rect)) return 1;
    long sumX = 0;
    long sumY = 0;
    long hits = 0;
    for (LONG y = rect.top; y < rect.top + 40 && y < rect.bottom; ++y) {
        for (LONG x = rect.right - 1; x > rect.right - 60 && x >= rect.left; --x) {
            DWORD_PTR hit = 0;
            if (!SendMessageTimeoutW(window, WM_NCHITTEST, 0, MAKELPARAM(x, y), SMTO_ABORTIFHUNG, 1000, &hit))
                return 1;
            if (hit == HTCLOSE) {
                sumX += x;
                sumY += y;
                ++hits;
            }
        }
    }
    if (hits == 0) return 1;
    char text[64];
    std::snprintf(text, sizeof text, "%ld %ld\n", sumX / hits, sumY / hits);
    Print(text);
    return 0;
}

int BroadcastTaskbarCreated()
{
    const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    if (message == 0 || !PostMessageW(HWND_BROADCAST, message, 0, 0)) return 1;
    Print("ok\n");
    return 0;
}

int NotifyDelete(const wchar_t* handleText, const wchar_t* idText)
{
    NOTIFYICONDATAW data{};
    data.cbSize = sizeof data;
    data.hWnd = reinterpret_cast<HWND>(static_cast<ULONG_PTR>(std::wcstoul(handleText, nullptr, 0)));
    data.uID = static_cast<UINT>(std::wcstoul(idText, nullptr, 0));
    if (!Shell_NotifyIconW(NIM_DELETE, &data)) return 1;
    Print("ok\n");
    return 0;
}

int KeyState(int argc, wchar_t** argv)
{
    std::string line;
    for (int i = 2; i < argc; ++i) {
        const int key = _wtoi(argv[i]);
        line += std::to_string(key) + ":" + std::to_string(static_cast<short>(GetAsyncKeyState(key))) + " ";
    }
    Print(line + "\n");
    return 0;
}

int Foreground()
{
    HWND window = GetForegroundWindow();
    if (window == nullptr) return 1;
    Print(Describe(window, ""));
    return 0;
}

}  // namespace
}  // namespace nudgekey::e2e

int wmain(int argc, wchar_t** argv)
{
    using namespace nudgekey::e2e;
    if (argc < 2) return 2;
    const std::wstring verb = argv[1];
    if (verb == L"windows") return ListWindows(argc, argv);
    if (verb == L"closebox" && argc == 3) return CloseBox(argv[2]);
    if (verb == L"taskbarcreated") return BroadcastTaskbarCreated();
    if (verb == L"notifydelete" && argc == 4) return NotifyDelete(argv[2], argv[3]);
    if (verb == L"keystate") return KeyState(argc, argv);
    if (verb == L"foreground") return Foreground();
    return 2;
}
