// The about window, the links and the help topics.
#include "Application.h"
#include "Help.h"
#include "MessageBoxes.h"
#include "ShellOpen.h"
#include "TapiDevice.h"
#include "TestSupport.h"
#include "TillscribeAboutFM.h"
#include "TillscribeGlobals.h"
#include "TillscribeMainFm.h"
#include "TillscribeViewLogsFm.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTextBrowser>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tillscribe;

namespace {

class AboutHelpTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        SetShellOpener([this](const QString &target) { opened << target; });
        SetHelpViewer([this](int context) { contexts << context; });
        MainWindowServices services;
        services.captureFolder = dir.Folder();
        services.readSettings = [] { return MaintainSettings{"None Selected", "", false, 0}; };
        services.writeSettings = [](const MaintainSettings &) {};
        services.tapiDevice = &tapi;
        main = std::make_unique<TfrmTillscribeMain>(services);
    }
    void TearDown() override
    {
        main.reset();
        SetShellOpener(nullptr);
        SetHelpViewer(nullptr);
    }
    // Presses Enter in the about window as soon as it is up.
    void EnterWhenAboutOpens()
    {
        QTimer::singleShot(10, [this] {
            if (frmTillscribeAbout) {
                sawVersion = frmTillscribeAbout->lblVersion->text();
                QTest::keyClick(frmTillscribeAbout, Qt::Key_Return);
            } else {
                EnterWhenAboutOpens();
            }
        });
    }

    test::TempDir dir;
    TapiDevice tapi;
    QStringList opened;
    QList<int> contexts;
    QString sawVersion;
    std::unique_ptr<TfrmTillscribeMain> main;
};

TEST_F(AboutHelpTest, VersionFromTheBuildsVersionBlock)
{
    TfrmTillscribeAbout about;
    EXPECT_EQ(about.lblVersion->text(), "Version: 1.1.0.10");
    EXPECT_EQ(about.windowTitle(), "TILLSCRIBE About");
    EXPECT_EQ(about.size(), QSize(443, 354));
    EXPECT_EQ(MakerLogo().size(), QSize(300, 60));
    EXPECT_LE(MakerLogo().colorCount(), 256);
    EXPECT_EQ(ProgramPicture().size(), QSize(32, 32));
    EXPECT_EQ(ProgramPicture().depth(), 24);
}

TEST_F(AboutHelpTest, EachLinkHandsItsTargetOnceAndTheWindowStays)
{
    TfrmTillscribeAbout about;
    about.show();
    for (QLabel *link : {static_cast<QLabel *>(about.lblWebSite), static_cast<QLabel *>(about.lblSalesAddress),
                         static_cast<QLabel *>(about.lblSupportAddress)})
        QTest::mouseClick(link, Qt::LeftButton);
    EXPECT_EQ(opened, (QStringList{"https://www.example.com/", "mailto:sales@example.com",
                                   "mailto:support@example.com"}));
    EXPECT_TRUE(about.isVisible());
    EXPECT_EQ(about.lblWebSite->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(about.lblSupportAddress->toolTip(), "Click to email support");
}

TEST_F(AboutHelpTest, LongTargetsAreHandedOverWhole)
{
    const QString target = "https://www.example.com/" + QString(300, 'a') + "/";
    ShellOpen(target);
    EXPECT_EQ(opened, QStringList{target});
}

TEST_F(AboutHelpTest, HelpMenusAskForTheirTopics)
{
    main->mnuHelpContents->trigger();
    TfrmTillscribeViewLogs viewer;
    viewer.Contents1->trigger();
    EXPECT_EQ(contexts, (QList<int>{4, 5}));
}

TEST_F(AboutHelpTest, AboutFromBothMenusClosesWithEnter)
{
    EnterWhenAboutOpens();
    main->About1->trigger(); // returns once Enter has closed it
    EXPECT_EQ(sawVersion, "Version: 1.1.0.10");
    EXPECT_EQ(frmTillscribeAbout, nullptr);

    sawVersion.clear();
    TfrmTillscribeViewLogs viewer;
    EnterWhenAboutOpens();
    viewer.About1->trigger();
    EXPECT_EQ(sawVersion, "Version: 1.1.0.10");
    EXPECT_EQ(frmTillscribeAbout, nullptr);
}

TEST_F(AboutHelpTest, MissingHelpDocumentIsSaidInTheHelpWindow)
{
    SetHelpViewer(nullptr);
    ASSERT_TRUE(HelpDocumentPath("NO-SUCH-HELP.hlp").isEmpty());
    static_cast<TillscribeApplication *>(qApp)->SetHelpFile("NO-SUCH-HELP.hlp");
    ShowHelp(4);
    QTextBrowser *window = nullptr;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *browser = qobject_cast<QTextBrowser *>(w))
            window = browser;
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->toPlainText().contains("NO-SUCH-HELP.html was not found")) << window->toPlainText().toStdString();
    window->close();
}

} // namespace
