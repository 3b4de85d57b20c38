#include "TillscribeViewLogsFm.h"

#include "Application.h"
#include "FormFont.h"
#include "FileDialogs.h"
#include "FileShare.h"
#include "Help.h"
#include "TillscribeAboutFM.h"
#include "LogText.h"
#include "MessageBoxes.h"
#include "SearchResultsSink.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tillscribe {

TfrmTillscribeViewLogs *frmTillscribeViewLogs = nullptr;

namespace {

const QString kCaptionPrefix = QStringLiteral("TILLSCRIBE - View Logs - ");
const QString kNoFile = QStringLiteral("No File Selected");

std::optional<PrintChoice> RunPrintDialog(QWidget *parent)
{
    QPrinter printer;
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return PrintChoice{printer.printerName(), printer.copyCount()};
}

// Control codes are drawn as their pictures; one character stays one.
QString Displayed(const QString &text)
{
    QString shown = text;
    for (QChar &c : shown)
        if (c.unicode() < 0x20 && c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            c = QChar(static_cast<char16_t>(0x2400 + c.unicode()));
    return shown;
}

// Reads a whole file that nobody else has open; false when it cannot.
bool ReadUnshared(const QString &path, QByteArray &bytes)
{
    SharedOpenResult opened =
        OpenShared(path.toStdString(), O_RDONLY, kAccessRead, kShareNone);
    if (!opened.fd)
        return false;
    char buffer[65536];
    for (;;) {
        const ssize_t n = ::read(opened.fd.get(), buffer, sizeof buffer);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            return true;
        bytes.append(buffer, n);
        if (bytes.size() > kLogFileSizeLimit)
            return false; // grew past the limit since it was measured
    }
}

bool WriteUnshared(const QString &path, const QByteArray &bytes)
{
    SharedOpenResult created = OpenShared(path.toStdString(), O_WRONLY | O_CREAT | O_TRUNC,
                                          kAccessWrite, kShareNone);
    if (!created.fd)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(created.fd.get(), bytes.constData() + done,
                                  static_cast<size_t>(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        done += n;
    }
    return true;
}

} // namespace

QStringList PrintCommand(const PrintChoice &choice, const QString &file)
{
    QStringList arguments;
    if (!choice.printer.isEmpty())
        arguments << QStringLiteral("-d") << choice.printer;
    arguments << QStringLiteral("-n") << QString::number(qMax(1, choice.copies))
              << QStringLiteral("--") << file;
    return arguments;
}

TfrmTillscribeViewLogs::TfrmTillscribeViewLogs(QWidget *parent, ViewLogsServices services)
    : QDialog(parent), services_(std::move(services))
{
    if (!services_.chooseFileToOpen)
        services_.chooseFileToOpen = [this] {
            return ChooseFile(this, QFileDialog::AcceptOpen,
                              {QStringLiteral("Text File (*.txt)"), QStringLiteral("All Files (*)")},
                              QStringLiteral("txt"));
        };
    if (!services_.chooseFileToSave)
        services_.chooseFileToSave = [this] {
            return ChooseFile(this, QFileDialog::AcceptSave,
                              {QStringLiteral("Text Files (*.txt)"), QStringLiteral("All Files (*)")},
                              QStringLiteral("txt"));
        };
    if (!services_.choosePrinter)
        services_.choosePrinter = [this] { return RunPrintDialog(this); };
    if (!services_.printFile)
        services_.printFile = [](const PrintChoice &choice, const QString &file) {
            return QProcess::startDetached(QStringLiteral("lp"), PrintCommand(choice, file));
        };
    CreateControls();
    CreateMenus();
    FormCreate();
}

TfrmTillscribeViewLogs::~TfrmTillscribeViewLogs() = default;

void TfrmTillscribeViewLogs::CreateControls()
{
    setWindowFlags(windowFlags() | Qt::WindowMinMaxButtonsHint);
    setFont(FormFont());
    resize(630, 411);

    auto *grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setSpacing(0);
    pnlTop = new QFrame(this);
    pnlTop->setFixedHeight(12);
    pnlSeperator = new QFrame(pnlTop);
    pnlSeperator->setFrameShape(QFrame::HLine);
    pnlSeperator->setFrameShadow(QFrame::Sunken);
    pnlSeperator->setGeometry(0, 0, 4000, 2);
    lblLeft = new QLabel(this);
    lblLeft->setFixedWidth(12);
    lblBottom = new QLabel(this);
    lblBottom->setFixedHeight(12);
    pnlRight = new QWidget(this);
    pnlRight->setFixedWidth(158);
    pnlRight->installEventFilter(this);

    memLog = new QPlainTextEdit(this);
    memLog->setReadOnly(true);
    memLog->setLineWrapMode(QPlainTextEdit::NoWrap);
    memLog->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLog->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    memLog->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    QFont courier(QStringLiteral("Courier"));
    courier.setStyleHint(QFont::TypeWriter);
    courier.setFixedPitch(true);
    courier.setPixelSize(11);
    memLog->setFont(courier);
    // The selection stays visible while the search box has the focus.
    QPalette palette = memLog->palette();
    palette.setColor(QPalette::Inactive, QPalette::Highlight,
                     palette.color(QPalette::Active, QPalette::Highlight));
    palette.setColor(QPalette::Inactive, QPalette::HighlightedText,
                     palette.color(QPalette::Active, QPalette::HighlightedText));
    memLog->setPalette(palette);

    grid->addWidget(pnlTop, 0, 0, 1, 3);
    grid->addWidget(lblLeft, 1, 0);
    grid->addWidget(memLog, 1, 1);
    grid->addWidget(pnlRight, 1, 2, 2, 1);
    grid->addWidget(lblBottom, 2, 0, 1, 2);

    lblFind = new QLabel(QStringLiteral("Text To Find:"), pnlRight);
    lblFind->setGeometry(10, 0, 138, 13);
    edtSearch = new QLineEdit(pnlRight);
    edtSearch->setGeometry(10, 16, 138, 21);
    edtSearch->setMaxLength(20);
    connect(edtSearch, &QLineEdit::textChanged, this,
            Guarded(this, &TfrmTillscribeViewLogs::edtSearchChange));

    const auto button = [this](const QString &caption, int top, void (TfrmTillscribeViewLogs::*handler)()) {
        auto *b = new QPushButton(caption, pnlRight);
        b->setGeometry(10, top, 138, 25);
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, Guarded(this, handler));
        return b;
    };
    btnSearch = button(QStringLiteral("&Find First"), 48, &TfrmTillscribeViewLogs::btnSearchClick);
    btnAgain = button(QStringLiteral("Find &Next"), 80, &TfrmTillscribeViewLogs::btnAgainClick);
    btnFindAll = button(QStringLiteral("Find &All"), 112, &TfrmTillscribeViewLogs::btnFindAllClick);
    btnPrint = button(QStringLiteral("&Print"), 300, &TfrmTillscribeViewLogs::btnPrintClick);
    btnClose = button(QStringLiteral("&Close"), 332, &TfrmTillscribeViewLogs::btnCloseClick);

    QWidget::setTabOrder(edtSearch, btnSearch);
    QWidget::setTabOrder(btnSearch, btnAgain);
    QWidget::setTabOrder(btnAgain, btnFindAll);
    QWidget::setTabOrder(btnFindAll, btnPrint);
    QWidget::setTabOrder(btnPrint, btnClose);
    QWidget::setTabOrder(btnClose, memLog);
    edtSearch->setFocus();
}

void TfrmTillscribeViewLogs::CreateMenus()
{
    auto *mnuView = new QMenuBar(this);
    layout()->setMenuBar(mnuView);
    const auto item = [this](QMenu *menu, const QString &caption, const QKeySequence &shortcut,
                             void (TfrmTillscribeViewLogs::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setShortcut(shortcut);
        // Registered on the window too, so the keys work whatever has the focus.
        action->setShortcutContext(Qt::WindowShortcut);
        addAction(action);
        connect(action, &QAction::triggered, this, Guarded(this, handler));
        return action;
    };
    QMenu *file = mnuView->addMenu(QStringLiteral("&File"));
    New1 = item(file, QStringLiteral("&New"), QKeySequence(Qt::CTRL | Qt::Key_N), &TfrmTillscribeViewLogs::New1Click);
    mnuFileOpen = item(file, QStringLiteral("&Open..."), QKeySequence(Qt::CTRL | Qt::Key_O),
                       &TfrmTillscribeViewLogs::mnuFileOpenClick);
    SaveAs1 = item(file, QStringLiteral("&Save As..."), QKeySequence(Qt::CTRL | Qt::Key_S),
                   &TfrmTillscribeViewLogs::SaveAs1Click);
    mnuFilePrint = item(file, QStringLiteral("&Print..."), QKeySequence(Qt::CTRL | Qt::Key_P),
                        &TfrmTillscribeViewLogs::btnPrintClick);
    mnuFileClose = item(file, QStringLiteral("&Close"), QKeySequence(), &TfrmTillscribeViewLogs::btnCloseClick);
    QMenu *edit = mnuView->addMenu(QStringLiteral("&Edit"));
    Copy1 = item(edit, QStringLiteral("&Copy"), QKeySequence(Qt::CTRL | Qt::Key_C), &TfrmTillscribeViewLogs::Copy1Click);
    mnuFindFindFirst = item(edit, QStringLiteral("&Find First"), QKeySequence(Qt::CTRL | Qt::Key_F),
                            &TfrmTillscribeViewLogs::btnSearchClick);
    mnuFindFindAgain = item(edit, QStringLiteral("Find &Next"), QKeySequence(Qt::Key_F3),
                            &TfrmTillscribeViewLogs::btnAgainClick);
    FindAll1 = item(edit, QStringLiteral("Find &All..."), QKeySequence(), &TfrmTillscribeViewLogs::btnFindAllClick);
    SelectAll1 = item(edit, QStringLiteral("&Select All"), QKeySequence(Qt::CTRL | Qt::Key_A),
                      &TfrmTillscribeViewLogs::SelectAll1Click);
    QMenu *help = mnuView->addMenu(QStringLiteral("&Help"));
    Contents1 = item(help, QStringLiteral("&Help Contents..."), QKeySequence(), &TfrmTillscribeViewLogs::Contents1Click);
    About1 = item(help, QStringLiteral("&About..."), QKeySequence(), &TfrmTillscribeViewLogs::About1Click);
}

void TfrmTillscribeViewLogs::FormCreate()
{
    FLogFile.clear();
    setWindowTitle(kCaptionPrefix + kNoFile);
    edtSearchChange();
}

void TfrmTillscribeViewLogs::FormResize()
{
    btnClose->move(10, pnlRight->height() - btnClose->height());
    btnPrint->move(10, pnlRight->height() - 57);
}

bool TfrmTillscribeViewLogs::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == pnlRight && event->type() == QEvent::Resize)
        RunGuarded([this] { FormResize(); });
    return QDialog::eventFilter(watched, event);
}

