// Find All's results window and its report.
#include "MessageBoxes.h"
#include "RecordingBoxes.h"
#include "SearchResultsSink.h"
#include "TestSupport.h"
#include "TillscribeSearchResultsFm.h"
#include "TillscribeSearchResultsRpt.h"
#include "TillscribeViewLogsFm.h"

#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QRegularExpression>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace tillscribe;
using test::TempDir;
using test::WriteFile;

namespace {

class SearchResultsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetMessageBoxes(&boxes);
        ViewLogsServices services;
        services.chooseFileToOpen = [this] { return QString::fromStdString(toOpen); };
        viewer = new TfrmTillscribeViewLogs(nullptr, services);
        frmTillscribeViewLogs = viewer;
        viewer->show();
    }
    void TearDown() override
    {
        frmTillscribeViewLogs = nullptr;
        delete viewer;
        SetReportPreviewRunner(nullptr);
        SetMessageBoxes(nullptr);
    }
    void Open(const std::string &text)
    {
        toOpen = dir / ("f" + std::to_string(++files) + ".txt");
        WriteFile(toOpen, text);
        viewer->mnuFileOpenClick();
    }
    TfrmTillscribeSearchResults *FindAll(const QString &what)
    {
        viewer->edtSearch->setText(what);
        viewer->btnFindAllClick();
        const auto windows = viewer->findChildren<TfrmTillscribeSearchResults *>();
        return windows.isEmpty() ? nullptr : windows.last();
    }
    std::pair<int, int> Selection() const
    {
        const QTextCursor c = viewer->memLog->textCursor();
        return {c.selectionStart(), c.selectionEnd()};
    }

    TempDir dir;
    test::RecordingBoxes boxes;
    std::string toOpen;
    int files = 0;
    TfrmTillscribeViewLogs *viewer = nullptr;
};

const char *kJournal = "TOTAL 1.00 total\nCASH\nCHANGE\nsubtotal 2.00\nEND\n";

TEST_F(SearchResultsTest, EnterGoesToTheFirstHitOfTheLine)
{
    Open(kJournal);
    TfrmTillscribeSearchResults *results = FindAll("total");
    ASSERT_NE(results, nullptr);
    EXPECT_EQ(results->lstResults->count(), 2);
    EXPECT_EQ(results->lstResults->item(0)->text(), "0     TOTAL 1.00 total");
    EXPECT_EQ(results->lstResults->item(1)->text(), "3     subtotal 2.00");
    EXPECT_EQ(results->lstResults->currentRow(), 0);
    EXPECT_EQ(results->lblTitle->text(), "Search Results - f1.txt");
    EXPECT_EQ(results->windowTitle(), "Search Results");

    QTest::keyClick(results->lstResults, Qt::Key_Return);
    EXPECT_EQ(Selection(), std::make_pair(0, 5)); // the first of the line's two hits
}

TEST_F(SearchResultsTest, DoubleClickAndSearchBoxRestored)
{
    Open(kJournal);
    TfrmTillscribeSearchResults *results = FindAll("total");
    viewer->edtSearch->setText("CASH"); // the user types something else
    ASSERT_TRUE(QTest::qWaitForWindowExposed(results));
    QListWidgetItem *second = results->lstResults->item(1);
    results->lstResults->setCurrentItem(second);
    const QRect rect = results->lstResults->visualItemRect(second);
    QTest::mouseClick(results->lstResults->viewport(), Qt::LeftButton, {}, rect.center());
    QTest::mouseDClick(results->lstResults->viewport(), Qt::LeftButton, {}, rect.center());
    EXPECT_EQ(Selection(), std::make_pair(32, 37)); // "total" in "subtotal"
    EXPECT_EQ(viewer->edtSearch->text(), "CASH");
    EXPECT_TRUE(viewer->btnSearch->isDefault());
}

TEST_F(SearchResultsTest, GoToLineAfterAnotherFileWasOpened)
{
    Open(kJournal);
    TfrmTillscribeSearchResults *results = FindAll("total");
    results->lstResults->setCurrentRow(1); // line 3
    Open("a\nb\nc\nd total\n");
    results->btnGoToClick();
    EXPECT_EQ(Selection(), std::make_pair(8, 13));
    Open("only one line\n"); // no line 3: the caret stays, the search asks
    results->btnGoToClick();
    EXPECT_EQ(boxes.shown.last(), "Reached end of document, do you want to continue from the begininning?");
}

