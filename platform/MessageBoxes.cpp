#include "MessageBoxes.h"

#include <QApplication>
#include <QMessageBox>

namespace tillscribe {
namespace {

class QtMessageBoxes final : public MessageBoxes {
public:
    MsgResult Show(MsgKind kind, const QString &text, MsgButtons buttons) override
    {
        QMessageBox box(QApplication::activeWindow());
        switch (kind) {
        case MsgKind::Information:
            box.setIcon(QMessageBox::Information);
            box.setWindowTitle(QStringLiteral("Information"));
            break;
        case MsgKind::Warning:
            box.setIcon(QMessageBox::Warning);
            box.setWindowTitle(QStringLiteral("Warning"));
            break;
        case MsgKind::Error:
            box.setIcon(QMessageBox::Critical);
            box.setWindowTitle(QStringLiteral("Error"));
            break;
        case MsgKind::Confirmation:
            box.setIcon(QMessageBox::Question);
            box.setWindowTitle(QStringLiteral("Confirm"));
            break;
        }
        box.setText(text);
        if (buttons == MsgButtons::YesNo) {
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            return box.exec() == QMessageBox::Yes ? MsgResult::Yes : MsgResult::No;
        }
        box.setStandardButtons(QMessageBox::Ok);
        box.exec();
        return MsgResult::Ok;
    }
};

QtMessageBoxes gQtBoxes;
MessageBoxes *gBoxes = &gQtBoxes;

} // namespace

MsgResult ShowMessage(MsgKind kind, const QString &text, MsgButtons buttons)
{
    return gBoxes->Show(kind, text, buttons);
}

void SetMessageBoxes(MessageBoxes *boxes)
{
    gBoxes = boxes ? boxes : &gQtBoxes;
}

} // namespace tillscribe
