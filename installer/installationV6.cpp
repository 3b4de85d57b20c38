#include "installationV6.h"

#include "FormFont.h"
#include "cstmDialog.h"

#include <QApplication>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLinearGradient>
#include <QPainter>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStackedWidget>
#include <QVBoxLayout>

namespace tillscribe {
namespace {

const char *const kWebAddress = "https://www.example.com/";

const char *const kCaptions[] = {
    "TILLSCRIBE INSTALL", "Welcome", "Software license agreement", "Readme information", "Setup type",
    "Select components to install", "Select folder in start menu", "Copying installation files",
    "Setup complete", "Setup incomplete",
};

QWidget *TextPage(const QString &text)
{
    auto *label = new QLabel(text);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setMargin(8);
    return label;
}

QPlainTextEdit *LinesPage(const QStringList &lines)
{
    auto *text = new QPlainTextEdit;
    text->setReadOnly(true);
    text->setPlainText(lines.join(QLatin1Char('\n')));
    return text;
}

} // namespace

QImage ThemePicture()
{
    QImage picture(117, 290, QImage::Format_RGB888);
    QPainter painter(&picture);
    QLinearGradient fade(0, 0, 0, 290);
    fade.setColorAt(0, QColor(128, 128, 255));
    fade.setColorAt(1, QColor(0, 0, 64));
    painter.fillRect(picture.rect(), fade);
    painter.setPen(Qt::white);
    painter.translate(80, 270);
    painter.rotate(-90);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(26);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(0, 0, QStringLiteral("TILLSCRIBE"));
    return picture;
}

QImage AdvertisePicture(int page)
{
    const QSize size = page == 0 ? QSize(400, 270) : QSize(402, 268);
    QImage picture(size, QImage::Format_RGB888);
    QPainter painter(&picture);
    painter.fillRect(picture.rect(), page == 0 ? QColor(0, 0, 128) : QColor(128, 0, 0));
    painter.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(24);
    font.setBold(true);
    painter.setFont(font);
    painter.drawText(picture.rect(), Qt::AlignCenter | Qt::TextWordWrap,
                     page == 0 ? QStringLiteral("Every journal line kept,\nexactly as printed")
                               : QStringLiteral("Find any sale\nin seconds"));
    return picture;
}

InstallPages::InstallPages(const InstallOptions &options, QWidget *parent)
    : QDialog(parent), options_(options)
{
    setFont(FormFont());
    setFixedSize(478, 395);
    auto *theme = new QLabel(this);
    theme->setFixedWidth(136);
    theme->setAlignment(Qt::AlignCenter);
    theme->setPixmap(QPixmap::fromImage(ThemePicture()));

    pages_ = new QStackedWidget(this);
    pages_->addWidget(new TfrmBeforeInstallDialog);
    pages_->addWidget(TextPage(QStringLiteral(
        "Welcome to the TILLSCRIBE setup program. This program will install TILLSCRIBE on your "
        "computer.\n\nClick Next to continue, or Cancel to leave setup.")));
    memLicense = LinesPage({QStringLiteral("      "), " ", " ", " ", " ", " ", " ", " ", " ", " ", " ", "",
                                 "", QString(27, ' ') + kWebAddress});
    pages_->addWidget(memLicense);
    memReadme = LinesPage({QStringLiteral("     For clarification on using the capture package "),
                                 QStringLiteral("please consult the owner's manual.  There is also a "),
                                 QStringLiteral("download available on our web site:"), "",
                                 QString(24, ' ') + kWebAddress});
    pages_->addWidget(memReadme);
    auto *setupType = new QWidget;
    auto *full = new QRadioButton(QStringLiteral("Full installation"), setupType);
    full->setChecked(true);
    edtDestination = new QLineEdit(QString::fromStdString(options_.destination), setupType);
    auto *typeLayout = new QVBoxLayout(setupType);
    typeLayout->addWidget(full);
    typeLayout->addWidget(new QLabel(QStringLiteral("Destination folder:")));
    typeLayout->addWidget(edtDestination);
    typeLayout->addStretch();
    pages_->addWidget(setupType);
    pages_->addWidget(TextPage(QStringLiteral("All components are installed.")));
    auto *folderPage = new QWidget;
    edtMenuFolder = new QLineEdit(QString::fromStdString(options_.menuFolder), folderPage);
    auto *folderLayout = new QVBoxLayout(folderPage);
    folderLayout->addWidget(new QLabel(QStringLiteral("Folder in the start menu:")));
    folderLayout->addWidget(edtMenuFolder);
    folderLayout->addStretch();
    pages_->addWidget(folderPage);
    auto *copyPage = new QWidget;
    barProgress = new QProgressBar(copyPage);
    auto *copyLayout = new QVBoxLayout(copyPage);
    copyLayout->addWidget(new QLabel(QStringLiteral("Copying installation files...")));
    copyLayout->addWidget(barProgress);
    copyLayout->addStretch();
    pages_->addWidget(copyPage);
    pages_->addWidget(TextPage(QStringLiteral("TILLSCRIBE has been installed. Click Finish to leave setup.")));
    pages_->addWidget(TextPage(QStringLiteral(
        "TILLSCRIBE was not installed completely. Click Finish to leave setup.")));

    auto *bottom = new QWidget(this);
    bottom->setFixedHeight(52);
    auto *bevel = new QFrame(bottom);
    bevel->setFrameShape(QFrame::HLine);
    bevel->setFrameShadow(QFrame::Sunken);
    bevel->setGeometry(0, 0, 478, 2);
    BackBtn = new QPushButton(QStringLiteral("< Previous"), bottom);
    BackBtn->setGeometry(478 - 89 - 75 - 75 - 24, 10, 75, 33);
    ProceedBtn = new QPushButton(QStringLiteral("Next >"), bottom);
    ProceedBtn->setGeometry(478 - 89 - 75 - 16, 10, 75, 33);
    ProceedBtn->setDefault(true);
    CancelBtn = new QPushButton(QStringLiteral("Cancel"), bottom);
    CancelBtn->setGeometry(478 - 89 - 8, 10, 89, 33);
    connect(BackBtn, &QPushButton::clicked, this, &InstallPages::BackBtnClick);
    connect(ProceedBtn, &QPushButton::clicked, this, &InstallPages::ProceedBtnClick);
    connect(CancelBtn, &QPushButton::clicked, this, &InstallPages::CancelBtnClick);

    auto *middle = new QHBoxLayout;
    middle->setContentsMargins(0, 0, 0, 0);
    middle->addWidget(theme);
    middle->addWidget(pages_);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addLayout(middle);
    layout->addWidget(bottom);
    Show(Custom);
}

void InstallPages::showEvent(QShowEvent *event)
{
    QDialog::showEvent(event);
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    if (ProceedBtn->isVisible())
        ProceedBtn->setFocus();
}

void InstallPages::Show(Page page)
{
    page_ = page;
    pages_->setCurrentIndex(page);
    setWindowTitle(QString::fromLatin1(kCaptions[page]));
    const bool finished = page == Complete || page == Incomplete;
    // "< Previous" only when there is an earlier page to go back to.
    BackBtn->setVisible(page > Custom && page < Copying);
    CancelBtn->setVisible(!finished);
    ProceedBtn->setText(finished ? QStringLiteral("Finish") : QStringLiteral("Next >"));
    ProceedBtn->setEnabled(page != Copying);
    if (ProceedBtn->isVisible())
        ProceedBtn->setFocus();
}

void InstallPages::ProceedBtnClick()
{
    switch (page_) {
    case SetupType:
        Show(StartMenuFolder); // one install type: the components page is passed over
        break;
    case StartMenuFolder:
        RunCopy();
        break;
    case Complete:
    case Incomplete:
        accept();
        break;
    case Copying:
        break;
    default:
        Show(static_cast<Page>(page_ + 1));
        break;
    }
}

void InstallPages::BackBtnClick()
{
    if (page_ == StartMenuFolder)
        Show(SetupType);
    else if (page_ > Custom && page_ < Copying)
        Show(static_cast<Page>(page_ - 1));
}

void InstallPages::CancelBtnClick()
{
    if (page_ == Copying) {
        cancelRequested_ = true; // the copy stops at its next block
        return;
    }
    if (page_ < Copying)
        Show(Incomplete); // nothing copied, nothing renamed
}

void InstallPages::reject()
{
    CancelBtnClick();
}

void InstallPages::RunCopy()
{
    options_.destination = edtDestination->text().toStdString();
    options_.menuFolder = edtMenuFolder->text().trimmed().isEmpty() ? std::string(kDefaultMenuFolder)
                                                                    : edtMenuFolder->text().toStdString();
    Show(Copying);
    emit CopyStarted();
    result_ = Install(options_, [this](std::uint64_t done, std::uint64_t total) {
        const int percent = total ? static_cast<int>(done * 100 / total) : 100;
        barProgress->setValue(percent);
        emit CopyProgress(percent);
        QApplication::processEvents();
        return !cancelRequested_;
    });
    emit CopyFinished();
    Show(result_.complete ? Complete : Incomplete);
}

TfrmVSixInstall::TfrmVSixInstall(const InstallOptions &options) : options_(options)
{
    setWindowTitle(QStringLiteral("VELDRAN SYSTEMS PRESENTS"));
    setFont(FormFont());
    resize(696, 485);
    ProductLabel = new QLabel(QStringLiteral("TILLSCRIBE FOR VIVUDIV"), this);
    QFont product(QStringLiteral("Arial"));
    product.setPixelSize(27);
    product.setBold(true);
    ProductLabel->setFont(product);
    ProductLabel->setStyleSheet(QStringLiteral("color: black; background: transparent"));
    ProductLabel->setAlignment(Qt::AlignCenter);
    AdvertisePanel = new QLabel(this);
    AdvertisePanel->setFixedSize(400, 270);
    AdvertisePanel->setScaledContents(true);
    AdvertisePanel->hide();
}

void TfrmVSixInstall::paintEvent(QPaintEvent *)
{
    // From RGB 128,128,255 at the bottom up to black.
    QPainter painter(this);
    QLinearGradient backdrop(0, height(), 0, 0);
    backdrop.setColorAt(0, QColor(128, 128, 255));
    backdrop.setColorAt(1, Qt::black);
    painter.fillRect(rect(), backdrop);
    ProductLabel->setGeometry(0, 0, width(), 65);
}

int TfrmVSixInstall::Run()
{
    InstallPages pages(options_, this);
    connect(&pages, &InstallPages::CopyStarted, this, [this] {
        AdvertisePanel->setPixmap(QPixmap::fromImage(AdvertisePicture(0)));
        AdvertisePanel->move(width() / 2 - AdvertisePanel->width() / 2,
                             height() * 35 / 100 - AdvertisePanel->height() / 2);
        AdvertisePanel->show();
    });
    connect(&pages, &InstallPages::CopyProgress, this, [this](int percent) {
        if (percent >= 50)
            AdvertisePanel->setPixmap(QPixmap::fromImage(AdvertisePicture(1)));
    });
    connect(&pages, &InstallPages::CopyFinished, this, [this] { AdvertisePanel->hide(); });
    pages.exec();
    return pages.Result().complete ? 0 : 1;
}

} // namespace tillscribe
