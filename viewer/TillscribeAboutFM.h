// The about window: the program, its version from the build's version block,
// and the maker's contact details with three links.
#pragma once

#include <QDialog>
#include <QLabel>

class QFrame;
class QPushButton;

namespace tillscribe {

// A label drawn as a link: blue, underlined, the hand cursor, a tooltip.
class LinkLabel : public QLabel {
    Q_OBJECT
public:
    LinkLabel(const QString &text, const QString &hint, QWidget *parent);
signals:
    void clicked();

protected:
    void mouseReleaseEvent(QMouseEvent *event) override;
};

class TfrmTillscribeAbout : public QDialog {
    Q_OBJECT
public:
    // The maker's values: placeholders of the right form.
    static constexpr const char *kWebSite = "https://www.example.com/";
    static constexpr const char *kSalesAddress = "sales@example.com";
    static constexpr const char *kSupportAddress = "support@example.com";

    explicit TfrmTillscribeAbout(QWidget *parent = nullptr);

    void FormCreate();
    void lblWebSiteClick();
    void lblSupportAddressClick();
    void lblSalesAddressClick();
    void btnCloseClick();

    QLabel *imgVeldran = nullptr;
    QLabel *imgTillscribe = nullptr;
    QLabel *lblProduct = nullptr;
    QLabel *lblVersion = nullptr;
    QLabel *lblCopyright = nullptr;
    QFrame *pnlDivider1 = nullptr;
    QLabel *lblVeldran = nullptr;
    QLabel *lblAddress = nullptr;
    QLabel *lblCity = nullptr;
    LinkLabel *lblWebSite = nullptr;
    QLabel *lblVoice = nullptr;
    QLabel *lblVoiceNum = nullptr;
    QLabel *lblFax = nullptr;
    QLabel *lblFaxNum = nullptr;
    QLabel *lblSales = nullptr;
    LinkLabel *lblSalesAddress = nullptr;
    QLabel *lblSupport = nullptr;
    LinkLabel *lblSupportAddress = nullptr;
    QFrame *pnlDivider2 = nullptr;
    QPushButton *btnClose = nullptr;
};

// The about window while it is open; null otherwise.
extern TfrmTillscribeAbout *frmTillscribeAbout;

// Creates the about window, shows it modally and frees it.
void ShowAboutWindow(QWidget *parent);

// The two pictures, drawn here: the maker's logo (300 by 60, 256 colours)
// and the program's picture (32 by 32, 24-bit colour).
QImage MakerLogo();
QImage ProgramPicture();

} // namespace tillscribe
