// The terminal's grid: a buffer of rows by columns with a cursor and a page.
//
//   TerminalScreen screen;           // 200 rows of 133 columns, page of 150
//   screen.Put(c);                   // show one character (CR, LF, BS, glyph)
//   screen.ClearAll();               // blank everything, cursor and page home
//   screen.Row(r), screen.CursorRow(), screen.PageTop()   // for painting
//
// Carriage return goes to the first column; line feed goes down one row,
// scrolling the buffer up at its bottom; backspace steps left and blanks the
// cell; any other code is drawn and the cursor moves right, wrapping to the
// next row after the last column. Knows nothing of files or widgets: the
// terminal decides what is captured.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace tillscribe {

class TerminalScreen {
public:
    static constexpr int kDefaultRows = 200;
    static constexpr int kDefaultColumns = 133;
    static constexpr int kDefaultPageHeight = 150;

    TerminalScreen(int rows = kDefaultRows, int columns = kDefaultColumns,
                   int pageHeight = kDefaultPageHeight);

    int Rows() const { return rows_; }
    int Columns() const { return columns_; }
    int PageHeight() const { return pageHeight_; }

    int CursorRow() const { return cursorRow_; }
    int CursorColumn() const { return cursorColumn_; }
    int PageTop() const { return pageTop_; }
    void SetCursor(int row, int column);
    void SetPageTop(int row);

    void Put(std::uint8_t c);
    void LineFeed();
    void ClearAll();
    void BlankRows(int first, int count);

    // Row r of the buffer, 0 the oldest, as Columns() bytes (blank is ' ').
    std::string_view Row(int r) const;

private:
    std::uint8_t *Cell(int row, int column);
    void ScrollUp();

    int rows_;
    int columns_;
    int pageHeight_;
    // Rows are kept as a ring so that scrolling costs one row, not the buffer.
    std::vector<std::uint8_t> cells_;
    int firstRow_ = 0;
    int cursorRow_ = 0;
    int cursorColumn_ = 0;
    int pageTop_ = 0;
};

} // namespace tillscribe
