// Message boxes for the widget tests: every box recorded, Yes/No answered
// as the test sets.
#pragma once

#include "MessageBoxes.h"

#include <QStringList>

#include <ostream>
#include <vector>

namespace tillscribe::test {

struct Box {
    MsgKind kind;
    QString text;
    bool operator==(const Box &other) const { return kind == other.kind && text == other.text; }
};

inline void PrintTo(const Box &box, std::ostream *os)
{
    *os << static_cast<int>(box.kind) << " \"" << box.text.toStdString() << "\"";
}

class RecordingBoxes : public MessageBoxes {
public:
    MsgResult Show(MsgKind kind, const QString &text, MsgButtons buttons) override
    {
        all.push_back({kind, text});
        shown << text;
        if (buttons == MsgButtons::YesNo)
            return answerYes ? MsgResult::Yes : MsgResult::No;
        return MsgResult::Ok;
    }

    std::vector<Box> all; // kind and text, in order
    QStringList shown;    // the texts alone
    bool answerYes = false;
};

} // namespace tillscribe::test
