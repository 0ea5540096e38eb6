#include "ProgramState.h"

#include "resources/IconFile.h"
#include "resources/Pictures.h"
#include "windows/Look.h"
#include "windows/QtCzech.h"
#include "windows/Twips.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QHash>
#include <QLineEdit>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionButton>

#include <cmath>
#include <iomanip>
#include <iostream>

namespace {

// Contrast ratio as the accessibility guidelines define it, from 1:1 to 21:1.
double luminance(const QColor& c)
{
    const auto channel = [](int value) {
        const double v = value / 255.0;
        return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.red()) + 0.7152 * channel(c.green()) + 0.0722 * channel(c.blue());
}

double contrast(const QColor& a, const QColor& b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette darkPalette()
{
    QPalette dark(QColor(60, 60, 60), QColor(40, 40, 40));
    for (const auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText, QPalette::ToolTipText})
        dark.setColor(role, QColor(230, 230, 230));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(120, 120, 120));
    return dark;
}

// A dark desktop theme as the program sees it: a style whose palette is dark.
class DarkTheme : public QProxyStyle {
public:
    DarkTheme() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) { }
    QPalette standardPalette() const override { return darkPalette(); }
    void polish(QPalette& palette) override { palette = darkPalette(); }
    using QProxyStyle::polish;
};

// The colour that most of an area shows: the ground under a text. In device pixels.
QColor groundOf(const QImage& image, const QRect& area)
{
    QHash<QRgb, int> counts;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            ++counts[image.pixel(x, y)];
    QRgb most = 0;
    int best = -1;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it) {
        if (it.value() > best) {
            best = it.value();
            most = it.key();
        }
    }
    return QColor(most);
}

// The painted colour that stands out most from the ground: the ink of a picture's text.
QColor inkOf(const QImage& image, const QRect& area, const QColor& ground)
{
    QColor ink = ground;
    const QRect inside = area.intersected(image.rect());
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (contrast(image.pixelColor(x, y), ground) > contrast(ink, ground))
                ink = image.pixelColor(x, y);
    return ink;
}

QRect scaled(const QRect& r, qreal ratio)
{
    return QRect(qRound(r.x() * ratio), qRound(r.y() * ratio), qRound(r.width() * ratio), qRound(r.height() * ratio));
}

void report(const QString& what, const QColor& text, const QColor& ground, double ratio)
{
    std::cout << std::left << std::setw(34) << what.toStdString() << text.name().toStdString() << " on "
              << ground.name().toStdString() << "  " << std::fixed << std::setprecision(2) << ratio << ":1\n";
}

class DarkDesktop : public ProgramTest {
protected:
    static void SetUpTestSuite()
    {
        // The desktop's dark theme is there when the program starts and comes again later,
        // as when the user switches themes while it runs.
        QApplication::setStyle(new DarkTheme);
        windows::useLightLook();
        QApplication::setStyle(new DarkTheme);
        // The About window's download fails at once on a closed local port.
        qputenv("http_proxy", "http://127.0.0.1:9");
        qputenv("no_proxy", "");
    }
};

// Every text of the windows against the ground it is drawn on, as the window shows it.
void expectReadableTexts(QWidget& window)
{
    window.ensurePolished();
    const QImage shot = window.grab().toImage();
    // For a look at them: TELIMER_TEST_SHOTS names a folder to keep the windows' pictures in.
    if (const QString folder = qEnvironmentVariable("TELIMER_TEST_SHOTS"); !folder.isEmpty())
        shot.save(folder + u'/' + window.windowTitle() + QStringLiteral(".png"));
    const qreal ratio = shot.devicePixelRatio();
    for (QWidget* control : window.findChildren<QWidget*>()) {
        if (!windows::isShown(*control) || control->isWindow())
            continue;
        if (auto* edit = qobject_cast<QPlainTextEdit*>(control))
            control = edit->viewport();
        else if (!qobject_cast<QLabel*>(control) && !qobject_cast<QAbstractButton*>(control)
                 && !qobject_cast<QLineEdit*>(control) && !qobject_cast<QComboBox*>(control))
            continue;
        const QPalette::ColorRole textRole = control->foregroundRole();
        if (!control->isEnabled())
            continue; // greyed on purpose
        const QColor text = control->palette().color(QPalette::Active, textRole);
        QRect area(control->mapTo(&window, QPoint()), control->size());
        if (qobject_cast<QLineEdit*>(control) || qobject_cast<QComboBox*>(control))
            area.adjust(3, 3, -3, -3); // inside the box's own frame
        const QColor ground = groundOf(shot, scaled(area, ratio));
        const double ratioFound = contrast(text, ground);
        QString name = control->objectName();
        if (auto* label = qobject_cast<QLabel*>(control))
            name = label->text().left(30);
        else if (auto* button = qobject_cast<QAbstractButton*>(control))
            name = button->text();
        else
            name = QString::fromLatin1(control->metaObject()->className());
        report(window.windowTitle() + QStringLiteral(": ") + name, text, ground, ratioFound);
        // The chart's pure red warning, bold and blinking by its picture: 3:1 on a light ground.
        const bool warning = Form5::existing() && control == &Form5::existing()->Label1;
        EXPECT_GE(ratioFound, warning ? 3 : 4.5) << name.toStdString() << " in " << window.windowTitle().toStdString();
        EXPECT_TRUE(!warning || ground.lightness() > 224) << ground.name().toStdString();
    }
}

