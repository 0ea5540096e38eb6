#pragma once

// The About window. Every opening loads it afresh: it downloads the update descriptor, shows
// its status line and points the program-page link at it; closing it removes the descriptor.

#include "windows/Controls.h"
#include "windows/Labels.h"
#include "windows/SingleWindow.h"

#include <QLabel>

#include <string>
#include <vector>

class Form3 : public windows::SingleWindow<Form3> {
public:
    void Form_Load();
    void Form_Unload();
    void Label4_Click();
    void Label7_Click();

    windows::Picture Image1;
    QLabel Label1;
    QLabel Label2;
    QLabel Label3;
    windows::Link Label4;
    windows::Link Label7;
    QLabel Label15;
    QLabel Label5;
    QLabel Label6;

    std::vector<std::string> Polozky;
    bool Chyba = false;

private:
    friend class windows::SingleWindow<Form3>;
    Form3();

    void layOut();
    void setUpLinks();
};
