#pragma once

// The help text, in a read-only box that always fills the window.

#include "windows/SingleWindow.h"

#include <QPlainTextEdit>

class Form4 : public windows::SingleWindow<Form4> {
public:
    void Form_Load();
    void Form_Resize();

    QPlainTextEdit Text1;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    friend class windows::SingleWindow<Form4>;
    Form4();
};
