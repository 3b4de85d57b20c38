// The log viewer, offscreen: open, the three searches, save, print.
#include "CaptureWriter.h"
#include "LogText.h"
#include "MessageBoxes.h"
#include "RecordingBoxes.h"
#include "SearchResultsSink.h"
#include "TestSupport.h"
#include "TillscribeViewLogsFm.h"

#include <QAction>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <chrono>
#include <thread>

using namespace tillscribe;
using test::ReadFile;
using test::TempDir;
using test::WriteFile;

namespace {

TEST(LogText, MatchingFoldsOnlyAsciiLetters)
{
    const QString text = QStringLiteral("Total TOTAL total \u00e9t\u00c9");
    EXPECT_EQ(FindText(text, "total"), 0);
    EXPECT_EQ(FindText(text, "total", 1), 6);
    EXPECT_EQ(FindText(text, "TOTAL", 7), 12);
    EXPECT_EQ(FindText(text, QStringLiteral("\u00e9t")), 18);
    EXPECT_EQ(FindText(text, QStringLiteral("\u00c9T")), -1); // no folding outside ASCII
    EXPECT_EQ(FindText(text, ""), -1);
}

TEST(LogText, LineBreaksAndBytesRoundTrip)
{
    const QByteArray raw("a\nb\rc\r\nd\r\r\n\0\x80\xff", 14);
    const QString text = LogTextFromBytes(raw);
    EXPECT_EQ(text.count('\n'), 5);
    EXPECT_EQ(text.size(), 12); // NUL kept
    EXPECT_EQ(LogTextToBytes(text), QByteArray("a\r\nb\r\nc\r\nd\r\n\r\n\0\x80\xff", 17));
}

TEST(LogText, FindAllEntriesNumberLinesFromZeroAndCutAt4096)
{
    const QString longLine = QString(5000, 'x') + "HIT";
    const QString text = "hit first\nnothing\n" + longLine + "\nlast hit\n";
    const QStringList entries = FindAllEntries(text, "HIT");
    EXPECT_EQ(entries, (QStringList{"0     hit first", "3     last hit"}));
    EXPECT_EQ(FindAllEntries(text, "x").size(), 1);
    EXPECT_EQ(FindAllEntries(text, "x").first(), "2     " + QString(4096, 'x'));
    // A text ending in a line break has no extra empty line to match.
    EXPECT_EQ(FindAllEntries("a\n", "a"), QStringList{"0     a"});
}

class ViewLogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxes(&boxes);
        ViewLogsServices services;
        services.chooseFileToOpen = [this] { return QString::fromStdString(toOpen); };
        services.chooseFileToSave = [this] { return QString::fromStdString(toSave); };
        services.choosePrinter = [this]() -> std::optional<PrintChoice> {
            ++printDialogs;
            return PrintChoice{"pdf", 2};
        };
        services.printFile = [this](const PrintChoice &, const QString &file) {
            printed << file;
            return true;
        };
        viewer = std::make_unique<TfrmTillscribeViewLogs>(nullptr, services);
        SetSearchResultsWindow([this](QWidget *, const QStringList &entries, const QString &what,
                                      const QString &name) {
            results.push_back({entries, what, name});
        });
    }
    void TearDown() override
    {
        SetSearchResultsWindow(nullptr);
        viewer.reset();
        SetMessageBoxes(nullptr);
    }
    void Open(const std::string &name, const std::string &bytes)
    {
        WriteFile(dir / name, bytes);
        toOpen = dir / name;
        viewer->mnuFileOpen->trigger();
    }
    std::pair<int, int> Selection() const
    {
        const QTextCursor c = viewer->memLog->textCursor();
        return {c.selectionStart(), c.selectionEnd()};
    }
    struct Results {
        QStringList entries;
        QString what, name;
    };

    TempDir dir;
    test::RecordingBoxes boxes;
    std::string toOpen, toSave;
    int printDialogs = 0;
    QStringList printed;
    std::vector<Results> results;
    std::unique_ptr<TfrmTillscribeViewLogs> viewer;
};

const QString kEnd = "Reached end of document, do you want to continue from the begininning?";

