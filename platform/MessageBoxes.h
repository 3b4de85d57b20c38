// Every message box that the programs show goes through here.
//
//   ShowMessage(MsgKind::Error, "Need Phone Number");           // OK only
//   if (ShowMessage(MsgKind::Confirmation, text, MsgButtons::YesNo) == MsgResult::Yes) ...
//
// The real boxes are modal QMessageBoxes with the kind's icon and title
// ("Information", "Warning", "Error", "Confirm"); they run a nested event
// loop, so received bytes are still shown and captured while one is up.
// Tests install their own MessageBoxes to read and answer the boxes.
#pragma once

#include <QString>

namespace tillscribe {

enum class MsgKind { Information, Warning, Error, Confirmation };
enum class MsgButtons { Ok, YesNo };
enum class MsgResult { Ok, Yes, No };

class MessageBoxes {
public:
    virtual ~MessageBoxes() = default;
    virtual MsgResult Show(MsgKind kind, const QString &text, MsgButtons buttons) = 0;
};

MsgResult ShowMessage(MsgKind kind, const QString &text, MsgButtons buttons = MsgButtons::Ok);

// Replaces the boxes (nullptr: the real ones again). Not owned.
void SetMessageBoxes(MessageBoxes *boxes);

} // namespace tillscribe
