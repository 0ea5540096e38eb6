#include "windows/Form1.h"

#include "model/Evaluation.h"
#include "model/KeyFilter.h"
#include "model/MainWindowResult.h"
#include "model/Module1.h"
#include "model/NumberReader.h"
#include "model/ReferencePlacement.h"
#include "resources/Fonts.h"
#include "resources/Pictures.h"
#include "windows/Application.h"
#include "windows/DecimalSeparator.h"
#include "windows/Form2.h"
#include "windows/Form3.h"
#include "windows/Form4.h"
#include "windows/Form5.h"
#include "windows/Layout.h"
#include "windows/ProgramIcon.h"
#include "windows/Showing.h"

#include <QMouseEvent>
#include <QShortcut>

using fonts::Face;

namespace {

const QColor MarkerColour(192, 0, 0);

QString fromUtf8(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

} // namespace

Form1::Form1()
    : Line2(MarkerColour), Line1(MarkerColour), Image2(pictures::Legend), Image1(pictures::BmiChart),
      Text3([this](short& k) { Text3_KeyPress(k); }), Text2([this](short& k) { Text2_KeyPress(k); }),
      Text1([this](short& k) { Text1_KeyPress(k); }), Image7(pictures::ChartMiniature), Image6(pictures::QuitButton),
      Image5(pictures::AboutButton), Image4(pictures::HelpButton), Image3(pictures::TableMiniature)
{
    setWindowTitle(QStringLiteral("Telimer"));
    setWindowIcon(windows::programIcon());
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setFixedSize(640, 375);
    setMouseTracking(true);
    layOut();
    connectHandlers();
    Timer1.start(250);
}

void Form1::layOut()
{
    windows::applyLayout({
        {&Frame2, this, 4800, 120, 4695, 5415},   {&Image2, &Frame2, 600, 4680, 3900, 585},
        {&Image1, &Frame2, 0, 0, 4605, 4500},     {&Frame1, this, 120, 120, 4575, 1815},
        {&Option2, &Frame1, 3480, 360, 735, 195}, {&Option1, &Frame1, 2520, 360, 735, 195},
        {&Text3, &Frame1, 1440, 360, 855, 285},   {&Combo1, &Frame1, 2520, 1305, 855, 315},
        {&Text2, &Frame1, 1440, 1320, 855, 285},  {&Text1, &Frame1, 1440, 840, 855, 285},
        {&Label4, &Frame1, 840, 360, 375, 195},   {&Label2, &Frame1, 720, 1350, 525, 195},
        {&Label1, &Frame1, 120, 870, 1125, 195},  {&Label7, this, 3000, 3840, 1080, 555},
        {&Label6, this, 600, 3840, 1080, 435},    {&Image7, this, 3120, 2760, 825, 915},
        {&Label13, this, 3360, 5040, 705, 195},   {&Label12, this, 1680, 5040, 1215, 555},
        {&Label11, this, 360, 5040, 975, 195},    {&Image6, this, 3480, 4440, 480, 480},
        {&Image5, this, 2040, 4440, 480, 480},    {&Image4, this, 600, 4440, 480, 480},
        {&Label5, this, 120, 2280, 4320, 240},    {&Image3, this, 720, 2760, 825, 915},
        {&Label3, this, 120, 2040, 4575, 240},
    });
    // The marker lies over the chart, in front of everything else in its frame.
    for (windows::Line* arm : {&Line2, &Line1}) {
        arm->setParent(&Frame2);
        arm->raise();
    }
    Line2.setEnds(960, 2400, 720, 2400);
    Line1.setEnds(840, 2280, 840, 2520);

    Frame1.setTitle(QStringLiteral("Zadejte Vaše údaje"));
    Option2.setText(QStringLiteral("žena"));
    Option1.setText(QStringLiteral("muž"));
    Option1.setChecked(true);
    Text3.setText(QStringLiteral("20"));
    Text2.setText(QStringLiteral("176"));
    Text1.setText(QStringLiteral("70"));
    windows::setupLabel(Label4, QStringLiteral("Věk :"));
    windows::setupLabel(Label2, QStringLiteral("Výška :"));
    windows::setupLabel(Label1, QStringLiteral("Hmotnost v kg :"));
    windows::setupLabel(Label7, QStringLiteral("Hmotnost podle výšky"), Qt::AlignHCenter);
    windows::setupLabel(Label6, QStringLiteral("Hmotnost u mužů a žen"), Qt::AlignHCenter);
    windows::setupLabel(Label13, QStringLiteral("Konec"), Qt::AlignHCenter);
    windows::setupLabel(Label12, QStringLiteral("O programu && aktualizace"), Qt::AlignHCenter);
    windows::setupLabel(Label11, QStringLiteral("Nápověda"), Qt::AlignHCenter);
    windows::setupLabel(Label5, QStringLiteral("BMI < 18.5  Podváha"), Qt::AlignHCenter);
    windows::setupLabel(Label3, QStringLiteral("Váš BMI (body mass index) je : 22,598"), Qt::AlignHCenter);
    Label5.setFont(fonts::font(Face::Mono, fonts::WindowCaptionSize, true));
    Label3.setFont(fonts::font(Face::Sans, fonts::WindowCaptionSize, true));
    QPalette grey = Label5.palette();
    grey.setColor(QPalette::WindowText, windows::GreyText);
    Label5.setPalette(grey);

    windows::keepSingleLineLabelsWhole(*this);
    windows::keepOptionCirclesWhole(Frame1);
    describeForAssistiveTechnology();
    // The picture buttons take focus from here on, so they join the order after the boxes.
    QWidget* tabOrder[]
        = {&Text3, &Option1, &Option2, &Text1, &Text2, &Combo1, &Image3, &Image7, &Image4, &Image5, &Image6};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
    Text3.setFocus();
}

void Form1::describeForAssistiveTechnology()
{
    const std::pair<windows::TextBox*, QLabel*> boxes[] = {{&Text3, &Label4}, {&Text1, &Label1}, {&Text2, &Label2}};
    for (const auto& [box, label] : boxes)
        windows::nameAfterLabel(*box, *label);
    // Qt on Linux names a combo box by its value and leaves its purpose to a label it lacks
    // here, so the purpose goes into the description as well.
    Combo1.setAccessibleName(QStringLiteral("Jednotka výšky"));
    Combo1.setAccessibleDescription(Combo1.accessibleName());

    // The picture buttons are named by the captions beneath them.
    const std::pair<windows::Picture*, QLabel*> buttons[]
        = {{&Image3, &Label6}, {&Image7, &Label7}, {&Image4, &Label11}, {&Image5, &Label12}, {&Image6, &Label13}};
    for (const auto& [button, caption] : buttons) {
        button->actAsButton();
        button->setAccessibleName(caption->text());
    }
    Image1.setAccessibleName(QStringLiteral("Graf BMI podle věku"));
    Image2.setAccessibleName(QStringLiteral("Legenda grafu"));
}

void Form1::connectHandlers()
{
    connect(&Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this, &Form1::Image4_Click);
    connect(&Text1, &QLineEdit::textChanged, this, &Form1::Text1_Change);
    connect(&Text2, &QLineEdit::textChanged, this, &Form1::Text2_Change);
    connect(&Text3, &QLineEdit::textChanged, this, &Form1::Text3_Change);
    connect(&Combo1, &QComboBox::activated, this, &Form1::Combo1_Click);
    connect(&Option1, &QRadioButton::clicked, this, &Form1::Option1_Click);
    connect(&Option2, &QRadioButton::clicked, this, &Form1::Option2_Click);
    connect(&Image3, &windows::Picture::mouseMoved, this, &Form1::Image3_MouseMove);
    connect(&Image4, &windows::Picture::mouseMoved, this, &Form1::Image4_MouseMove);
    connect(&Image5, &windows::Picture::mouseMoved, this, &Form1::Image5_MouseMove);
    connect(&Image6, &windows::Picture::mouseMoved, this, &Form1::Image6_MouseMove);
    connect(&Image7, &windows::Picture::mouseMoved, this, &Form1::Image7_MouseMove);
    connect(&Image3, &windows::Picture::clicked, this, &Form1::Image3_Click);
    connect(&Image4, &windows::Picture::clicked, this, &Form1::Image4_Click);
    connect(&Image5, &windows::Picture::clicked, this, &Form1::Image5_Click);
    connect(&Image6, &windows::Picture::clicked, this, &Form1::Image6_Click);
    connect(&Image7, &windows::Picture::clicked, this, &Form1::Image7_Click);
}

void Form1::Form_Load()
{
    using model::HeightUnit;
    Combo1.addItem(fromUtf8(model::unitText(HeightUnit::Metres)));
    Combo1.addItem(fromUtf8(model::unitText(HeightUnit::Centimetres)));
    Combo1.setCurrentText(fromUtf8(model::unitText(HeightUnit::Centimetres)));
    Vypocet();
}

void Form1::Form_Unload()
{
    windows::endProgram();
}

void Form1::Vypocet()
{
    // Writing back a changed text re-enters through the box's change handler, which evaluates
    // the normalised text before this run goes on; an unchanged text raises nothing.
    writeBack(Text1, model::withDecimalPoints(Text1.text().toStdString()));
    writeBack(Text2, model::withDecimalPoints(Text2.text().toStdString()));

    const model::MainWindowResult r = model::evaluateForMainWindow(
        Text1.text().toStdString(), Text2.text().toStdString(), Text3.text().toStdString(),
        Combo1.currentText().toStdString(), Module1::Vyska, windows::decimalSeparator());
    Module1::Vyska = r.values.height;
    Module1::Hmotnost = r.values.weight;
    Vek = r.values.age;

    Label3.setText(fromUtf8(r.caption));
    Label3.announce(fromUtf8(r.announcement));
    Image1.setAccessibleDescription(fromUtf8(r.chartDescription));
    Label5.setText(fromUtf8(r.band));
    if (r.marker) {
        BMI = *r.values.bmi;
        const model::Cross& cross = *r.marker;
        Line1.setEnds(cross.vertical.x1, cross.vertical.y1, cross.vertical.x2, cross.vertical.y2);
        Line2.setEnds(cross.horizontal.x1, cross.horizontal.y1, cross.horizontal.x2, cross.horizontal.y2);
    }

    Form2::instance().Zobrazeni();
    Form5::instance().Zobrazeni1();
}

void Form1::Text1_KeyPress(short& KeyAscii)
{
    KeyAscii = model::typedKey(KeyAscii);
}
void Form1::Text2_KeyPress(short& KeyAscii)
{
    KeyAscii = model::typedKey(KeyAscii);
}
void Form1::Text3_KeyPress(short& KeyAscii)
{
    KeyAscii = model::typedKey(KeyAscii);
}

void Form1::writeBack(windows::TextBox& box, std::string_view text)
{
    const QString written = fromUtf8(text);
    if (box.text() != written)
        box.setText(written);
}

void Form1::replaceEmptyOrZero(windows::TextBox& box)
{
    if (box.text().isEmpty() || box.text() == QStringLiteral("0")) {
        box.setText(QStringLiteral("1"));
        box.selectAll();
    }
}

void Form1::Text1_Change()
{
    replaceEmptyOrZero(Text1);
    Vypocet();
}

void Form1::Text3_Change()
{
    replaceEmptyOrZero(Text3);
    Vypocet();
}

void Form1::Text2_Change()
{
    replaceEmptyOrZero(Text2);
    const model::HeightUnit unit = model::suggestedUnit(model::readSingle(Text2.text().toStdString()));
    if (unit != model::HeightUnit::None)
        Combo1.setCurrentText(fromUtf8(model::unitText(unit)));
    Vypocet();
}

void Form1::Combo1_Click()
{
    Vypocet();
}
void Form1::Option1_Click()
{
    Vypocet();
}
void Form1::Option2_Click()
{
    Vypocet();
}

void Form1::setBold(QLabel& label, bool bold)
{
    QFont font = label.font();
    if (font.bold() == bold)
        return;
    font.setBold(bold);
    label.setFont(font);
}

void Form1::mouseMoveEvent(QMouseEvent* event)
{
    // Moves over a control reach the window too when the control ignores them; only the bare
    // surface counts.
    if (!childAt(event->position().toPoint()))
        Form_MouseMove();
}

void Form1::Form_MouseMove()
{
    for (QLabel* caption : {&Label6, &Label7, &Label11, &Label12, &Label13})
        setBold(*caption, false);
}

void Form1::Image3_MouseMove()
{
    setBold(Label6, true);
}
void Form1::Image4_MouseMove()
{
    setBold(Label11, true);
}
void Form1::Image5_MouseMove()
{
    setBold(Label12, true);
}
void Form1::Image6_MouseMove()
{
    setBold(Label13, true);
}
void Form1::Image7_MouseMove()
{
    setBold(Label7, true);
}

void Form1::Image3_Click()
{
    windows::showInFront(Form2::instance());
}
void Form1::Image7_Click()
{
    windows::showInFront(Form5::instance());
}
void Form1::Image4_Click()
{
    windows::showInFront(Form4::instance());
}
void Form1::Image5_Click()
{
    windows::showModal(Form3::instance());
}
void Form1::Image6_Click()
{
    windows::endProgram();
}

void Form1::Timer1_Timer()
{
    windows::toggleShown(Line1);
    windows::toggleShown(Line2);
    if (model::onWeightHeightChart(Module1::Hmotnost, Module1::Vyska)) {
        Form5& chart = Form5::instance();
        windows::toggleShown(chart.Line1);
        windows::toggleShown(chart.Line2);
    }
    windows::toggleShown(Form2::instance().Shape1);
}