TEST_F(ViewLogsTest, HitsNeverOverlapAndTheEndAsks)
{
    Open("a.txt", "AAAA");
    viewer->edtSearch->setText("aa");
    viewer->btnSearch->click();
    EXPECT_EQ(Selection(), std::make_pair(0, 2));
    viewer->btnAgain->click();
    EXPECT_EQ(Selection(), std::make_pair(2, 4));
    viewer->btnAgain->click(); // No: nothing changes
    EXPECT_EQ(boxes.shown, QStringList{kEnd});
    EXPECT_EQ(Selection(), std::make_pair(2, 4));
    boxes.answerYes = true;
    viewer->btnAgain->click();
    EXPECT_EQ(Selection(), std::make_pair(0, 2));
}

TEST_F(ViewLogsTest, FindNextStartsAtTheCaret)
{
    Open("a.txt", "total one\r\ntotal two\r\ntotal three\r\n");
    QTextCursor cursor = viewer->memLog->textCursor();
    cursor.setPosition(12); // inside the second line
    viewer->memLog->setTextCursor(cursor);
    viewer->edtSearch->setText("TOTAL");
    viewer->mnuFindFindAgain->trigger();
    EXPECT_EQ(Selection(), std::make_pair(20, 25));
}

TEST_F(ViewLogsTest, EmptySearchBoxThroughTheMenu)
{
    Open("a.txt", "text");
    boxes.answerYes = true;
    viewer->mnuFindFindFirst->trigger();
    viewer->mnuFindFindAgain->trigger();
    viewer->FindAll1->trigger();
    const QString notFound = "Search String '' not found.";
    EXPECT_EQ(boxes.shown, (QStringList{notFound, kEnd, notFound, notFound}));
    EXPECT_FALSE(viewer->btnSearch->isEnabled());
    EXPECT_TRUE(viewer->btnClose->isDefault());
}

TEST_F(ViewLogsTest, EnterFindsFirstThenNext)
{
    Open("a.txt", "x TOTAL y total");
    viewer->show();
    QTest::keyClicks(viewer->edtSearch, "total");
    EXPECT_TRUE(viewer->btnSearch->isDefault());
    QTest::keyClick(viewer->edtSearch, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(2, 7));
    EXPECT_TRUE(viewer->btnAgain->isDefault());
    QTest::keyClick(viewer->edtSearch, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(10, 15));
    QTest::keyClick(viewer->edtSearch, Qt::Key_L);
    EXPECT_TRUE(viewer->btnSearch->isDefault()); // changed text: Find First again
}

TEST_F(ViewLogsTest, SizeLimitAndHeldFiles)
{
    Open("limit.txt", std::string(750000, 'x'));
    EXPECT_EQ(viewer->Text().size(), 750000);
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - limit.txt");
    Open("over.txt", std::string(750001, 'x'));
    EXPECT_EQ(boxes.shown, QStringList{"File too large to open"});
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - limit.txt"); // unchanged
    EXPECT_EQ(viewer->Text().size(), 750000);

    // The capture station holds its file: refused, and the viewer is emptied.
    CaptureWriter capture;
    capture.SetCaptureFile(dir / "capture.txt");
    capture.SetCapture(cmOn);
    toOpen = dir / "capture.txt";
    viewer->mnuFileOpen->trigger();
    EXPECT_EQ(boxes.shown.last(), "Cannot Open, File Already in Use");
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - No File Selected");
    EXPECT_TRUE(viewer->Text().isEmpty());
    EXPECT_TRUE(viewer->FLogFile.isEmpty());
    capture.SetCapture(cmOff);
    viewer->mnuFileOpen->trigger();
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - capture.txt");

    toOpen = dir / "vanished.txt";
    viewer->mnuFileOpen->trigger();
    EXPECT_EQ(boxes.shown.last(), "Cannot Open, File Already in Use");
}

TEST_F(ViewLogsTest, SaveAsWritesCrLfByteForByte)
{
    Open("lf.txt", std::string("one\ntwo\rthree\0end\n", 19));
    toSave = dir / "saved.txt";
    viewer->SaveAs1->trigger();
    EXPECT_EQ(ReadFile(dir / "saved.txt"), std::string("one\r\ntwo\r\nthree\0end\r\n", 22));
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - saved.txt");

    WriteFile(dir / "keep.txt", "keep");
    toSave = dir / "keep.txt";
    viewer->SaveAs1->trigger(); // asked, answered No
    EXPECT_EQ(boxes.shown, QStringList{"File already exists. Do you want to replace it?"});
    EXPECT_EQ(ReadFile(dir / "keep.txt"), "keep");
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - saved.txt");

    toSave = dir / "no-such-folder/x.txt";
    viewer->SaveAs1->trigger();
    EXPECT_EQ(boxes.shown.last(), "Cannot save, file already in use");
}

