// The suite's key probe: a topmost window that appends every keyboard and mouse-button
// message it receives to a log, and answers commands that the suite drops into a file.
//
//   probe.exe LOG COMMAND-FILE REPLY-FILE [LEFT TOP WIDTH HEIGHT]
//
// Log lines, tab-separated:
//   K  us  msgtime  D|U  vk  scan  message   a key message (scan code from lParam bits 16-23)
//   M  us  msgtime  button-message  x  y       a mouse button message
//   C  us  tick     command text               a command, logged when it is handled
//   P  us  tick     menu  index                the self-test menu's chosen entry (-1: none)
// `us` is microseconds since the probe started (QueryPerformanceCounter); `msgtime` is
// GetMessageTime, the moment the input was generated, in GetTickCount milliseconds.
//
// Commands ("ID verb args", one per file; the reply file gets "ID answer"):
//   mark TEXT         log a marker: every message queued before it has been handled
//   keystate VK...    GetAsyncKeyState and this thread's GetKeyState of each key
//   focus             raise the probe, ask for the foreground and the keyboard focus
//   status            foreground and focus, without asking
//   menutest on|off   a right click on the probe opens a menu shaped like the tray menu
//   quit              close the probe
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "e2e/programs/win_util.h"

namespace nudgekey::e2e {
namespace {

constexpr UINT_PTR kCommandTimer = 1;
constexpr UINT kCommandPollMs = 10;
constexpr UINT_PTR kPaintTimer = 2;
constexpr UINT kPaintMs = 250;

class Probe {
public:
    Probe(std::wstring logPath, std::wstring commandPath, std::wstring replyPath)
        : logPath_(std::move(logPath)), commandPath_(std::move(commandPath)), replyPath_(std::move(replyPath))
    {
        QueryPerformanceFrequency(&frequency_);
        QueryPerformanceCounter(&start_);
        log_.reset(CreateFileW(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    }

    bool LogOpen() const { return log_.get() != INVALID_HANDLE_VALUE; }

    LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        switch (message) {
        case WM_KEYDOWN:
        case WM_KEYUP:
        case WM_SYSKEYDOWN:
        case WM_SYSKEYUP:
            LogKey(message, wParam, lParam);
            return 0;
        case WM_LBUTTONDOWN:
        case WM_LBUTTONUP:
        case WM_RBUTTONDOWN:
            LogButton(message, lParam);
            return 0;
        case WM_RBUTTONUP:
            LogButton(message, lParam);
            if (menuTest_) RunTestMenu(window);
            return 0;
        case WM_TIMER:
            if (wParam == kCommandTimer) PollCommand(window);
            if (wParam == kPaintTimer && dirty_) {
                dirty_ = false;
                InvalidateRect(window, nullptr, TRUE);
            }
            return 0;
        case WM_PAINT:
            Paint(window);
            return 0;
        case WM_DESTROY:
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window, message, wParam, lParam);
        }
    }

private:
    long long Microseconds() const
    {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        return (now.QuadPart - start_.QuadPart) * 1000000 / frequency_.QuadPart;
    }

