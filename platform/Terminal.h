// The terminal, less its widget: received bytes in, grid and capture out.
//
//   Terminal terminal;
//   terminal.SetProcessCharHook(hook);   // asked what to show for each byte
//   terminal.SetCaptureFile(name); terminal.SetCapture(cmOn);
//   terminal.Receive(data, n);           // hook, then show and capture
//   terminal.ClearAll(); terminal.ClearPage();
//
// For every received byte the hook fills the terminal's one display command;
// the terminal then shows what the command holds and, while capture is on,
// appends exactly the shown characters to the capture file. Nothing else is
// captured: wrapping at the last column writes nothing. Without a hook the
// terminal does no emulation at all: nothing is shown.
#pragma once

#include "CaptureWriter.h"
#include "EmuCommand.h"
#include "TerminalScreen.h"

#include <cstddef>
#include <cstdint>
#include <functional>

namespace tillscribe {

class Terminal {
public:
    // The emulator's per-character hook: the received byte and the command.
    using ProcessCharHook = std::function<void(std::uint8_t c, TEmuCommand &command)>;

    void SetProcessCharHook(ProcessCharHook hook) { hook_ = std::move(hook); }

    void Receive(const std::uint8_t *data, std::size_t size);
    void Receive(std::uint8_t c) { Receive(&c, 1); }

    // Show and capture one character as if the hook had asked for it.
    void Show(std::uint8_t c)
    {
        screen_.Put(c);
        capture_.Append(c);
    }

    // Blank the whole buffer and home cursor and page; nothing is captured.
    void ClearAll() { screen_.ClearAll(); }
    // Start a fresh page; may show line feeds, which are captured.
    void ClearPage();

    TCaptureMode Capture() const { return capture_.Capture(); }
    void SetCapture(TCaptureMode mode) { capture_.SetCapture(mode); }
    const std::string &CaptureFile() const { return capture_.CaptureFile(); }
    void SetCaptureFile(const std::string &name) { capture_.SetCaptureFile(name); }
    const CaptureWriter &Capturer() const { return capture_; }

    const TerminalScreen &Screen() const { return screen_; }

private:
    void CarryOut(const TEmuCommand &command);

    ProcessCharHook hook_;
    TEmuCommand command_;
    TerminalScreen screen_;
    CaptureWriter capture_;
};

} // namespace tillscribe
