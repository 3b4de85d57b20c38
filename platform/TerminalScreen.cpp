#include "TerminalScreen.h"

#include <algorithm>
#include <cstring>

namespace tillscribe {

TerminalScreen::TerminalScreen(int rows, int columns, int pageHeight)
    : rows_(std::max(rows, 1)),
      columns_(std::max(columns, 1)),
      pageHeight_(std::clamp(pageHeight, 1, rows_)),
      cells_(static_cast<size_t>(rows_) * columns_, ' ')
{
}

std::uint8_t *TerminalScreen::Cell(int row, int column)
{
    const int ring = (firstRow_ + row) % rows_;
    return &cells_[static_cast<size_t>(ring) * columns_ + column];
}

std::string_view TerminalScreen::Row(int r) const
{
    const int ring = (firstRow_ + std::clamp(r, 0, rows_ - 1)) % rows_;
    return {reinterpret_cast<const char *>(&cells_[static_cast<size_t>(ring) * columns_]),
            static_cast<size_t>(columns_)};
}

void TerminalScreen::SetCursor(int row, int column)
{
    cursorRow_ = std::clamp(row, 0, rows_ - 1);
    cursorColumn_ = std::clamp(column, 0, columns_ - 1);
}

void TerminalScreen::SetPageTop(int row)
{
    pageTop_ = std::clamp(row, 0, rows_ - 1);
}

void TerminalScreen::ScrollUp()
{
    std::memset(Cell(0, 0), ' ', columns_);
    firstRow_ = (firstRow_ + 1) % rows_;
}

void TerminalScreen::LineFeed()
{
    if (cursorRow_ + 1 < rows_)
        ++cursorRow_;
    else
        ScrollUp();
}

void TerminalScreen::Put(std::uint8_t c)
{
    switch (c) {
    case '\r':
        cursorColumn_ = 0;
        break;
    case '\n':
        LineFeed();
        break;
    case '\b':
        if (cursorColumn_ > 0) {
            --cursorColumn_;
            *Cell(cursorRow_, cursorColumn_) = ' ';
        }
        break;
    default:
        *Cell(cursorRow_, cursorColumn_) = c;
        if (++cursorColumn_ == columns_) {
            cursorColumn_ = 0;
            LineFeed();
        }
        break;
    }
}

void TerminalScreen::BlankRows(int first, int count)
{
    const int begin = std::clamp(first, 0, rows_);
    const int end = std::clamp(first + count, begin, rows_);
    for (int r = begin; r < end; ++r)
        std::memset(Cell(r, 0), ' ', columns_);
}

void TerminalScreen::ClearAll()
{
    std::fill(cells_.begin(), cells_.end(), ' ');
    firstRow_ = 0;
    cursorRow_ = cursorColumn_ = pageTop_ = 0;
}

} // namespace tillscribe
