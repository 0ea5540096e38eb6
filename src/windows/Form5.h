#pragma once

// The weight-by-height chart. A cross marks the person while the point lies on the chart;
// off the chart the cross hides and a warning blinks on this window's own timer instead.

#include "windows/Controls.h"
#include "windows/SingleWindow.h"

#include <QLabel>
#include <QTimer>

class Form5 : public windows::SingleWindow<Form5> {
public:
    void Form_Load();
    void Zobrazeni1();
    void Timer1_Timer();

    QTimer Timer1;
    QLabel Label1;
    windows::Picture Image2;
    windows::Line Line2;
    windows::Line Line1;
    windows::Picture Image1;

private:
    friend class windows::SingleWindow<Form5>;
    Form5();
};
