#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <string_view>

namespace quexa::core {

// What a wait window shows while a long operation runs on the user-interface thread: the
// progress total and position, the current text and the cancel flag. The worker writes, the
// window (on its own thread or timer) reads; every call is safe from any thread.
class WaitState {
  public:
    struct Settings {
        std::string caption;
        // Empty keeps the window's own "Please Stand By ... ... ".
        std::string text;
        bool showCancel = true;
        bool showCounter = true;
    };

    struct Snapshot {
        bool open = false;
        std::string caption;
        std::string text;
        bool showCancel = true;
        bool showCounter = true;
        // 0 hides the progress bar.
        std::uint64_t total = 0;
        std::uint64_t position = 0;
        bool cancelled = false;
        // Counts the openings, so that a window can tell a new wait from the one it showed.
        std::uint64_t generation = 0;
    };

    // Opens it for one operation and closes it on every way out.
    class Scope {
      public:
        Scope(WaitState* state, Settings settings);
        ~Scope();
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        void SetTotal(std::uint64_t total);
        void SetPosition(std::uint64_t position);
        bool Cancelled() const;

      private:
        WaitState* state_;
    };

    static constexpr std::string_view kDefaultText = "Please Stand By ... ... ";

    // Clears the cancel flag, total, position and the current text.
    void Open(Settings settings);
    // Closing twice does nothing.
    void Close();
    bool IsOpen() const;

    void SetTotal(std::uint64_t total);
    void SetPosition(std::uint64_t position);
    void SetText(std::string_view text);

    // The Cancel button: sets the flag only while a window with the button is open.
    void Cancel();
    bool Cancelled() const;

    Snapshot Read() const;
    // For the window's thread: true once the state is closed, false when the time ran out.
    bool WaitUntilClosed(std::chrono::milliseconds timeout) const;

  private:
    mutable std::mutex mutex_;
    mutable std::condition_variable closed_;
    Snapshot state_;
};

}  // namespace quexa::core
