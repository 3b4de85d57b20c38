#include "Terminal.h"

namespace tillscribe {

void Terminal::CarryOut(const TEmuCommand &command)
{
    if (command.Kind == kEmuShowChar) {
        if (command.Character != 0)
            Show(command.Character);
    } else if (command.Kind == kEmuShowText) {
        const int length = command.Text.Length <= TEmuCommand::kTextCapacity
            ? command.Text.Length
            : TEmuCommand::kTextCapacity;
        for (int i = 0; i < length; ++i)
            if (command.Text.Chars[i] != 0)
                Show(command.Text.Chars[i]);
    }
}

void Terminal::Receive(const std::uint8_t *data, std::size_t size)
{
    if (!hook_)
        return;
    for (std::size_t i = 0; i < size; ++i) {
        // A hook that sets nothing (no register model chosen) must not make
        // the terminal repeat the previous byte's command.
        command_.Kind = kEmuNothing;
        hook_(data[i], command_);
        CarryOut(command_);
    }
}

void Terminal::ClearPage()
{
    const int rows = screen_.Rows();
    const int page = screen_.PageHeight();
    screen_.SetCursor(screen_.CursorRow(), 0);
    if (screen_.PageTop() + 2 * page < rows) {
        screen_.SetPageTop(screen_.PageTop() + page);
    } else {
        // The old page scrolls into the scroll-back by line feeds that pass
        // through the capture like any shown character.
        screen_.SetCursor(rows - 1, 0);
        for (int i = 0; i < page; ++i)
            Show('\n');
        screen_.SetPageTop(rows - page);
    }
    screen_.SetCursor(screen_.PageTop(), 0);
    screen_.BlankRows(screen_.PageTop(), page);
}

} // namespace tillscribe
