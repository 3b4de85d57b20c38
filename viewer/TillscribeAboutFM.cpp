#include "TillscribeAboutFM.h"

#include "Application.h"
#include "FormFont.h"
#include "ShellOpen.h"
#include "Version.h"

#include <QFrame>
#include <QLinearGradient>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QScreen>

namespace tillscribe {

TfrmTillscribeAbout *frmTillscribeAbout = nullptr;

LinkLabel::LinkLabel(const QString &text, const QString &hint, QWidget *parent) : QLabel(text, parent)
{
    QFont underlined = font();
    underlined.setUnderline(true);
    setFont(underlined);
    setStyleSheet(QStringLiteral("color: blue"));
    setCursor(Qt::PointingHandCursor);
    setToolTip(hint);
}

void LinkLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
    QLabel::mouseReleaseEvent(event);
}

QImage MakerLogo()
{
    QImage logo(300, 60, QImage::Format_RGB32);
    QPainter painter(&logo);
    QLinearGradient sky(0, 0, 300, 0);
    sky.setColorAt(0, QColor(0, 0, 128));
    sky.setColorAt(1, QColor(128, 128, 255));
    painter.fillRect(logo.rect(), sky);
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(28);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(logo.rect(), Qt::AlignCenter, QStringLiteral("VELDRAN SYSTEMS"));
    painter.end();
    return logo.convertToFormat(QImage::Format_Indexed8, Qt::DiffuseDither);
}

QImage ProgramPicture()
{
    QImage picture(32, 32, QImage::Format_RGB888);
    picture.fill(QColor(0xC0, 0xC0, 0xC0));
    QPainter painter(&picture);
    // A till receipt curling out of a register.
    painter.fillRect(4, 18, 24, 12, QColor(128, 0, 0));
    painter.fillRect(9, 2, 14, 18, Qt::white);
    painter.setPen(QColor(64, 64, 64));
    for (int y = 5; y < 17; y += 3)
        painter.drawLine(11, y, 20, y);
    painter.fillRect(7, 22, 18, 3, QColor(255, 220, 0));
    return picture;
}

TfrmTillscribeAbout::TfrmTillscribeAbout(QWidget *parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(QStringLiteral("TILLSCRIBE About"));
    setFont(FormFont());
    setFixedSize(443, 354);

    const auto label = [this](const QString &text, int left, int top) {
        auto *l = new QLabel(text, this);
        l->move(left, top);
        l->setStyleSheet(QStringLiteral("color: black"));
        l->adjustSize();
        return l;
    };
    const auto link = [this](const QString &text, const QString &hint, int left, int top,
                             void (TfrmTillscribeAbout::*handler)()) {
        auto *l = new LinkLabel(text, hint, this);
        l->move(left, top);
        l->adjustSize();
        connect(l, &LinkLabel::clicked, this, Guarded(this, handler));
        return l;
    };
    const auto divider = [this](int top) {
        auto *line = new QFrame(this);
        line->setFrameShape(QFrame::HLine);
        line->setFrameShadow(QFrame::Sunken);
        line->setGeometry(72, top, 329, 2);
        return line;
    };

    imgVeldran = new QLabel(this);
    imgVeldran->setGeometry(69, 8, 305, 65);
    imgVeldran->setAlignment(Qt::AlignCenter);
    imgVeldran->setPixmap(QPixmap::fromImage(MakerLogo()));
    imgTillscribe = new QLabel(this);
    imgTillscribe->setGeometry(24, 84, 33, 33);
    imgTillscribe->setPixmap(QPixmap::fromImage(ProgramPicture()));

    lblProduct = label(QStringLiteral("TILLSCRIBE"), 72, 80);
    lblProduct->setFont(FormFont(16, true));
    lblProduct->adjustSize();
    lblVersion = label(QStringLiteral("Version: "), 72, 104);
    lblVersion->setFont(FormFont(13, true));
    lblCopyright = label(QStringLiteral("Copyright \u00a9 2026 Veldran Systems"), 72, 128);
    pnlDivider1 = divider(152);
    lblVeldran = label(QStringLiteral("VELDRAN SYSTEMS"), 72, 168);
    lblAddress = label(QStringLiteral("100 Example Street"), 72, 184);
    lblCity = label(QStringLiteral("Springfield, ST 00000"), 72, 200);
    lblWebSite = link(QString::fromLatin1(kWebSite), QStringLiteral("Click to open Veldran's web site"), 72, 216,
                      &TfrmTillscribeAbout::lblWebSiteClick);
    lblVoice = label(QStringLiteral("Voice:"), 248, 168);
    lblVoiceNum = label(QStringLiteral("(555) 555-0100"), 296, 168);
    lblFax = label(QStringLiteral("Fax:"), 248, 184);
    lblFaxNum = label(QStringLiteral("(555) 555-0101"), 296, 184);
    lblSales = label(QStringLiteral("Sales:"), 248, 200);
    lblSalesAddress = link(QString::fromLatin1(kSalesAddress), QStringLiteral("Click to email sales"), 296, 200,
                           &TfrmTillscribeAbout::lblSalesAddressClick);
    lblSupport = label(QStringLiteral("Support:"), 248, 216);
    lblSupportAddress = link(QString::fromLatin1(kSupportAddress), QStringLiteral("Click to email support"), 296,
                             216, &TfrmTillscribeAbout::lblSupportAddressClick);
    pnlDivider2 = divider(271);

    btnClose = new QPushButton(QStringLiteral("&Close"), this);
    btnClose->setGeometry(320, 320, 113, 25);
    btnClose->setDefault(true);
    btnClose->setFocus();
    connect(btnClose, &QPushButton::clicked, this, Guarded(this, &TfrmTillscribeAbout::btnCloseClick));
    FormCreate();
}

void TfrmTillscribeAbout::FormCreate()
{
    lblVersion->setText(QStringLiteral("Version: ") + QString::fromLatin1(kFileVersion));
    lblVersion->adjustSize();
}

void TfrmTillscribeAbout::lblWebSiteClick()
{
    ShellOpen(QString::fromLatin1(kWebSite));
}

void TfrmTillscribeAbout::lblSupportAddressClick()
{
    ShellOpen(QStringLiteral("mailto:") + QString::fromLatin1(kSupportAddress));
}

void TfrmTillscribeAbout::lblSalesAddressClick()
{
    ShellOpen(QStringLiteral("mailto:") + QString::fromLatin1(kSalesAddress));
}

void TfrmTillscribeAbout::btnCloseClick()
{
    close();
}

void ShowAboutWindow(QWidget *parent)
{
    frmTillscribeAbout = new TfrmTillscribeAbout(parent);
    if (const QScreen *screen = frmTillscribeAbout->screen())
        frmTillscribeAbout->move(screen->availableGeometry().center() - frmTillscribeAbout->rect().center());
    frmTillscribeAbout->exec();
    delete frmTillscribeAbout;
    frmTillscribeAbout = nullptr;
}

} // namespace tillscribe