TEST_F(SearchResultsTest, ClosingRefusedWhilePreviewIsOpen)
{
    Open(kJournal);
    TfrmTillscribeSearchResults *results = FindAll("total");
    QPointer<TfrmTillscribeSearchResults> alive(results);
    int previews = 0;
    SetReportPreviewRunner([&](TqrTillscribeSearchResultsRpt &) {
        ++previews;
        results->btnPrintClick(); // a second preview does not start
        results->close();
    });
    results->btnPrintClick();
    EXPECT_EQ(previews, 1);
    EXPECT_EQ(boxes.shown, QStringList{"Must close Print Preview First"});
    ASSERT_TRUE(alive);
    EXPECT_FALSE(results->FPreviewOpen);
    results->close();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_FALSE(alive);
}

TEST_F(SearchResultsTest, ButtonsFollowTheWidth)
{
    Open(kJournal);
    TfrmTillscribeSearchResults *results = FindAll("total");
    results->resize(700, 400);
    QCoreApplication::processEvents();
    const int w = results->frameGeometry().width();
    EXPECT_EQ(results->btnGoTo->x(), (w - 75) / 2);
    EXPECT_EQ(results->btnPrint->x(), w / 2 - 150);
    EXPECT_EQ(results->btnClose->x(), w / 2 + 75);
}

// The report, made into a PDF and read back as text.
struct Pdf {
    QString text;
    QString info;
};

Pdf RenderReport(const TempDir &dir, const QString &title, const QStringList &entries, int *pages)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    const QString path = QString::fromStdString(dir / "report.pdf");
    printer.setOutputFileName(path);
    TqrTillscribeSearchResultsRpt::SetUpPage(printer);
    TqrTillscribeSearchResultsRpt report(nullptr, title, entries);
    report.Print(&printer);
    *pages = report.PagesMade();
    QProcess text, info;
    text.start("pdftotext", {"-layout", path, "-"});
    text.waitForFinished();
    info.start("pdfinfo", {path});
    info.waitForFinished();
    return {QString::fromUtf8(text.readAllStandardOutput()), QString::fromUtf8(info.readAllStandardOutput())};
}

TEST(SearchResultsReport, OneEntryOnePageLetter)
{
    TempDir dir;
    int pages = 0;
    const Pdf pdf = RenderReport(dir, "Search Results - journal.txt", {"12     TOTAL 3.97"}, &pages);
    EXPECT_EQ(pages, 1);
    EXPECT_TRUE(pdf.info.contains(QRegularExpression("Pages:\\s+1\\n"))) << pdf.info.toStdString();
    EXPECT_TRUE(pdf.info.contains("(letter)")) << pdf.info.toStdString();
    // pdftotext narrows runs of spaces: the checks allow for that.
    for (const char *expected : {"Date:\\s*\\S+", "Page:\\s*1\\b", "Search Results - journal\\.txt", "12\\s+TOTAL 3\\.97"})
        EXPECT_TRUE(pdf.text.contains(QRegularExpression(expected))) << expected << "\n" << pdf.text.toStdString();
}

TEST(SearchResultsReport, LongReportRepeatsTheHeaderOnEveryPage)
{
    TempDir dir;
    QStringList entries;
    for (int i = 0; i < 150; ++i)
        entries << QString::number(i * 10) + "     TOTAL line " + QString::number(i);
    int pages = 0;
    const Pdf pdf = RenderReport(dir, "Search Results - long.txt", entries, &pages);
    ASSERT_GE(pages, 3);
    const QStringList pageTexts = pdf.text.split('\f', Qt::SkipEmptyParts);
    ASSERT_GE(pageTexts.size(), pages);
    for (int p = 0; p < pages; ++p) {
        const QString &page = pageTexts[p];
        EXPECT_TRUE(page.contains("Date:") && page.contains("Page:") && page.contains("long.txt")) << p;
        EXPECT_TRUE(page.contains(QRegularExpression("Page:\\s*" + QString::number(p + 1) + "\\b"))) << p;
    }
    // Every entry once, in order.
    qsizetype at = 0;
    for (const QString &entry : entries) {
        const QString line = entry.section("     ", 1);
        at = pdf.text.indexOf(QRegularExpression("\\b" + QRegularExpression::escape(line) + "\\b"), at);
        ASSERT_GE(at, 0) << entry.toStdString();
    }
}

TEST(SearchResultsReport, NoEntriesNoReport)
{
    QPrinter printer;
    TqrTillscribeSearchResultsRpt report(nullptr, "t", {});
    EXPECT_FALSE(report.qrTillscribeSearchResultsRptBeforePrint());
    bool more = true;
    TqrTillscribeSearchResultsRpt one(nullptr, "t", {"0     a"});
    one.qrTillscribeSearchResultsRptBeforePrint();
    one.QuickReport1NeedData(more);
    EXPECT_TRUE(more);
    EXPECT_EQ(one.lblText, "0     a");
    one.QuickReport1NeedData(more);
    EXPECT_FALSE(more);
}

} // namespace
