// The installer's own first page, "TILLSCRIBE INSTALL": the maker presents
// the product. "< Previous" is hidden on it and "Next >" takes the focus.
#pragma once

#include <QWidget>

class QLabel;

namespace tillscribe {

class TfrmBeforeInstallDialog : public QWidget {
    Q_OBJECT
public:
    explicit TfrmBeforeInstallDialog(QWidget *parent = nullptr);

    QLabel *Label1 = nullptr;
    QLabel *lblcstmDialog2 = nullptr;
};

} // namespace tillscribe