void TfrmTillscribeViewLogs::MakeDefault(QPushButton *button)
{
    for (QPushButton *b : {btnSearch, btnAgain, btnFindAll, btnPrint, btnClose})
        b->setDefault(b == button);
}

void TfrmTillscribeViewLogs::edtSearchChange()
{
    const bool any = !edtSearch->text().isEmpty();
    for (QPushButton *b : {btnSearch, btnAgain, btnFindAll})
        b->setEnabled(any);
    MakeDefault(any ? btnSearch : btnClose);
}

void TfrmTillscribeViewLogs::SetCursors(bool busy)
{
    for (QWidget *w : std::initializer_list<QWidget *>{pnlTop, memLog, memLog->viewport(), pnlRight, lblFind,
                                                       edtSearch, btnSearch, btnAgain, btnPrint, btnClose,
                                                       btnFindAll, lblBottom, lblLeft, pnlSeperator}) {
        if (busy)
            w->setCursor(Qt::WaitCursor);
        else
            w->unsetCursor();
    }
}

void TfrmTillscribeViewLogs::SetText(const QString &text)
{
    text_ = text;
    memLog->setPlainText(Displayed(text_));
}

void TfrmTillscribeViewLogs::SetCurrentFile(const QString &path)
{
    FLogFile = path;
    setWindowTitle(path.isEmpty() ? kCaptionPrefix + kNoFile
                                  : kCaptionPrefix + QFileInfo(path).fileName());
}

