// Tillsetup's windows: the maximised backdrop window and, over it, the page
// window that leads through the installation.
//
//   TfrmVSixInstall window(options);    // "VELDRAN SYSTEMS PRESENTS"
//   window.showMaximized();
//   int status = window.Run();          // the pages, the copy, the end page
//
// Pages in order: "TILLSCRIBE INSTALL" (our own), "Welcome", "Software
// license agreement", "Readme information", "Setup type" (full only, with
// the destination), "Select folder in start menu"; then "Copying
// installation files" while the advertising panel shows; then "Setup
// complete" or "Setup incomplete". The components page is passed over: there
// is one install type. Cancel before the copy copies and renames nothing.
#pragma once

#include "Installation.h"

#include <QDialog>
#include <QImage>
#include <QWidget>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QStackedWidget;

namespace tillscribe {

class InstallPages : public QDialog {
    Q_OBJECT
public:
    enum Page { Custom, Welcome, License, Readme, SetupType, Components, StartMenuFolder, Copying,
                Complete, Incomplete };

    explicit InstallPages(const InstallOptions &options, QWidget *parent = nullptr);

    Page CurrentPage() const { return page_; }
    const InstallResult &Result() const { return result_; }

    void ProceedBtnClick();
    void BackBtnClick();
    void CancelBtnClick();

    QPushButton *BackBtn = nullptr;
    QPushButton *ProceedBtn = nullptr;
    QPushButton *CancelBtn = nullptr;
    QPlainTextEdit *memLicense = nullptr;
    QPlainTextEdit *memReadme = nullptr;
    QLineEdit *edtDestination = nullptr;
    QLineEdit *edtMenuFolder = nullptr;
    QProgressBar *barProgress = nullptr;

signals:
    void CopyProgress(int percent);
    void CopyStarted();
    void CopyFinished();

protected:
    void showEvent(QShowEvent *event) override;
    void reject() override;

private:
    void Show(Page page);
    void RunCopy();

    InstallOptions options_;
    InstallResult result_;
    QStackedWidget *pages_ = nullptr;
    Page page_ = Custom;
    bool cancelRequested_ = false;
};

class TfrmVSixInstall : public QWidget {
    Q_OBJECT
public:
    explicit TfrmVSixInstall(const InstallOptions &options);

    // The pages over this window; 0 for a complete installation.
    int Run();

    QLabel *ProductLabel = nullptr;
    QLabel *AdvertisePanel = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    InstallOptions options_;
};

// The pictures, drawn here: the pages' theme (117 by 290) and the two
// advertising pictures (400 by 270, 402 by 268), all 24-bit.
QImage ThemePicture();
QImage AdvertisePicture(int page);

} // namespace tillscribe
