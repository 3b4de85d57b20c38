// The log viewer: reads a file, finds text in it three ways, copies, saves
// under another name and prints it. Modal toward the capture station, which
// goes on capturing meanwhile; it never writes the file it shows.
#pragma once

#include <QDialog>

#include <functional>
#include <optional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;

namespace tillscribe {

// The printer and copies chosen in the print dialog.
struct PrintChoice {
    QString printer;
    int copies = 1;
};

// What the viewer reaches outside itself; tests replace parts of it.
struct ViewLogsServices {
    std::function<QString()> chooseFileToOpen;   // dlgOpen; empty when cancelled
    std::function<QString()> chooseFileToSave;   // dlgSave; empty when cancelled
    std::function<std::optional<PrintChoice>()> choosePrinter; // PrintDialog1
    std::function<bool(const PrintChoice &, const QString &file)> printFile;
};

class TfrmTillscribeViewLogs : public QDialog {
    Q_OBJECT
public:
    static constexpr int kCaptionPrefixLength = 25;

    explicit TfrmTillscribeViewLogs(QWidget *parent = nullptr, ViewLogsServices services = {});
    ~TfrmTillscribeViewLogs() override;

    void FormCreate();
    void FormResize();
    void edtSearchChange();
    void btnSearchClick();
    void btnAgainClick();
    void btnFindAllClick();
    void btnPrintClick();
    void btnCloseClick();
    void New1Click();
    void mnuFileOpenClick();
    void SaveAs1Click();
    void Copy1Click();
    void SelectAll1Click();
    void Contents1Click();
    void About1Click();

    // The text as the viewer holds it (line breaks as "\n").
    const QString &Text() const { return text_; }
    QString FLogFile;

    QFrame *pnlTop = nullptr;
    QFrame *pnlSeperator = nullptr;
    QWidget *pnlRight = nullptr;
    QLabel *lblLeft = nullptr;
    QLabel *lblBottom = nullptr;
    QLabel *lblFind = nullptr;
    QLineEdit *edtSearch = nullptr;
    QPushButton *btnSearch = nullptr;
    QPushButton *btnAgain = nullptr;
    QPushButton *btnFindAll = nullptr;
    QPushButton *btnPrint = nullptr;
    QPushButton *btnClose = nullptr;
    QPlainTextEdit *memLog = nullptr;
    QAction *New1 = nullptr;
    QAction *mnuFileOpen = nullptr;
    QAction *SaveAs1 = nullptr;
    QAction *mnuFilePrint = nullptr;
    QAction *mnuFileClose = nullptr;
    QAction *Copy1 = nullptr;
    QAction *mnuFindFindFirst = nullptr;
    QAction *mnuFindFindAgain = nullptr;
    QAction *FindAll1 = nullptr;
    QAction *SelectAll1 = nullptr;
    QAction *Contents1 = nullptr;
    QAction *About1 = nullptr;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void CreateControls();
    void CreateMenus();
    void SetText(const QString &text);
    void SetCurrentFile(const QString &path);
    void Select(qsizetype start, qsizetype length);
    void SetCursors(bool busy);
    void MakeDefault(QPushButton *button);

    ViewLogsServices services_;
    QString text_;
};

// The viewer while it is open; null otherwise.
extern TfrmTillscribeViewLogs *frmTillscribeViewLogs;

// The argument vector that prints a file on a CUPS printer: no shell.
QStringList PrintCommand(const PrintChoice &choice, const QString &file);

} // namespace tillscribe
