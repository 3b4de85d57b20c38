// The programs' open and save dialogs: any name may be typed (a file that
// does not exist included), and the programs ask about replacing a file
// themselves. Empty when the user cancels.
#pragma once

#include <QFileDialog>
#include <QString>
#include <QStringList>

namespace tillscribe {

inline QString ChooseFile(QWidget *parent, QFileDialog::AcceptMode mode, const QStringList &filters,
                          const QString &defaultSuffix = {})
{
    QFileDialog dialog(parent);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setNameFilters(filters);
    dialog.setDefaultSuffix(defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace tillscribe
