// The window of Find All's hits: jump the viewer to any of them, preview and
// print the list. Modeless, owned by the viewer (gone with it); several may
// be open at once.
#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class QWidget;

namespace tillscribe {

class TfrmTillscribeSearchResults : public QDialog {
    Q_OBJECT
public:
    // Shows itself.
    TfrmTillscribeSearchResults(QWidget *owner, const QStringList &entries, const QString &searchText,
                                const QString &fileName);

    void btnGoToClick();
    void btnPrintClick();
    void btnCloseClick();
    void FormResize();

    QString FSearchText;
    bool FPreviewOpen = false;

    QLabel *lblTitle = nullptr;
    QWidget *pnlBottom = nullptr;
    QLabel *lblLeft = nullptr;
    QLabel *lblRight = nullptr;
    QListWidget *lstResults = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnGoTo = nullptr;
    QPushButton *btnClose = nullptr;

protected:
    void closeEvent(QCloseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    QStringList Entries() const;
};

} // namespace tillscribe
