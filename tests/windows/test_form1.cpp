#include "ProgramState.h"

#include "model/ReferencePlacement.h"
#include "windows/Twips.h"

#include <QClipboard>
#include <QLocale>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>
#include <private/qlocale_p.h>

#include <string>

namespace {

using windows::isShown;

class MainWindow : public ProgramTest {
protected:
    Form1& form() { return Form1::instance(); }

    static QString caption(const QString& number) { return QStringLiteral("Váš BMI (body mass index) je : ") + number; }
    static QString localNumber(QString number) { return number.replace(u'.', QLocale::system().decimalPoint()); }
    // Text that reaches a box by other ways than typing, as a paste from the context menu does.
    static void paste(QLineEdit& box, const QString& text)
    {
        box.selectAll();
        box.insert(text);
    }
};

TEST_F(MainWindow, StartsWithTheDefaultEvaluation)
{
    Form1& f = form();
    EXPECT_EQ(f.Label3.text(), caption(localNumber("22.598")));
    EXPECT_EQ(f.Label5.text(), QStringLiteral("18,5–25     Ideální váha"));
    EXPECT_EQ(f.Combo1.currentText(), "cm");
    EXPECT_EQ(f.Combo1.count(), 2);
    EXPECT_TRUE(f.Option1.isChecked());
    EXPECT_EQ(Module1::Vyska, 176.0f);
    EXPECT_EQ(Module1::Hmotnost, 70.0f);
    ASSERT_TRUE(Form2::existing());
    ASSERT_TRUE(Form5::existing());
    EXPECT_FALSE(Form2::existing()->isVisible());
    EXPECT_FALSE(Form5::existing()->isVisible());
    EXPECT_EQ(Form2::existing()->Shape1.Top(), 4475);

    EXPECT_FLOAT_EQ(f.Line1.X1(), 813.75f);
    EXPECT_FLOAT_EQ(f.Line1.X2(), 813.75f);
    EXPECT_NEAR(f.Line1.Y1(), 2215.355, 0.001);
    EXPECT_NEAR(f.Line1.Y2(), 2515.355, 0.001);
    EXPECT_FLOAT_EQ(f.Line2.X1(), 663.75f);
    EXPECT_FLOAT_EQ(f.Line2.X2(), 963.75f);
    EXPECT_NEAR(f.Line2.Y1(), 2365.355, 0.001);
    EXPECT_EQ(f.Line2.Y2(), f.Line2.Y1());
    EXPECT_EQ(f.size(), QSize(640, 375));
    EXPECT_EQ(f.windowTitle(), "Telimer");
}

TEST_F(MainWindow, CzechLocaleWritesDecimalComma)
{
    // While it exists, Qt takes its regional settings for the user's, whatever locale the tests
    // run in (its own ctest entry and the Windows run check a Czech environment besides).
    class CzechSystem : public QSystemLocale {
        QVariant query(QueryType, QVariant) const override { return {}; }
        QLocale fallbackLocale() const override { return QLocale(QLocale::Czech, QLocale::Czechia); }
    };
    const CzechSystem czech;
    EXPECT_EQ(form().Label3.text(), caption("22,598"));
}

TEST_F(MainWindow, OnlyDigitsAndBackspaceCanBeTyped)
{
    Form1& f = form();
    for (windows::TextBox* box : {&f.Text1, &f.Text2, &f.Text3}) {
        const QString before = box->text();
        box->setFocus();
        box->end(false);
        QTest::keyClicks(box, "a.,- +eE");
        QTest::keyClick(box, Qt::Key_Return);
        QTest::keyClick(box, Qt::Key_Escape);
        EXPECT_EQ(box->text(), before);
        QTest::keyClick(box, Qt::Key_5);
        EXPECT_EQ(box->text(), before + "5");
        QTest::keyClick(box, Qt::Key_Backspace);
        EXPECT_EQ(box->text(), before);
    }
}

TEST_F(MainWindow, ShortcutsArrivingAsCharactersAreSwallowed)
{
    Form1& f = form();
    QGuiApplication::clipboard()->setText(QStringLiteral("99"));
    f.Text1.selectAll();
    QTest::keyClick(&f.Text1, Qt::Key_V, Qt::ControlModifier);
    QTest::keyClick(&f.Text1, Qt::Key_X, Qt::ControlModifier);
    EXPECT_EQ(f.Text1.text(), "70");
    // A real X server sends Ctrl+V with the text "\x16".
    QKeyEvent rawPaste(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier, QStringLiteral("\x16"));
    QCoreApplication::sendEvent(&f.Text1, &rawPaste);
    EXPECT_EQ(f.Text1.text(), "70");
    // Delete arrives as "\x7f" from X and is an editing key, not a character.
    f.Text1.setCursorPosition(0);
    QKeyEvent del(QEvent::KeyPress, Qt::Key_Delete, Qt::NoModifier, QStringLiteral("\x7f"));
    QCoreApplication::sendEvent(&f.Text1, &del);
    EXPECT_EQ(f.Text1.text(), "1"); // "0" left by the deletion turns into "1"
}

TEST_F(MainWindow, ComposedTextKeepsOnlyDigits)
{
    Form1& f = form();
    f.Text1.setFocus();
    f.Text1.end(false);
    QInputMethodEvent commit;
    commit.setCommitString(QStringLiteral("1a,2"));
    QCoreApplication::sendEvent(&f.Text1, &commit);
    EXPECT_EQ(f.Text1.text(), "7012");
}

TEST_F(MainWindow, EmptiedOrZeroBoxesBecomeOne)
{
    Form1& f = form();
    f.Text1.selectAll();
    QTest::keyClick(&f.Text1, Qt::Key_Backspace);
    EXPECT_EQ(f.Text1.text(), "1");
    EXPECT_EQ(Module1::Hmotnost, 1.0f);

    f.Text3.selectAll();
    QTest::keyClick(&f.Text3, Qt::Key_0);
    EXPECT_EQ(f.Text3.text(), "1");
    f.Text3.setText(QStringLiteral("00"));
    EXPECT_EQ(f.Text3.text(), "00");
    EXPECT_EQ(f.Vek, 0.0f);
}

TEST_F(MainWindow, HeightBoxChoosesTheUnit)
{
    Form1& f = form();
    struct Case {
        const char* text;
        const char* unit;
        float height;
    };
    for (const Case& c : {Case{"2", "m", 200}, Case{"3", "cm", 3}, Case{"2.88", "cm", 2.88f},
                          Case{"2.879", "m", 287.9f}, Case{"1,76", "m", 176}, Case{"176", "cm", 176}}) {
        paste(f.Text2, QString::fromLatin1(c.text));
        EXPECT_EQ(f.Combo1.currentText(), c.unit) << c.text;
        EXPECT_FLOAT_EQ(Module1::Vyska, c.height) << c.text;
    }
    paste(f.Text2, QStringLiteral("1,76"));
    EXPECT_EQ(f.Text2.text(), "1.76");
    EXPECT_EQ(f.Label3.text(), caption(localNumber("22.598")));

    // Typing 176 passes through 1 m and 17 cm.
    f.Text2.selectAll();
    QTest::keyClick(&f.Text2, Qt::Key_1);
    EXPECT_EQ(f.Combo1.currentText(), "m");
    QTest::keyClick(&f.Text2, Qt::Key_7);
    EXPECT_EQ(f.Combo1.currentText(), "cm");
    EXPECT_EQ(Module1::Vyska, 17.0f);
}

TEST_F(MainWindow, UnitAndSexClicksReevaluate)
{
    Form1& f = form();
    f.Combo1.setCurrentText(QStringLiteral("m"));
    EXPECT_EQ(Module1::Vyska, 176.0f); // a selection from code raises nothing
    emit f.Combo1.activated(0);
    EXPECT_EQ(Module1::Vyska, 17600.0f);
    EXPECT_EQ(f.Label3.text(), caption(localNumber("0.002")));
    EXPECT_EQ(f.Label5.text(), QStringLiteral("BMI < 18.5  Podváha"));

    f.Combo1.setCurrentText(QStringLiteral("cm"));
    Module1::Vyska = 0;
    QTest::mouseClick(&f.Option2, Qt::LeftButton);
    EXPECT_EQ(Module1::Vyska, 176.0f);
    const QString before = f.Label3.text();
    QTest::mouseClick(&f.Option1, Qt::LeftButton);
    EXPECT_EQ(f.Label3.text(), before);
}

TEST_F(MainWindow, NoIndexLeavesMarkerAndShowsNoNumber)
{
    Form1& f = form();
    const float x = f.Line1.X1(), y = f.Line1.Y1();
    for (const QString& height :
         {QStringLiteral("00"), QStringLiteral("176"), QString(40, u'9'), QStringLiteral("1e39")}) {
        if (height == "176") {
            paste(f.Text2, height);
            continue;
        }
        paste(f.Text2, height);
        EXPECT_EQ(f.Label3.text(), caption("")) << height.toStdString();
        EXPECT_TRUE(f.Label5.text().isEmpty());
        EXPECT_EQ(f.Line1.X1(), x);
        EXPECT_EQ(f.Line1.Y1(), y);
    }
    EXPECT_EQ(f.Combo1.currentText(), "cm"); // heights beyond any range left the unit alone
    paste(f.Text1, QString(1 << 20, u'7'));
    EXPECT_EQ(f.Text1.text().size(), 32767); // as long as the platform's edit control takes
    EXPECT_EQ(f.Label3.text(), caption(""));
    paste(f.Text1, QStringLiteral("70"));
    paste(f.Text2, QStringLiteral("176"));
    EXPECT_EQ(f.Label3.text(), caption(localNumber("22.598")));
}

TEST_F(MainWindow, FarMarkerStaysWithinIntegerGeometry)
{
    Form1& f = form();
    paste(f.Text3, QString(20, u'9'));
    EXPECT_GT(f.Line1.X1(), 1e19f);
    EXPECT_LE(f.Line1.geometry().right(), twips::PixelLimit + 10);
    paste(f.Text3, QStringLiteral("0"));
    EXPECT_EQ(f.Text3.text(), "1");
}

TEST_F(MainWindow, CaptionsTurnBoldUnderThePointer)
{
    Form1& f = form();
    auto move = [](QWidget& target, QPoint at) {
        QMouseEvent event(QEvent::MouseMove, at, target.mapToGlobal(at), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&target, &event);
    };
    move(f.Image4, QPoint(5, 5));
    EXPECT_TRUE(f.Label11.font().bold());
    move(f.Label11, QPoint(2, 2)); // over a caption nothing changes
    EXPECT_TRUE(f.Label11.font().bold());
    move(f.Image6, QPoint(5, 5));
    EXPECT_TRUE(f.Label13.font().bold());
    move(f, QPoint(5, 370)); // bare window surface
    for (QLabel* label : {&f.Label6, &f.Label7, &f.Label11, &f.Label12, &f.Label13})
        EXPECT_FALSE(label->font().bold());
}

TEST_F(MainWindow, TimerBlinksMarkersOfAllThreeWindows)
{
    Form1& f = form();
    f.Timer1_Timer();
    EXPECT_FALSE(isShown(f.Line1));
    EXPECT_FALSE(isShown(f.Line2));
    EXPECT_FALSE(isShown(Form2::instance().Shape1));
    EXPECT_FALSE(isShown(Form5::instance().Line1));
    f.Timer1_Timer();
    EXPECT_TRUE(isShown(f.Line1));
    EXPECT_TRUE(isShown(Form2::instance().Shape1));
    EXPECT_TRUE(isShown(Form5::instance().Line2));

    // Off the weight-by-height chart its cross is hidden and left alone.
    f.Text1.setText(QStringLiteral("35"));
    EXPECT_FALSE(isShown(Form5::instance().Line1));
    f.Timer1_Timer();
    f.Timer1_Timer();
    f.Timer1_Timer();
    EXPECT_FALSE(isShown(Form5::instance().Line1));
    EXPECT_FALSE(isShown(Form2::instance().Shape1));
    EXPECT_FALSE(isShown(f.Line1));
    f.Text1.setText(QStringLiteral("70"));
    EXPECT_TRUE(isShown(Form5::instance().Line1));
}

TEST_F(MainWindow, ClosedReferenceWindowComesBackHidden)
{
    Form1& f = form();
    Form2* first = Form2::existing();
    first->show();
    first->close();
    EXPECT_EQ(Form2::existing(), nullptr);
    f.Timer1_Timer();
    ASSERT_NE(Form2::existing(), nullptr);
    EXPECT_NE(Form2::existing(), first);
    EXPECT_FALSE(Form2::existing()->isVisible());
    EXPECT_EQ(Form2::existing()->Shape1.Top(), 4475);
    QTest::mouseClick(&f.Image3, Qt::LeftButton);
    EXPECT_TRUE(Form2::existing()->isVisible());
    QTest::mouseClick(&f.Image7, Qt::LeftButton);
    EXPECT_TRUE(Form5::existing()->isVisible());
    QTest::mouseClick(&f.Image4, Qt::LeftButton);
    ASSERT_NE(Form4::existing(), nullptr);
    EXPECT_TRUE(Form4::existing()->isVisible());
}

TEST_F(MainWindow, QuitButtonEndsTheProgramAndHidesEveryWindow)
{
    Form1& f = form();
    f.show();
    Form2::instance().show();
    Form4::instance().show();
    QTimer::singleShot(0, &f, [&f] { QTest::mouseClick(&f.Image6, Qt::LeftButton); });
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(f.isVisible());
    EXPECT_FALSE(Form2::instance().isVisible());
    EXPECT_FALSE(Form4::instance().isVisible());
}

TEST_F(MainWindow, ClosingTheMainWindowEndsTheProgram)
{
    Form1& f = form();
    f.show();
    Form5::instance().show();
    QTimer::singleShot(0, &f, [&f] { f.close(); });
    EXPECT_EQ(runProgram(), 0);
    EXPECT_FALSE(Form5::instance().isVisible());
}

} // namespace