TEST_F(DarkDesktop, EveryTextStandsOutFromItsGround)
{
    Form1& main = Form1::instance();
    expectReadableTexts(main);

    Form3& about = Form3::instance();
    expectReadableTexts(about);
    // The status line once it is no longer greyed, in both of its colours.
    about.Label15.setEnabled(true);
    expectReadableTexts(about);
    about.Label15.setEnabled(false);

    expectReadableTexts(Form4::instance());

    Form5& chart = Form5::instance();
    chart.Label1.show();
    expectReadableTexts(chart);
    EXPECT_EQ(chart.Label1.palette().color(QPalette::WindowText), QColor(255, 0, 0));
}

struct PictureText {
    const char* what;
    QRect area; // in pixels of the picture
};

TEST_F(DarkDesktop, PicturesPaintTheirOwnLightGround)
{
    Form1& main = Form1::instance();
    for (const auto& [control, picture] :
         {std::pair{&main.Image1, &pictures::BmiChart}, std::pair{&main.Image2, &pictures::Legend},
          std::pair{&main.Image4, &pictures::HelpButton}, std::pair{&main.Image5, &pictures::AboutButton},
          std::pair{&main.Image6, &pictures::QuitButton}}) {
        const QImage shot = control->grab().toImage();
        const QImage drawn = pictures::render(*picture, shot.devicePixelRatio());
        int notLight = 0;
        for (int y = 0; y < drawn.height(); ++y)
            for (int x = 0; x < drawn.width(); ++x)
                notLight += drawn.pixelColor(x, y).alpha() == 0 && shot.pixelColor(x, y) != pictures::ButtonFace;
        EXPECT_EQ(notLight, 0);
    }

    // The texts of the pictures: the chart's numbers and titles, the legend's labels.
    const qreal ratio = main.Image1.grab().devicePixelRatio();
    for (const auto& [picture, text] : {std::pair{&main.Image1, PictureText{"chart: BMI numbers", {20, 0, 22, 256}}},
                                        std::pair{&main.Image1, PictureText{"chart: age numbers", {40, 256, 266, 24}}},
                                        std::pair{&main.Image1, PictureText{"chart: axis titles", {0, 270, 307, 30}}},
                                        std::pair{&main.Image2, PictureText{"legend: labels", {30, 4, 60, 30}}}}) {
        const QImage shot = picture->grab().toImage();
        const QRect area = scaled(text.area, ratio);
        const QColor ground = groundOf(shot, area);
        const QColor ink = inkOf(shot, area, ground);
        report(QString::fromLatin1(text.what), ink, ground, contrast(ink, ground));
        EXPECT_GE(contrast(ink, ground), 4.5) << text.what;
        EXPECT_EQ(ground, pictures::ButtonFace) << text.what;
    }
}

TEST_F(DarkDesktop, WindowsKeepTheLightPalette)
{
    for (QWidget* window : std::initializer_list<QWidget*>{&Form1::instance(), &Form4::instance(), &Form5::instance()})
        EXPECT_EQ(window->palette().color(QPalette::Window), pictures::ButtonFace)
            << window->windowTitle().toStdString();
    EXPECT_EQ(QApplication::palette().color(QPalette::Text), QColor(Qt::black));
}

struct DrawnPalettes : QProxyStyle { // a style keeps what it drew under the palette's identity
    void drawComplexControl(ComplexControl c, const QStyleOptionComplex* o, QPainter* p,
                            const QWidget* w) const override
    {
        ++keys[o->palette.cacheKey()];
        QProxyStyle::drawComplexControl(c, o, p, w);
    }
    mutable QHash<qint64, int> keys;
};

TEST_F(DarkDesktop, EachHelpWindowDrawsItsScrollBarAsTheLastOneDid)
{
    DrawnPalettes drawn;
    for (int opening = 0; opening < 2; ++opening) {
        Form4::instance().Text1.verticalScrollBar()->setStyle(&drawn);
        Form4::instance().Text1.verticalScrollBar()->grab();
        Form4::instance().close();
    }
    EXPECT_EQ(drawn.keys.size(), 1u);
}

class Look : public ProgramTest { };

