#pragma once

#include <array>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "platform/platform.h"

namespace nudgekey {

// One key event as keybd_event received it.
struct KeyEvent {
    std::uint8_t key = 0;
    std::uint8_t scan = 0;
    std::uint32_t flags = 0;
    bool operator==(const KeyEvent&) const = default;
};
inline KeyEvent Down(std::uint8_t key) { return {key, key, 0}; }
inline KeyEvent Up(std::uint8_t key) { return {key, key, kKeyEventKeyUp}; }

struct NotifyCall {
    NotifyRequest request;
    NotifyIconData data;
};

struct MessageBoxCall {
    WindowHandle owner = 0;
    std::string text;
    int flags = 0;
    std::string title;
    bool operator==(const MessageBoxCall&) const = default;
};

struct ShellExecuteCall {
    WindowHandle owner = 0;
    std::string operation, file, parameters, directory;
    int showCommand = 0;
    bool operator==(const ShellExecuteCall&) const = default;
};

struct FindExecutableCall {
    std::string file, directory;
    bool operator==(const FindExecutableCall&) const = default;
};

// An in-memory file system with Windows paths: case-insensitive names,
// repeated backslashes folded as Windows folds them, directory search in the
// order the entries were created.
class FakeFileSystem : public FileSystem {
public:
    struct Entry {
        std::string path;  // as created, normalised
        bool folder = false;
        bool hidden = false;
        bool system = false;
        bool readOnly = false;
        bool locked = false;  // open elsewhere without sharing: cannot be replaced
        std::string content;
    };

    void AddFolder(const std::string& path);  // creates missing parents too
    void AddFile(const std::string& path, const std::string& content = "", bool hidden = false,
                 bool readOnly = false);
    bool Exists(const std::string& path) const;
    bool IsFolder(const std::string& path) const;
    Entry* Find(const std::string& path);
    const Entry* Find(const std::string& path) const;
    // Paths of the direct children of `folder`, in creation order.
    std::vector<std::string> Children(const std::string& folder) const;

    // A read-only medium: every change fails.
    bool readOnlyMedium = false;
    // Told of every MakeFolder, FirstMatch and CopyFile call, before it runs.
    std::function<void(const std::string&)> record;

    void MakeFolder(const std::string& path) override;
    std::string FirstMatch(const std::string& pattern) override;
    void CopyFile(const std::string& source, const std::string& target) override;

    static std::string Normalise(const std::string& path);
    static std::string ParentOf(const std::string& path);
    static std::string NameOf(const std::string& path);

private:
    std::vector<Entry> entries_;
};

class FakePlatform;

class FakeTrayWindow : public TrayWindow {
public:
    FakeTrayWindow(FakePlatform& platform, TrayWindowEvents& events)
        : drawn(events.DialogView()), platform_(platform), events_(events)
    {
    }
    ~FakeTrayWindow() override;
    WindowHandle Handle() const override { return kHandle; }
    void Refresh() override;
    // The dialog as the window last drew it.
    CaptureDialogView drawn;
    void SetTimerEnabled(bool enabled) override;
    IconHandle Icon(TrayPicture picture) const override;
    std::optional<std::size_t> PopupMenu(const std::vector<MenuEntry>& entries) override;

    static constexpr WindowHandle kHandle = 0x1001;

private:
    FakePlatform& platform_;
    TrayWindowEvents& events_;
};

class FakeSwitcherWindow : public SwitcherWindow {
public:
    FakeSwitcherWindow(FakePlatform& platform, SwitcherWindowEvents& events, WindowHandle handle);
    ~FakeSwitcherWindow() override;
    WindowHandle Handle() const override { return handle_; }
    void Refresh() override;
    // The view as the window last drew it: at creation, then at every Refresh.
    SwitcherView drawn;

private:
    FakePlatform& platform_;
    SwitcherWindowEvents& events_;
    WindowHandle handle_;
};

// The test double of the whole platform: scripted mouse, recorded key events
// with the key state they leave, recorded tray and shell requests, an in-memory
// settings store and file system, and hooks that let a test deliver events while
// a message box or the pop-up menu is open. Every call is also appended to
// `log`, so a test can check the order of steps across services.
class FakePlatform : public Input, public Shell, public SettingsStore, public Toolkit {
public:
    FakePlatform();
    // The file system reports into this object's log.
    FakePlatform(const FakePlatform&) = delete;
    FakePlatform& operator=(const FakePlatform&) = delete;