TEST_F(ViewLogsTest, FindAllHandsEntriesAndNameToTheResultsWindow)
{
    Open("journal.txt", "TOTAL 1\r\nCASH\r\nsubtotal\r\n");
    viewer->edtSearch->setText("total");
    viewer->btnFindAll->click();
    ASSERT_EQ(results.size(), 1u);
    EXPECT_EQ(results[0].entries, (QStringList{"0     TOTAL 1", "2     subtotal"}));
    EXPECT_EQ(results[0].what, "total");
    EXPECT_EQ(results[0].name, "journal.txt");
    EXPECT_EQ(Selection(), std::make_pair(0, 0)); // untouched
}

TEST_F(ViewLogsTest, PrintSendsTheFileOnlyWhenThereIsOne)
{
    viewer->btnPrintClick();
    EXPECT_EQ(printDialogs, 1);
    EXPECT_TRUE(printed.isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
    Open("p.txt", "print me");
    viewer->mnuFilePrint->trigger();
    EXPECT_EQ(printed, QStringList{QString::fromStdString(dir / "p.txt")});
    EXPECT_EQ(PrintCommand({"pdf", 2}, "/tmp/-odd name.txt"),
              (QStringList{"-d", "pdf", "-n", "2", "--", "/tmp/-odd name.txt"}));
    EXPECT_EQ(PrintCommand({"", 0}, "f"), (QStringList{"-n", "1", "--", "f"}));
}

TEST_F(ViewLogsTest, NewAndSelectAll)
{
    Open("a.txt", "abc\r\ndef");
    viewer->SelectAll1->trigger();
    EXPECT_EQ(Selection(), std::make_pair(0, 7));
    viewer->New1->trigger();
    EXPECT_TRUE(viewer->Text().isEmpty());
    EXPECT_TRUE(viewer->FLogFile.isEmpty());
    EXPECT_EQ(viewer->windowTitle(), "TILLSCRIBE - View Logs - No File Selected");
}

} // namespace

namespace {

// Through a real CUPS scheduler: the file comes out of the PDF queue as a PDF.
TEST(ViewLogsPrinting, FileReachesTheCupsQueue)
{
    if (QProcess::execute(QStringLiteral("lpstat"), {QStringLiteral("-p"), QStringLiteral("TillscribePDF")}) != 0)
        GTEST_SKIP() << "no CUPS scheduler with the TillscribePDF queue here (scripts/setup-cups.sh makes one)";
    TempDir dir;
    const std::string stem = "tillscribe-print-" + std::to_string(::getpid());
    const std::string name = dir / (stem + ".txt");
    WriteFile(name, "TOTAL 12.50\r\nCASH 20.00\r\n");
    test::RecordingBoxes boxes;
    SetMessageBoxes(&boxes);
    ViewLogsServices services;
    services.chooseFileToOpen = [&name] { return QString::fromStdString(name); };
    services.choosePrinter = [] { return std::optional<PrintChoice>(PrintChoice{"TillscribePDF", 1}); };
    TfrmTillscribeViewLogs viewer(nullptr, services);
    viewer.mnuFileOpenClick();
    viewer.btnPrintClick();
    SetMessageBoxes(nullptr);

    const QDir out(QDir::homePath() + "/PDF");
    QString pdf;
    QElapsedTimer clock;
    clock.start();
    while (pdf.isEmpty() && clock.elapsed() < 60000) {
        // Taken once cups-pdf has finished writing it.
        const QStringList found = out.entryList({QString::fromStdString("*" + stem + "*.pdf")}, QDir::Files);
        if (!found.isEmpty() && ReadFile(out.filePath(found.first()).toStdString()).find("%%EOF") != std::string::npos)
            pdf = out.filePath(found.first());
        else
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
    }
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF in " << out.path().toStdString();
    EXPECT_EQ(ReadFile(pdf.toStdString()).substr(0, 5), "%PDF-");
    QFile::remove(pdf);
}

} // namespace