TEST_F(Look, FrameCaptionSitsOnTheBorderLine)
{
    Form1& main = Form1::instance();
    windows::Frame& frame = main.Frame1;
    const QImage shot = frame.grab().toImage();
    const qreal ratio = shot.devicePixelRatio();
    const QRgb line = frame.palette().color(QPalette::Dark).rgb();
    const QRect caption = frame.captionRect();
    const int top = frame.borderTop();
    // At a fractional scale the one-pixel line lands on a neighbouring device row.
    int row = qFloor((top - 1) * ratio);
    while (row < (top + 1) * ratio && shot.pixel(qRound(2 * ratio), row) != line)
        ++row;

    // The top border runs left and right of the caption, and not through it.
    EXPECT_EQ(shot.pixel(qRound(2 * ratio), row), line);
    EXPECT_EQ(shot.pixel(qRound((frame.width() - 4) * ratio), row), line);
    EXPECT_EQ(shot.pixel(qRound((caption.right() + 8) * ratio), row), line);
    int run = 0, longestRun = 0; // a letter may hold a pixel or two of the line's grey
    for (int x = qRound(caption.left() * ratio); x < qRound(caption.right() * ratio); ++x) {
        run = shot.pixel(x, row) == line ? run + 1 : 0;
        longestRun = std::max(longestRun, run);
    }
    EXPECT_LT(longestRun, 3);

    // The line passes through the caption's letters, about their middle.
    const QColor ground = frame.palette().color(QPalette::Window);
    int inkTop = shot.height(), inkBottom = -1;
    for (int y = 0; y < qRound(caption.bottom() * ratio) + 1; ++y)
        for (int x = qRound(caption.left() * ratio); x < qRound(caption.right() * ratio); ++x)
            if (contrast(shot.pixelColor(x, y), ground) > 3) {
                inkTop = std::min(inkTop, y);
                inkBottom = std::max(inkBottom, y);
            }
    ASSERT_GE(inkBottom, 0) << "no caption drawn";
    EXPECT_LT(inkTop, row);
    EXPECT_GT(inkBottom, row);
    EXPECT_LE(std::abs((inkTop + inkBottom) / 2 - row), qRound(2 * ratio));

    // The contents keep their places below the line, inside the frame.
    EXPECT_EQ(main.Text3.geometry(), QRect(96, 24, 57, 19));
    EXPECT_LT(top + 1, main.Label4.y());
    EXPECT_LT(frame.mapTo(&main, QPoint(0, top)).y(), 8 + 12) << "the border sits low as it did under Fusion";
}

// The build paints the window icon and the program carries its pixels: the task bar shows the
// drawing at each size, colours and transparency as painted.
TEST_F(Look, WindowIconIsTheDrawingAtEachSmallSize)
{
    const QIcon icon = Form1::instance().windowIcon();
    for (const int size : pictures::WindowIconSizes) {
        QImage drawn = pictures::render(pictures::Icon, size / qreal(pictures::Icon.width));
        drawn.setDevicePixelRatio(1);
        EXPECT_EQ(icon.pixmap(QSize(size, size), 1).toImage().convertToFormat(drawn.format()), drawn) << size;
    }
}

TEST_F(Look, OptionCirclesAreWhole)
{
    Form1& main = Form1::instance();
    for (QRadioButton* option : {&main.Option1, &main.Option2}) {
        QStyleOptionButton style;
        style.initFrom(option);
        const QRect circle = option->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, option);
        EXPECT_TRUE(option->rect().contains(circle)) << option->text().toStdString();
        // Still on the row of the age box they stand beside.
        EXPECT_LE(std::abs(option->geometry().center().y() - twips::toPixels(360 + 195 / 2.0)), 1);
    }
}

TEST_F(Look, QtTextsAreCzechWhateverTheLocale)
{
    const QLocale before = QLocale();
    ASSERT_TRUE(windows::loadQtCzech()) << "Qt's Czech translation is not installed";
    QLineEdit box;
    box.setText(QStringLiteral("70"));
    std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    QStringList texts;
    for (const QAction* action : menu->actions())
        if (!action->isSeparator())
            texts << action->text().section(u'\t', 0, 0); // without the shortcut
    EXPECT_EQ(texts.join(u'|').toStdString(), "&Zpět|&Znovu|&Vyjmout|&Kopírovat|&Vložit|Smazat|Vybrat vše");

    // Numbers still follow the system's locale.
    EXPECT_EQ(QLocale(), before);
    EXPECT_EQ(QLocale(), QLocale::system());
    const QString expected = QStringLiteral("Váš BMI (body mass index) je : 22") + QLocale::system().decimalPoint()
        + QStringLiteral("598");
    EXPECT_EQ(Form1::instance().Label3.text(), expected);
}

} // namespace
