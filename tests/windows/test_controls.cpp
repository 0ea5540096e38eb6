#include "ProgramState.h"

#include "windows/Controls.h"
#include "windows/Labels.h"
#include "windows/Layout.h"
#include "windows/Showing.h"
#include "windows/Twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QTextDocument>
#include <QTimer>

#include <cmath>
#include <limits>

namespace {

struct KeyCase {
    Qt::Key key;
    Qt::KeyboardModifiers modifiers;
    const char* text;
    int code; // -1: no character
};

class CharacterCodes : public ::testing::TestWithParam<KeyCase> { };

TEST_P(CharacterCodes, SameCodeWhicheverWayTheKeyArrives)
{
    const KeyCase& c = GetParam();
    const QKeyEvent event(QEvent::KeyPress, c.key, c.modifiers, QString::fromLatin1(c.text));
    const auto code = windows::TextBox::characterCode(event);
    if (c.code < 0)
        EXPECT_FALSE(code);
    else
        EXPECT_EQ(code.value_or(-1), c.code);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, CharacterCodes,
    ::testing::Values(
        KeyCase{Qt::Key_5, Qt::NoModifier, "5", '5'}, KeyCase{Qt::Key_A, Qt::NoModifier, "a", 'a'},
        KeyCase{Qt::Key_V, Qt::ControlModifier, "v", 22}, KeyCase{Qt::Key_V, Qt::ControlModifier, "\x16", 22},
        KeyCase{Qt::Key_C, Qt::ControlModifier, "", 3}, KeyCase{Qt::Key_Z, Qt::ControlModifier, "\x1a", 26},
        KeyCase{Qt::Key_Backspace, Qt::NoModifier, "\b", 8}, KeyCase{Qt::Key_Return, Qt::NoModifier, "\r", 13},
        KeyCase{Qt::Key_Delete, Qt::NoModifier, "\x7f", -1}, KeyCase{Qt::Key_Delete, Qt::NoModifier, "", -1},
        KeyCase{Qt::Key_Left, Qt::NoModifier, "", -1}, KeyCase{Qt::Key_Home, Qt::ShiftModifier, "", -1}));

TEST(Twips, ConversionRoundsAndClamps)
{
    EXPECT_EQ(twips::toPixels(4800), 320);
    EXPECT_EQ(twips::toPixels(813.75), 54);
    EXPECT_EQ(twips::toPixels(-823.75), -55);
    EXPECT_EQ(twips::toPixels(1e30), 100000);
    EXPECT_EQ(twips::toPixels(-std::numeric_limits<double>::infinity()), -100000);
    EXPECT_EQ(twips::toPixels(std::nan("")), 0);
    EXPECT_EQ(twips::toPixels(120, 120, 4575, 1815), QRect(8, 8, 305, 121));
    EXPECT_EQ(twips::pointsToPixels(9.75), 13);
    EXPECT_EQ(twips::pointsToPixels(8.25), 11);
}

TEST(Captions, DoubledAmpersandShowsOnce)
{
    EXPECT_EQ(windows::visibleCaption(QStringLiteral("O programu && aktualizace")),
              QStringLiteral("O programu & aktualizace"));
    EXPECT_EQ(windows::visibleCaption(QStringLiteral("&Konec")), QStringLiteral("Konec"));
    EXPECT_EQ(windows::visibleCaption(QStringLiteral("a&")), QStringLiteral("a"));
}

// Tooltip texts from outside read as they are, markup included, and wrap within a width.
TEST(PlainToolTips, MarkupShowsTheTextCharacterForCharacter)
{
    for (const QString& text : {QStringLiteral("<b>tučně</b>"), QStringLiteral("<!DOCTYPE html><qt>x"),
                                QStringLiteral("a  b\tc "), QStringLiteral("&amp; &lt;"), QString(300, u'w')}) {
        const QString markup = windows::plainToolTipMarkup(text);
        EXPECT_TRUE(Qt::mightBeRichText(markup)) << markup.toStdString();
        QTextDocument shown;
        shown.setHtml(markup);
        const QString plain = shown.toPlainText();
        EXPECT_EQ(QString(plain).remove(QChar(0x200b)), text);
        for (const QString& run : plain.split(QChar(0x200b)))
            EXPECT_LE(run.size(), 40) << text.toStdString();
    }
}

TEST(Lines, EndsKeepTheirValuesAndWidgetCoversOnlyTheLine)
{
    windows::Line line(Qt::red);
    line.setEnds(813.75f, 2215.355f, 813.75f, 2515.355f);
    EXPECT_EQ(line.Y1(), 2215.355f);
    EXPECT_EQ(line.geometry(), QRect(QPoint(52, 146), QPoint(56, 170)));
    line.setX1(std::numeric_limits<float>::infinity());
    EXPECT_LE(line.geometry().right(), twips::PixelLimit + 2);
}

class Windows : public ProgramTest { };

TEST_F(Windows, ClosedWindowIsForgottenAtOnceAndCreatedAfresh)
{
    Form4& first = Form4::instance();
    first.show();
    first.close();
    EXPECT_EQ(Form4::existing(), nullptr);
    Form4& second = Form4::instance();
    EXPECT_NE(&second, &first);
    EXPECT_FALSE(second.isVisible());
}

TEST_F(Windows, ModalShowReturnsWhenTheWindowCloses)
{
    Form4& help = Form4::instance();
    QTimer::singleShot(0, &help, [&help] {
        EXPECT_TRUE(help.isModal());
        help.close();
    });
    windows::showModal(help);
    EXPECT_EQ(Form4::existing(), nullptr);
}

TEST_F(Windows, EveryLabelIsPlainText)
{
    for (QWidget* window : {static_cast<QWidget*>(&Form1::instance()), static_cast<QWidget*>(&Form5::instance())}) {
        for (const QLabel* label : window->findChildren<QLabel*>())
            EXPECT_EQ(label->textFormat(), Qt::PlainText) << label->text().toStdString();
    }
}

TEST_F(Windows, EveryLabelShowsItsWholeText)
{
    Form1& main = Form1::instance();
    Form5& chart = Form5::instance();
    chart.Label1.show();
    const auto check = [&] {
        for (QWidget* window : {static_cast<QWidget*>(&main), static_cast<QWidget*>(&chart)}) {
            for (const QLabel* label : window->findChildren<QLabel*>()) {
                const std::string name = label->text().toStdString();
                const QPoint offset = label->parentWidget()->mapTo(window, QPoint());
                EXPECT_TRUE(window->rect().contains(label->geometry().translated(offset))) << name;
                if (label->wordWrap())
                    EXPECT_LE(label->heightForWidth(label->width()), label->height()) << name;
                else
                    EXPECT_LE(label->sizeHint().width(), label->width()) << name;
            }
        }
    };
    check();
    // The picture buttons' captions turn bold under the pointer, and still fit.
    main.Image3_MouseMove();
    main.Image4_MouseMove();
    main.Image5_MouseMove();
    main.Image6_MouseMove();
    main.Image7_MouseMove();
    check();

    // The longest indexes before the exponent form (a pasted sign makes one more character)
    // and the longest exponent form still fit the result line.
    main.Text2.setText(QStringLiteral("100"));
    for (const char* weight : {"99999991988224", "-99999991988224", "-3.3333333e37"}) {
        main.Text1.setText(QString::fromLatin1(weight));
        EXPECT_LE(main.Label3.sizeHint().width(), main.Label3.width()) << main.Label3.text().toStdString();
    }
    EXPECT_EQ(main.Label3.text(), QStringLiteral("Váš BMI (body mass index) je : -3.333333E+37"));
    main.Text1.setText(QStringLiteral("99999991988224"));
    EXPECT_EQ(main.Label3.text(), QStringLiteral("Váš BMI (body mass index) je : 99999991988224"));
}

} // namespace
