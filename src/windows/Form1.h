#pragma once

// The main window. Its handlers only read the controls, hand the texts to the evaluation in
// model/ and write what comes back into the controls.
//
// An edit: a box's or the unit list's handler calls Vypocet, which hands the three texts, the
// unit and the separator to model::evaluateForMainWindow (model/MainWindowResult.cpp, over
// Evaluation.cpp and Spoken.cpp) and writes its one result into Label3 (the result, also
// announced), Label5 (the band) and the marker's Line1 and Line2; it stores the height and weight
// in Module1 (model/Module1.h), from where Form2::Zobrazeni marks the table's row and
// Form5::Zobrazeni1 places its cross (model/ReferencePlacement.cpp). Timer1 blinks the markers.
//
// Start-up: main.cpp answers --help and --version, sets up the application
// (windows/Application.cpp) and opens the banner, Form6, whose Form_Load downloads the banner
// (online/Download.h) and the update descriptor (online/FetchDescriptor.h). About five seconds
// later Form6 removes both files and hands over to this window, whose Form_Load evaluates once.

#include "windows/Controls.h"
#include "windows/Labels.h"
#include "windows/Look.h"
#include "windows/SingleWindow.h"

#include <QComboBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

#include <string_view>

class Form1 : public windows::SingleWindow<Form1> {
public:
    void Form_Load();
    void Form_Unload();

    // Controls, containers first so that they outlive what they contain.
    QTimer Timer1;
    QWidget Frame2;
    windows::Frame Frame1;
    windows::Line Line2;
    windows::Line Line1;
    windows::Picture Image2;
    windows::Picture Image1;
    QRadioButton Option2;
    QRadioButton Option1;
    windows::TextBox Text3;
    QComboBox Combo1;
    windows::TextBox Text2;
    windows::TextBox Text1;
    QLabel Label4;
    QLabel Label2;
    QLabel Label1;
    QLabel Label7;
    QLabel Label6;
    windows::Picture Image7;
    QLabel Label13;
    QLabel Label12;
    QLabel Label11;
    windows::Picture Image6;
    windows::Picture Image5;
    windows::Picture Image4;
    QLabel Label5;
    windows::Picture Image3;
    windows::StatusLine Label3;

    // The last evaluation's results.
    float BMI = 0;
    float Vek = 0;

    void Vypocet();

    void Text1_KeyPress(short& KeyAscii);
    void Text2_KeyPress(short& KeyAscii);
    void Text3_KeyPress(short& KeyAscii);
    void Text1_Change();
    void Text2_Change();
    void Text3_Change();

    void Form_MouseMove();
    void Combo1_Click();
    void Option1_Click();
    void Option2_Click();
    void Image3_MouseMove();
    void Image4_MouseMove();
    void Image5_MouseMove();
    void Image6_MouseMove();
    void Image7_MouseMove();
    void Image3_Click();
    void Image4_Click();
    void Image5_Click();
    void Image6_Click();
    void Image7_Click();
    void Timer1_Timer();

protected:
    void mouseMoveEvent(QMouseEvent* event) override;

private:
    friend class windows::SingleWindow<Form1>;
    Form1();

    void layOut();
    void describeForAssistiveTechnology();
    void connectHandlers();
    // Writes a box's text back only when it differs, so that the cursor and selection stay.
    void writeBack(windows::TextBox& box, std::string_view text);
    void setBold(QLabel& label, bool bold);
    // The boxes never stay empty or at a lone "0"; the "1" that replaces it is selected, so
    // that the next digit typed takes its place.
    void replaceEmptyOrZero(windows::TextBox& box);
};
