#pragma once

// The table of weights for men and women; a red frame marks the row of the person's height.
// The main window's blink timer flips the frame's visibility; this window only moves it.

#include "windows/Controls.h"
#include "windows/SingleWindow.h"

class Form2 : public windows::SingleWindow<Form2> {
public:
    void Form_Load();
    void Zobrazeni();

    windows::Shape Shape1;
    windows::Picture Image1;

private:
    friend class windows::SingleWindow<Form2>;
    Form2();
};
