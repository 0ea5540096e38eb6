#pragma once

// The start-up banner: downloads the maker's banner and the update descriptor while it loads,
// shows the banner centred and borderless, opens a page when clicked, and after ten ticks
// removes the downloaded files and hands over to the main window.

#include "windows/Controls.h"
#include "windows/SingleWindow.h"

#include <QTimer>

#include <filesystem>
#include <string>
#include <vector>

class Form6 : public windows::SingleWindow<Form6> {
public:
    void Form_Load();
    void Picture1_Click();
    void Timer1_Timer();

    windows::Picture Picture1;
    QTimer Timer1;

    float Citac = 0;
    std::string Adresa;
    std::vector<std::string> Polozky;

private:
    friend class windows::SingleWindow<Form6>;
    Form6();

    void showBanner(const std::filesystem::path& path);
    void centreOnScreen();
};