void TfrmTillscribeViewLogs::Select(qsizetype start, qsizetype length)
{
    QTextCursor cursor = memLog->textCursor();
    cursor.setPosition(static_cast<int>(start));
    cursor.setPosition(static_cast<int>(start + length), QTextCursor::KeepAnchor);
    memLog->setTextCursor(cursor);
    memLog->ensureCursorVisible();
}

void TfrmTillscribeViewLogs::btnSearchClick()
{
    SetCursors(true);
    const QString what = edtSearch->text();
    const qsizetype at = FindText(text_, what, 0);
    if (at >= 0) {
        Select(at, what.size());
        edtSearch->setFocus();
        MakeDefault(btnAgain);
    } else {
        ShowMessage(MsgKind::Information, QStringLiteral("Search String '") + what + QStringLiteral("' not found."));
    }
    SetCursors(false);
}

void TfrmTillscribeViewLogs::btnAgainClick()
{
    SetCursors(true);
    const QString what = edtSearch->text();
    const qsizetype from = memLog->textCursor().selectionEnd();
    const qsizetype at = FindText(text_, what, from);
    if (at >= 0) {
        Select(at, what.size());
        edtSearch->setFocus();
    } else if (ShowMessage(MsgKind::Confirmation,
                           QStringLiteral("Reached end of document, do you want to continue from the begininning?"),
                           MsgButtons::YesNo)
               == MsgResult::Yes) {
        btnSearchClick();
    }
    SetCursors(false);
}