    void Write(const std::string& line)
    {
        DWORD written = 0;
        WriteFile(log_.get(), line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
    }

    void LogKey(UINT message, WPARAM wParam, LPARAM lParam)
    {
        const bool down = message == WM_KEYDOWN || message == WM_SYSKEYDOWN;
        const unsigned scan = (static_cast<unsigned long>(lParam) >> 16) & 0xFF;
        char line[128];
        std::snprintf(line, sizeof line, "K\t%lld\t%lu\t%c\t%u\t%u\t%u\n", Microseconds(),
                      static_cast<unsigned long>(GetMessageTime()), down ? 'D' : 'U',
                      static_cast<unsigned>(wParam), scan, message);
        Write(line);
        ++keyMessages_;
        lastKey_ = static_cast<unsigned>(wParam);
        dirty_ = true;
    }

    void LogButton(UINT message, LPARAM lParam)
    {
        char line[128];
        std::snprintf(line, sizeof line, "M\t%lld\t%lu\t%u\t%d\t%d\n", Microseconds(),
                      static_cast<unsigned long>(GetMessageTime()), message,
                      static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        Write(line);
    }

    void PollCommand(HWND window)
    {
        std::string text;
        if (!ReadSmallFile(commandPath_, text)) return;
        std::istringstream in(text);
        long long id = 0;
        std::string verb;
        if (!(in >> id >> verb) || id <= lastCommand_) return;
        lastCommand_ = id;
        std::string rest;
        std::getline(in, rest);
        if (!rest.empty() && rest.front() == ' ') rest.erase(0, 1);
        while (!rest.empty() && (rest.back() == '\n' || rest.back() == '\r')) rest.pop_back();

        char head[64];
        std::snprintf(head, sizeof head, "C\t%lld\t%lu\t", Microseconds(), GetTickCount());
        Write(head + verb + (rest.empty() ? "" : " " + rest) + "\n");

        const std::string answer = Run(window, verb, rest);
        ReplaceFileContent(replyPath_, std::to_string(id) + " " + answer + "\n");
        if (verb == "quit") DestroyWindow(window);
    }

    std::string Run(HWND window, const std::string& verb, const std::string& args)
    {
        if (verb == "mark") return "ok";
        if (verb == "keystate") {
            std::istringstream keys(args);
            std::ostringstream answer;
            int key = 0;
            while (keys >> key) {
                answer << key << ':' << static_cast<short>(GetAsyncKeyState(key)) << ':'
                       << static_cast<short>(GetKeyState(key)) << ' ';
            }
            return answer.str();
        }
        if (verb == "focus") {
            // Wine keeps no topmost order among windows mapped later without a window
            // manager: raise the probe again above what the program has shown since.
            SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
            SetForegroundWindow(window);
            SetFocus(window);
            return Status(window);
        }
        if (verb == "status") return Status(window);
        if (verb == "menutest") {
            menuTest_ = args == "on";
            return "ok";
        }
        if (verb == "quit") return "ok";
        return "unknown";
    }

    std::string Status(HWND window) const
    {
        std::ostringstream answer;
        answer << "foreground=" << (GetForegroundWindow() == window ? 1 : 0)
               << " focus=" << (GetFocus() == window ? 1 : 0) << " keys=" << keyMessages_;
        return answer.str();
    }

    // A pop-up built like the tray menu, so the suite can check where it believes each
    // entry lies before it clicks entries of the real program's menu.
    void RunTestMenu(HWND window)
    {
        UniqueMenu menu{CreatePopupMenu()};
        const wchar_t* entries[] = {L"Enable Nudgekey", nullptr, L"Left Button...", L"Right Button...",
                                    L"Left+Right Button...", nullptr, L"About...", nullptr, L"E&xit"};
        UINT id = 1;
        for (const wchar_t* entry : entries) {
            if (entry == nullptr) AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
            else AppendMenuW(menu.get(), MF_STRING, id, entry);
            ++id;
        }
        POINT at;
        GetCursorPos(&at);
        SetForegroundWindow(window);
        const int chosen = static_cast<int>(
            TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_NONOTIFY, at.x, at.y, 0, window, nullptr));
        PostMessageW(window, WM_NULL, 0, 0);
        char line[96];
        std::snprintf(line, sizeof line, "P\t%lld\t%lu\tmenu\t%d\n", Microseconds(), GetTickCount(), chosen - 1);
        Write(line);
    }

    void Paint(HWND window)
    {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        wchar_t text[160];
        swprintf(text, 160, L"Nudgekey e2e probe\n%ld key messages, last key %u", keyMessages_, lastKey_);
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, text, -1, &client, DT_CENTER | DT_VCENTER | DT_NOPREFIX);
        EndPaint(window, &paint);
    }

    std::wstring logPath_;
    std::wstring commandPath_;
    std::wstring replyPath_;
    UniqueHandle log_;
    LARGE_INTEGER frequency_{};
    LARGE_INTEGER start_{};
    long long lastCommand_ = 0;
    long keyMessages_ = 0;
    unsigned lastKey_ = 0;
    bool dirty_ = false;
    bool menuTest_ = false;
};

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* probe = reinterpret_cast<Probe*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (probe == nullptr) return DefWindowProcW(window, message, wParam, lParam);
    return probe->Handle(window, message, wParam, lParam);
}

}  // namespace
}  // namespace nudgekey::e2e

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int)
{
    using namespace nudgekey::e2e;
    int argc = 0;
    const std::unique_ptr<LPWSTR, decltype(&LocalFree)> arguments{CommandLineToArgvW(GetCommandLineW(), &argc),
                                                                  &LocalFree};
    LPWSTR* argv = arguments.get();
    if (argv == nullptr || (argc != 4 && argc != 8)) {
        MessageBoxW(nullptr, L"usage: probe LOG COMMAND-FILE REPLY-FILE [LEFT TOP WIDTH HEIGHT]", L"probe", MB_OK);
        return 2;
    }
    Probe probe{argv[1], argv[2], argv[3]};
    RECT place{0, 40, 1024, 728};
    if (argc == 8) {
        place.left = _wtoi(argv[4]);
        place.top = _wtoi(argv[5]);
        place.right = place.left + _wtoi(argv[6]);
        place.bottom = place.top + _wtoi(argv[7]);
    }
    if (!probe.LogOpen()) return 3;

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_INFOBK + 1);
    windowClass.lpszClassName = L"NudgekeyE2eProbe";
    RegisterClassW(&windowClass);

    HWND window = CreateWindowExW(WS_EX_TOPMOST, windowClass.lpszClassName, L"Nudgekey e2e probe",
                                  WS_POPUP | WS_VISIBLE, place.left, place.top, place.right - place.left,
                                  place.bottom - place.top, nullptr, nullptr, instance, &probe);
    if (window == nullptr) return 4;
    SetTimer(window, kCommandTimer, kCommandPollMs, nullptr);
    SetTimer(window, kPaintTimer, kPaintMs, nullptr);
    SetForegroundWindow(window);
    SetFocus(window);

    // No TranslateMessage: the probe records key messages, not characters.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
    return 0;
}
