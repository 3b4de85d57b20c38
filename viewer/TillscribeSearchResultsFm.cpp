#include "TillscribeSearchResultsFm.h"

#include "Application.h"
#include "FormFont.h"
#include "MessageBoxes.h"
#include "TillscribeSearchResultsRpt.h"
#include "TillscribeViewLogsFm.h"

#include <QAction>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextBlock>

namespace tillscribe {

TfrmTillscribeSearchResults::TfrmTillscribeSearchResults(QWidget *owner, const QStringList &entries,
                                                         const QString &searchText, const QString &fileName)
    : QDialog(owner, Qt::Window)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Search Results"));
    setFont(FormFont());
    resize(545, 340);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    lblTitle = new QLabel(this);
    lblTitle->setFixedHeight(41);
    lblTitle->setAlignment(Qt::AlignCenter);
    lblTitle->setFont(FormFont(16, true));
    lblLeft = new QLabel(this);
    lblLeft->setFixedWidth(12);
    lblRight = new QLabel(this);
    lblRight->setFixedWidth(12);
    lstResults = new QListWidget(this);
    lstResults->setSelectionMode(QAbstractItemView::SingleSelection);
    pnlBottom = new QWidget(this);
    pnlBottom->setFixedHeight(41);
    grid->addWidget(lblTitle, 0, 0, 1, 3);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(lstResults, 1, 1);
    grid->addWidget(lblRight, 1, 2);
    grid->addWidget(pnlBottom, 2, 0, 1, 3);

    const auto button = [this](const QString &caption, void (TfrmTillscribeSearchResults::*handler)()) {
        auto *b = new QPushButton(caption, pnlBottom);
        b->setGeometry(0, 8, 75, 25);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, Guarded(this, handler));
        return b;
    };
    btnPrint = button(QStringLiteral("Print &Preview"), &TfrmTillscribeSearchResults::btnPrintClick);
    btnGoTo = button(QStringLiteral("&Go To Line"), &TfrmTillscribeSearchResults::btnGoToClick);
    btnClose = button(QStringLiteral("&Close"), &TfrmTillscribeSearchResults::btnCloseClick);
    btnGoTo->setDefault(true);
    connect(lstResults, &QListWidget::itemDoubleClicked, this,
            Guarded(this, &TfrmTillscribeSearchResults::btnGoToClick));
    QWidget::setTabOrder(lstResults, btnPrint);
    QWidget::setTabOrder(btnPrint, btnGoTo);
    QWidget::setTabOrder(btnGoTo, btnClose);

    // The hidden "Shortcuts" menu: only its keys.
    auto *printPreview = new QAction(QStringLiteral("Print Preview"), this);
    printPreview->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
    connect(printPreview, &QAction::triggered, this, Guarded(this, &TfrmTillscribeSearchResults::btnPrintClick));
    addAction(printPreview);

    lstResults->addItems(entries);
    if (lstResults->count() > 0)
        lstResults->setCurrentRow(0);
    FSearchText = searchText;
    lblTitle->setText(QStringLiteral("Search Results - ") + fileName);
    FPreviewOpen = false;
    lstResults->setFocus();
    show();
}

QStringList TfrmTillscribeSearchResults::Entries() const
{
    QStringList entries;
    for (int i = 0; i < lstResults->count(); ++i)
        entries << lstResults->item(i)->text();
    return entries;
}

void TfrmTillscribeSearchResults::btnGoToClick()
{
    TfrmTillscribeViewLogs *viewer = frmTillscribeViewLogs;
    if (!viewer || !lstResults->currentItem())
        return;
    const QString entry = lstResults->currentItem()->text();
    const int line = entry.left(entry.indexOf(QLatin1Char(' '))).toInt();
    const QTextBlock block = viewer->memLog->document()->findBlockByNumber(line);
    if (block.isValid()) {
        QTextCursor cursor = viewer->memLog->textCursor();
        cursor.setPosition(block.position());
        viewer->memLog->setTextCursor(cursor);
        viewer->memLog->ensureCursorVisible();
    }
    const QString remembered = viewer->edtSearch->text();
    viewer->edtSearch->setText(FSearchText);
    viewer->btnAgainClick();
    viewer->edtSearch->setText(remembered);
    viewer->raise();
    viewer->activateWindow();
}

void TfrmTillscribeSearchResults::btnPrintClick()
{
    if (FPreviewOpen)
        return;
    FPreviewOpen = true;
    const QStringList entries = Entries();
    {
        TqrTillscribeSearchResultsRpt report(this, lblTitle->text(), entries);
        report.Preview();
    }
    FPreviewOpen = false;
}

void TfrmTillscribeSearchResults::btnCloseClick()
{
    close();
}

void TfrmTillscribeSearchResults::closeEvent(QCloseEvent *event)
{
    if (FPreviewOpen) {
        event->ignore();
        ShowMessage(MsgKind::Warning, QStringLiteral("Must close Print Preview First"));
        return;
    }
    event->accept();
}

void TfrmTillscribeSearchResults::FormResize()
{
    const int w = frameGeometry().width();
    btnGoTo->move((w - btnGoTo->width()) / 2, 8);
    btnPrint->move(w / 2 - 150, 8);
    btnClose->move(w / 2 + 75, 8);
}

void TfrmTillscribeSearchResults::resizeEvent(QResizeEvent *event)
{
    QDialog::resizeEvent(event);
    RunGuarded([this] { FormResize(); });
}

} // namespace tillscribe