void TfrmTillscribeViewLogs::btnFindAllClick()
{
    SetCursors(true);
    const QString what = edtSearch->text();
    const QStringList entries = FindAllEntries(text_, what);
    SetCursors(false);
    if (entries.isEmpty()) {
        ShowMessage(MsgKind::Information, QStringLiteral("Search String '") + what + QStringLiteral("' not found."));
        return;
    }
    ShowSearchResults(this, entries, what, windowTitle().mid(kCaptionPrefixLength));
}

void TfrmTillscribeViewLogs::btnPrintClick()
{
    const std::optional<PrintChoice> choice = services_.choosePrinter();
    if (!choice || FLogFile.isEmpty())
        return;
    // The file as it is on disk; a failure is not reported.
    services_.printFile(*choice, FLogFile);
}

void TfrmTillscribeViewLogs::btnCloseClick()
{
    close();
}

void TfrmTillscribeViewLogs::New1Click()
{
    SetText(QString());
    SetCurrentFile(QString());
}

void TfrmTillscribeViewLogs::mnuFileOpenClick()
{
    const QString name = services_.chooseFileToOpen();
    if (name.isEmpty())
        return;
    struct stat st;
    if (::stat(name.toLocal8Bit().constData(), &st) == 0 && st.st_size > kLogFileSizeLimit) {
        ShowMessage(MsgKind::Error, QStringLiteral("File too large to open"));
        return;
    }
    SetText(QString());
    QByteArray bytes;
    if (ReadUnshared(name, bytes)) {
        SetText(LogTextFromBytes(bytes));
        SetCurrentFile(QFileInfo(name).absoluteFilePath());
    } else {
        ShowMessage(MsgKind::Error, QStringLiteral("Cannot Open, File Already in Use"));
        SetCurrentFile(QString());
    }
    Select(0, 0);
}

void TfrmTillscribeViewLogs::SaveAs1Click()
{
    const QString name = services_.chooseFileToSave();
    if (name.isEmpty())
        return;
    if (QFileInfo::exists(name)
        && ShowMessage(MsgKind::Warning, QStringLiteral("File already exists. Do you want to replace it?"),
                       MsgButtons::YesNo)
            != MsgResult::Yes)
        return;
    if (!WriteUnshared(name, LogTextToBytes(text_))) {
        ShowMessage(MsgKind::Error, QStringLiteral("Cannot save, file already in use"));
        return;
    }
    SetCurrentFile(QFileInfo(name).absoluteFilePath());
}

void TfrmTillscribeViewLogs::Copy1Click()
{
    memLog->copy();
}

void TfrmTillscribeViewLogs::Contents1Click()
{
    ShowHelp(5);
}

void TfrmTillscribeViewLogs::About1Click()
{
    ShowAboutWindow(this);
}

void TfrmTillscribeViewLogs::SelectAll1Click()
{
    memLog->selectAll();
    memLog->setFocus();
}

} // namespace tillscribe