    Platform platform() { return Platform{*this, *this, *this, files, *this}; }

    // --- mouse and keys
    // The state every query of a button returns, unless queued states are left.
    std::array<std::int16_t, 3> buttonState{};
    // Exact results of the next queries of a button, one per query.
    std::array<std::deque<std::int16_t>, 3> queuedButtonStates;
    Point cursor;
    bool cursorFails = false;
    std::vector<KeyEvent> keys;
    std::array<bool, 256> keyDown{};  // what the keys sent so far leave pressed
    int buttonQueries = 0;
    int cursorQueries = 0;

    std::int16_t GetAsyncKeyState(int virtualKey) override;
    bool GetCursorPos(Point& point) override;
    void KeybdEvent(std::uint8_t virtualKey, std::uint8_t scanCode, std::uint32_t flags) override;

    // --- shell
    std::vector<NotifyCall> notifyCalls;
    bool notifyFails = false;
    std::vector<FindExecutableCall> findCalls;
    bool findExecutableThrows = false;
    // When set, every look-up returns this instead of what the files say.
    std::optional<std::int32_t> findExecutableResult;
    std::vector<ShellExecuteCall> shellExecuteCalls;

    bool NotifyIcon(NotifyRequest request, const NotifyIconData& data) override;
    // 42 when `file` is a file in `files`, 2 (file not found) otherwise,
    // unless findExecutableResult says otherwise.
    std::int32_t FindExecutable(const std::string& file, const std::string& directory) override;
    std::intptr_t ShellExecute(WindowHandle owner, const std::string& operation, const std::string& file,
                               const std::string& parameters, const std::string& directory,
                               int showCommand) override;

    // --- settings: (app, section, key) -> text
    std::map<std::tuple<std::string, std::string, std::string>, std::string> settings;
    bool settingsWritesFail = false;
    std::optional<std::string> Setting(const std::string& section, const std::string& key,
                                       const std::string& app = "Nudgekey") const;

    std::string GetSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                           const std::string& defaultText) override;
    void SaveSetting(const std::string& appTitle, const std::string& section, const std::string& key,
                     const std::string& value) override;

    // --- files
    FakeFileSystem files;

    // --- toolkit
    std::string programFolder = "C:\\Games\\Emu";
    std::vector<MessageBoxCall> messageBoxes;
    // Runs while a message box is open (before it returns): deliver events here.
    std::function<void(const MessageBoxCall&)> whileMessageBoxOpen;
    // Runs while the pop-up menu is open and picks the entry (nothing: dismissed).
    std::function<std::optional<std::size_t>(const std::vector<MenuEntry>&)> whilePopupOpen;
    std::vector<std::vector<MenuEntry>> popups;
    bool ended = false;

    // The real windows the core created and still holds.
    FakeTrayWindow* trayWindow = nullptr;
    FakeSwitcherWindow* switcherWindow = nullptr;
    int switcherWindowsCreated = 0;
    bool timerEnabled = false;

    std::unique_ptr<TrayWindow> CreateTrayWindow(TrayWindowEvents& events) override;
    std::unique_ptr<SwitcherWindow> CreateSwitcherWindow(SwitcherWindowEvents& events) override;
    void MessageBox(WindowHandle owner, const std::string& text, int flags, const std::string& title) override;
    std::string ProgramFolder() override;
    void EndProcess() override;

    // Every platform call in order, as short readable lines ("NotifyIcon Modify",
    // "CopyFile C:\\a -> C:\\b", ...).
    std::vector<std::string> log;
    // Removes the entries of the log before a step a test wants to look at alone.
    void ClearRecords();

    static constexpr IconHandle kWindowIcon = 0x500;
    // Picture1..Picture4 are kWindowIcon + 1..4.
    static IconHandle IconOf(TrayPicture picture);
};

}  // namespace nudgekey
