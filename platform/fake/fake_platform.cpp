#include "platform/fake/fake_platform.h"

#include "platform/error.h"

namespace nudgekey {

namespace {

const char* RequestName(NotifyRequest request)
{
    switch (request) {
    case NotifyRequest::Add: return "Add";
    case NotifyRequest::Modify: return "Modify";
    case NotifyRequest::Delete: return "Delete";
    }
    return "?";
}

}  // namespace

FakePlatform::FakePlatform()
{
    files.AddFolder(programFolder);
    files.record = [this](const std::string& line) { log.push_back(line); };
}

void FakePlatform::ClearRecords()
{
    keys.clear();
    notifyCalls.clear();
    findCalls.clear();
    shellExecuteCalls.clear();
    messageBoxes.clear();
    popups.clear();
    log.clear();
    buttonQueries = 0;
    cursorQueries = 0;
}

IconHandle FakePlatform::IconOf(TrayPicture picture) { return kWindowIcon + static_cast<IconHandle>(picture); }

// --- Input

std::int16_t FakePlatform::GetAsyncKeyState(int virtualKey)
{
    ++buttonQueries;
    if (virtualKey < 0 || virtualKey > 2) return 0;
    auto& queue = queuedButtonStates[static_cast<std::size_t>(virtualKey)];
    if (!queue.empty()) {
        const std::int16_t state = queue.front();
        queue.pop_front();
        return state;
    }
    return buttonState[static_cast<std::size_t>(virtualKey)];
}

bool FakePlatform::GetCursorPos(Point& point)
{
    ++cursorQueries;
    if (cursorFails) return false;
    point = cursor;
    return true;
}

void FakePlatform::KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags)
{
    keys.push_back({virtualKey, scanCode, flags});
    keyDown[virtualKey] = (flags & kKeyEventKeyUp) == 0;
    log.push_back("KeybdEvent " + std::to_string(virtualKey) + ((flags & kKeyEventKeyUp) ? " up" : " down"));
}

// --- Shell

bool FakePlatform::NotifyIcon(NotifyRequest request, const NotifyIconData& data)
{
    notifyCalls.push_back({request, data});
    log.push_back(std::string("NotifyIcon ") + RequestName(request));
    return !notifyFails;
}

std::int32_t FakePlatform::FindExecutable(const std::string& file, const std::string& directory)
{
    findCalls.push_back({file, directory});
    log.push_back("FindExecutable " + file);
    if (findExecutableThrows) throw PlatformError("the look-up could not be made");
    if (findExecutableResult) return *findExecutableResult;
    const FakeFileSystem::Entry* entry = files.Find(file);
    return (entry != nullptr && !entry->folder) ? 42 : 2;
}

std::intptr_t FakePlatform::ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                                         const std::string& parameters, const std::string& directory,
                                         int showCommand)
{
    shellExecuteCalls.push_back({owner, operation, file, parameters, directory, showCommand});
    log.push_back("ShellExecute " + file);
    return 42;
}

// --- Settings

std::optional<std::string> FakePlatform::Setting(const std::string& section, const std::string& key,
                                                 const std::string& app) const
{
    const auto found = settings.find({app, section, key});
    if (found == settings.end()) return std::nullopt;
    return found->second;
}

std::string FakePlatform::GetSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                                     const std::string& defaultText)
{
    log.push_back("GetSetting " + section + "/" + key);
    const auto found = settings.find({appTitle, section, key});
    return found == settings.end() ? defaultText : found->second;
}

void FakePlatform::SaveSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                               const std::string& value)
{
    log.push_back("SaveSetting " + section + "/" + key + "=" + value);
    if (settingsWritesFail) throw PlatformError("the settings store cannot be written");
    settings[{appTitle, section, key}] = value;
}

// --- Toolkit

std::unique_ptr<TrayWindow> FakePlatform::CreateTrayWindow(TrayWindowEvents& events)
{
    log.push_back("CreateTrayWindow");
    auto window = std::make_unique<FakeTrayWindow>(*this, events);
    trayWindow = window.get();
    return window;
}

std::unique_ptr<SwitcherWindow> FakePlatform::CreateSwitcherWindow(SwitcherWindowEvents& events)
{
    log.push_back("CreateSwitcherWindow");
    ++switcherWindowsCreated;
    auto window = std::make_unique<FakeSwitcherWindow>(*this, events, 0x2000 + switcherWindowsCreated);
    return window;
}

void FakePlatform::MessageBox(WindowHandle owner, const std::string& text, int flags, const std::string& title)
{
    MessageBoxCall call{owner, text, flags, title};
    messageBoxes.push_back(call);
    log.push_back("MessageBox " + text);
    if (whileMessageBoxOpen) whileMessageBoxOpen(call);
}

std::string FakePlatform::ProgramFolder()
{
    log.push_back("ProgramFolder");
    return programFolder;
}

void FakePlatform::EndProcess()
{
    log.push_back("EndProcess");
    ended = true;
}

// --- Windows

FakeTrayWindow::~FakeTrayWindow()
{
    if (platform_.trayWindow == this) platform_.trayWindow = nullptr;
}

void FakeTrayWindow::Refresh()
{
    const CaptureDialogView& view = events_.DialogView();
    drawn = view;
    platform_.log.push_back("Refresh tray visible=" + std::to_string(view.visible) + " caption=" + view.caption);
}

void FakeTrayWindow::SetTimerEnabled(bool enabled)
{
    platform_.timerEnabled = enabled;
    platform_.log.push_back(std::string("SetTimerEnabled ") + (enabled ? "1" : "0"));
}

IconHandle FakeTrayWindow::Icon(TrayPicture picture) const { return FakePlatform::IconOf(picture); }

std::optional<std::size_t> FakeTrayWindow::PopupMenu(const std::vector<MenuEntry>& entries)
{
    platform_.popups.push_back(entries);
    platform_.log.push_back("PopupMenu");
    if (platform_.whilePopupOpen) return platform_.whilePopupOpen(entries);
    return std::nullopt;
}

FakeSwitcherWindow::FakeSwitcherWindow(FakePlatform& platform, SwitcherWindowEvents& events, WindowHandle handle)
    : drawn(events.View()), platform_(platform), events_(events), handle_(handle)
{
    platform_.switcherWindow = this;
}

FakeSwitcherWindow::~FakeSwitcherWindow()
{
    if (platform_.switcherWindow == this) platform_.switcherWindow = nullptr;
    platform_.log.push_back("DestroySwitcherWindow");
}

void FakeSwitcherWindow::Refresh()
{
    drawn = events_.View();
    platform_.log.push_back("Refresh switcher visible=" + std::to_string(events_.View().visible));
}

}  // namespace nudgekey
