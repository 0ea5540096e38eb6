#include "MakerServer.h"

#include "BuildInfo.h"
#include "resources/Strings.h"

#include <QElapsedTimer>
#include <QHelpEvent>
#include <QScreen>
#include <QTest>
#include <QTextDocument>
#include <QToolTip>
#include <qpa/qwindowsysteminterface.h>

#include <optional>

#ifdef TELIMER_SANITIZED
constexpr qint64 HangGuardMs = 1000;
#else
constexpr qint64 HangGuardMs = 100;
#endif

namespace {

const QColor StatusRed(192, 0, 0);
const std::string HomePage = std::string("http://www.") + buildinfo::Host;
const std::string ProgramPage = HomePage + "/data/html/telimer.html";

struct PaintCount : QObject {
    explicit PaintCount(QWidget& widget) { widget.installEventFilter(this); }
    bool eventFilter(QObject*, QEvent* event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

class About : public MakerServerTest {
protected:
    static void click(QWidget& control) { QTest::mouseClick(&control, Qt::LeftButton, {}, {5, 5}); }
    static QString downloadError() { return strings::load(strings::DownloadError); }
};

// The status line, its link and the version label's tooltip after the load, by what the server sent.
struct StatusCase {
    const char* name;
    std::optional<std::string> record; // nothing: the server has no descriptor (404)
    QString status;                    // empty: the download error text
    bool enabled;
    QString toolTip;
    std::string programLink; // what Label7 opens
};

void PrintTo(const StatusCase& c, std::ostream* out)
{
    *out << c.name;
}

std::vector<StatusCase> statusCases()
{
    return {
        {"FlagOne", "Nová verze 1.2 je zde!;vexa.example/telimer;1;x", "Nová verze 1.2 je zde!", true,
         "http://www.vexa.example/telimer", "http://www.vexa.example/telimer"},
        {"FlagStartingWithOne", "Stav;p.example;10", "Stav", true, "http://www.p.example", "http://www.p.example"},
        {"FlagZero", "Vše v pořádku;p.example;0;", "Vše v pořádku", false, "http://www.p.example",
         "http://www.p.example"},
        {"EmptyFlag", "Stav;p.example;;", "Stav", false, "http://www.p.example", "http://www.p.example"},
        {"BlankBeforeFlag", "Stav ; p.example; 1", "Stav ", false, "http://www. p.example", "http://www. p.example"},
        // An empty page address gives an incomplete address, handed over all the same.
        {"EmptyPageAddress", "Stav;;1", "Stav", true, "http://www.", "http://www."},
        {"ErrorWithCapitalE", "Error;p.example;1", "Error", true, "http://www.p.example", "http://www.p.example"},
        {"ValueStartingWithError", "errorneous;p.example;1", "", false, "", ProgramPage},
        {"FewerThanThreeFields", "Stav;p.example", "", false, "", ProgramPage},
        {"NoDescriptor", std::nullopt, "", false, "", ProgramPage},
    };
}

class AboutStatus : public About, public ::testing::WithParamInterface<StatusCase> { };

TEST_P(AboutStatus, FollowsTheDescriptor)
{
    const StatusCase& c = GetParam();
    if (c.record)
        serveDescriptor(*c.record);
    Form3& about = Form3::instance();
    const bool error = c.status.isEmpty();
    EXPECT_EQ(about.Chyba, error);
    EXPECT_EQ(about.Label15.text(), error ? downloadError() : c.status);
    EXPECT_EQ(about.Label15.isEnabled(), c.enabled);
    EXPECT_EQ(about.Label6.toolTip(), c.toolTip);
    EXPECT_TRUE(about.Label15.font().bold());
    EXPECT_EQ(about.Label15.palette().color(QPalette::Active, QPalette::WindowText), StatusRed);
    EXPECT_EQ(about.Label15.palette().color(QPalette::Disabled, QPalette::WindowText), windows::GreyText);

    about.show();
    click(about.Label7);
    EXPECT_EQ(opened, std::vector{c.programLink});
}

INSTANTIATE_TEST_SUITE_P(Descriptors, AboutStatus, ::testing::ValuesIn(statusCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// Fields an attacker may serve that Qt would lay out as rich text: a picture read from a device
// without end, a huge picture, tables nested so deep that their layout never ends.
// The descriptor's value holds at most 999 characters, so a long field comes with a short one.
struct MarkupCase {
    const char* name;
    std::string status;
    std::string page;
};

void PrintTo(const MarkupCase& c, std::ostream* out)
{
    *out << c.name;
}

std::string repeated(const std::string& piece, int times)
{
    std::string all;
    for (int i = 0; i < times; ++i)
        all += piece;
    return all;
}

std::vector<MarkupCase> markupCases()
{
    const std::string huge = "<img src=\"/etc/passwd\" width=20000 height=20000>";
    const std::string tables = repeated("<table><tr><td>", 60) + "x";
    return {
        {"EndlessPicture", "<img src=\"/dev/zero\">", "<img src=\"/dev/zero\">"},
        {"HugePicture", huge, huge},
        {"NestedTablesInTheStatus", tables, "p.example"},
        {"NestedTablesInTheAddress", "Stav", tables},
        {"TagsAndBlanks", "<b>tučně</b>  &lt <i>x</i>   ", "<b>tučně</b>  &lt <i>x</i>   "},
        {"LongAddress", "Stav", "p.example/" + repeated("abcdefghij", 98)},
    };
}

// The tooltip window Qt shows, if one is on screen.
QLabel* shownToolTip()
{
    for (QWidget* window : QApplication::topLevelWidgets()) {
        if (window->objectName() == QStringLiteral("qtooltip_label") && window->isVisible())
            return qobject_cast<QLabel*>(window);
    }
    return nullptr;
}

class AboutMarkup : public About, public ::testing::WithParamInterface<MarkupCase> { };

TEST_P(AboutMarkup, ShowsTheFieldsLiterallyAndAtOnce)
{
    const MarkupCase& c = GetParam();
    serveDescriptor(c.status + ";" + c.page + ";1");
    Form3& about = Form3::instance();
    about.show();
    ASSERT_FALSE(about.Chyba);
    for (const QLabel* label : about.findChildren<QLabel*>())
        EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();

    QElapsedTimer clock;
    clock.start();
    about.grab(); // lays out and paints the status line
    const QPoint middle = about.Label6.rect().center();
    QHelpEvent hover(QEvent::ToolTip, middle, about.Label6.mapToGlobal(middle));
    QApplication::sendEvent(&about.Label6, &hover);
    QLabel* tip = shownToolTip();
    ASSERT_NE(tip, nullptr);
    tip->grab();
    EXPECT_LT(clock.elapsed(), HangGuardMs); // a guard against a hang, not a measure of speed

    const QString address = QStringLiteral("http://www.") + QString::fromStdString(c.page);
    EXPECT_EQ(about.Label15.text(), windows::visibleCaption(QString::fromStdString(c.status)));
    EXPECT_EQ(about.Label6.toolTip(), address);
    // As the tooltip shows it: the address character for character, no picture, no table.
    QTextDocument shown;
    shown.setHtml(tip->text());
    EXPECT_EQ(shown.toPlainText().remove(QChar(0x200b)), address);
    // Bounded by the screen's width, and a short address on one line.
    EXPECT_LE(tip->width(), about.screen()->geometry().width());
    if (address.size() <= 80) {
        EXPECT_LT(tip->height(), 2 * QFontMetrics(tip->font()).lineSpacing());
    }
    QToolTip::hideText();
}

INSTANTIATE_TEST_SUITE_P(Descriptors, AboutMarkup, ::testing::ValuesIn(markupCases()),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(About, ShowsItsDesignTexts)
{
    Form3& about = Form3::instance();
    EXPECT_EQ(about.windowTitle(), "About");
    EXPECT_EQ(about.windowType(), Qt::Tool);
    EXPECT_EQ(about.size(), QSize(312, 226));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_EQ(about.Label1.text(), "Telimer v1.1r");
    EXPECT_TRUE(about.Label3.text().startsWith(QStringLiteral("Vytvořil : ")));
    EXPECT_EQ(about.Label4.text(), QStringLiteral("www.") + buildinfo::Host);
    EXPECT_EQ(about.Label7.text(), "- web programu");
    const QString version = about.Label6.text();
    EXPECT_EQ(version.size(), 90);
    EXPECT_TRUE(version.startsWith(QStringLiteral("v1.1.") + QString(76, u' ') + QStringLiteral("Id.:58211")));
    // The build identifier is on screen at the right end, not wrapped or cut away.
    EXPECT_LE(about.Label6.sizeHint().width(), about.Label6.width());
    EXPECT_LE(about.Label6.geometry().right(), about.rect().right());
    EXPECT_LE(about.Label4.sizeHint().width(), about.Label4.width());
    EXPECT_EQ(about.Label5.text().count(u'\n'), 2);
}

TEST_F(About, HomePageLinkHasNoCondition)
{
    serveDescriptor("Stav;p.example;1;x");
    Form3& about = Form3::instance();
    about.show();
    click(about.Label4);
    click(about.Label1); // labels other than the two links do nothing
    click(about.Label6);
    EXPECT_EQ(opened, std::vector{HomePage});
}

TEST_F(About, PressOnOneLinkAndReleaseElsewhereIsNoClick)
{
    Form3& about = Form3::instance();
    about.show();
    QTest::mousePress(&about.Label4, Qt::LeftButton, {}, {5, 5});
    QTest::mouseRelease(&about.Label4, Qt::LeftButton, {}, {5, 200});
    QTest::mousePress(&about.Label7, Qt::RightButton, {}, {5, 5});
    QTest::mouseRelease(&about.Label7, Qt::RightButton, {}, {5, 5});
    EXPECT_TRUE(opened.empty());
}

TEST_F(About, EveryOpeningDownloadsAgainAndClosingRemovesTheDescriptor)
{
    serveDescriptor("První;p.example;1");
    Form3::instance().close();
    EXPECT_EQ(Form3::existing(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));

    serveDescriptor("Druhý;p.example;0");
    Form3& again = Form3::instance();
    EXPECT_EQ(again.Label15.text(), "Druhý");
    EXPECT_FALSE(again.Label15.isEnabled());
    EXPECT_EQ(requestedAddresses(), std::vector<std::string>(2, Module1::downloadAddress(Module1::DescriptorWebPath)));
    again.close();
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
}

TEST_F(About, LeftoverDescriptorIsReadWhenTheDownloadFailsThenRemoved)
{
    TestFiles::writeFile(localFile(Module1::DescriptorFileName), descriptorFile("Starý stav;p.example;1"));
    Form3& about = Form3::instance();
    EXPECT_EQ(about.Label15.text(), "Starý stav");
    EXPECT_FALSE(about.Chyba);
    about.close();
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
}

TEST_F(About, FailedDownloadChoosesTheProgramPageAndLeavesNoFile)
{
    server.setRoute(std::string(Module1::DescriptorWebPath), TestHttp::Route::error(500));
    Form3& about = Form3::instance();
    EXPECT_TRUE(about.Chyba);
    EXPECT_EQ(about.Label15.text(), downloadError());
    about.Label7_Click();
    EXPECT_EQ(opened, std::vector{ProgramPage});
    about.close();
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
}

TEST_F(About, DescriptorThatCannotBeRemovedIsLeftAlone)
{
    std::filesystem::create_directory(localFile(Module1::DescriptorFileName));
    Form3& about = Form3::instance();
    EXPECT_TRUE(about.Chyba);
    about.close();
    EXPECT_EQ(Form3::existing(), nullptr);
    EXPECT_TRUE(std::filesystem::is_directory(localFile(Module1::DescriptorFileName)));
}

// While the About window downloads, the main window keeps painting, and a key typed into it
// waits until the load has ended, then arrives.
TEST_F(About, DownloadLetsWindowsPaintAndHoldsInputUntilItEnds)
{
    auto late = TestHttp::Route::ok(descriptorFile("Stav;p.example;1"));
    late.delayMs = 600;
    server.setRoute(std::string(Module1::DescriptorWebPath), late);
    Form1& main = Form1::instance();
    main.show();
    main.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&main));
    main.Text1.setFocus();
    const QString before = main.Text1.text();
    QTimer typing;
    QObject::connect(&typing, &QTimer::timeout, [&] {
        main.update();
        for (const auto type : {QEvent::KeyPress, QEvent::KeyRelease})
            QWindowSystemInterface::handleKeyEvent<QWindowSystemInterface::AsynchronousDelivery>(
                main.windowHandle(), type, Qt::Key_5, Qt::NoModifier, QStringLiteral("5"));
    });
    PaintCount counter(main);
    typing.start(100);
    Form3::instance();
    typing.stop();
    EXPECT_GE(counter.paints, 3);
    EXPECT_EQ(main.Text1.text(), before);
    QCoreApplication::processEvents();
    EXPECT_TRUE(main.Text1.text().startsWith(before + QStringLiteral("5"))) << main.Text1.text().toStdString();
}

TEST_F(About, OpensModallyFromTheMainWindowAndReturnsWhenClosed)
{
    serveDescriptor("Stav;p.example;1");
    Form1& main = Form1::instance();
    main.show();
    bool wasModal = false;
    // Timers run during the download too; the window is looked at once it shows.
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        Form3* about = Form3::existing();
        if (!about || !about->isVisible())
            return;
        poll.stop();
        wasModal = about->isVisible() && about->isModal() && QApplication::activeModalWidget() == about;
        EXPECT_TRUE(Module1::fileExists(localFile(Module1::DescriptorFileName)));
        about->close();
    });
    poll.start(5);
    QTest::mouseClick(&main.Image5, Qt::LeftButton, {}, {16, 16});
    EXPECT_TRUE(wasModal);
    EXPECT_EQ(Form3::existing(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
    EXPECT_EQ(server.requests().size(), 1u);
}

} // namespace

namespace {

TEST_F(About, LinksTakeFocusWithTabAndActOnEnterAndSpaceThenEscapeCloses)
{
    serveDescriptor("Stav;p.example;1");
    Form3& about = Form3::instance();
    about.show();
    about.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&about));
    const auto framed
        = [](QWidget& l) { return l.grab().toImage().pixelColor(0, 5) == l.palette().color(QPalette::Highlight); };
    ASSERT_TRUE(about.Label4.hasFocus());
    EXPECT_FALSE(framed(about.Label4)); // until the keyboard moves the focus
    QTest::keyClick(&about.Label4, Qt::Key_Tab);
    EXPECT_TRUE(about.Label7.hasFocus());
    EXPECT_TRUE(framed(about.Label7));
    QTest::keyClick(&about.Label7, Qt::Key_Tab);
    EXPECT_TRUE(about.Label4.hasFocus());

    QTest::keyClick(&about.Label4, Qt::Key_Return);
    QTest::keyClick(&about.Label7, Qt::Key_Space);
    EXPECT_EQ(opened, (std::vector<std::string>{HomePage, "http://www.p.example"}));

    QTest::keyClick(&about.Label4, Qt::Key_Escape);
    EXPECT_EQ(Form3::existing(), nullptr);
    EXPECT_FALSE(std::filesystem::exists(localFile(Module1::DescriptorFileName)));
}

} // namespace
