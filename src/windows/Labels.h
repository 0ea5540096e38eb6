#pragma once

#include "windows/Controls.h"

#include <QLabel>

// Labels that do more than show a text: a link, and a status line that screen readers hear.
namespace windows {

// A label that works as a web link: a click, or Enter or Space while it has the focus, reports
// a click; like the picture buttons it takes focus with Tab only and shows a focus frame.
class Link : public QLabel {
    Q_OBJECT
public:
    Link();

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool pressed = false;
};

// An invisible notice for assistive technology: screen readers speak a notification when it
// appears, whatever has the focus.
class Notice : public QWidget {
    Q_OBJECT
public:
    Notice();
};

// A label whose text is the program's answer: assistive technology presents it as a status
// line. Screen readers read a status line on request but, as Orca does, speak a change only of
// the focused control; so each new announcement also appears as a notice, heard at once.
class StatusLine : public QLabel {
    Q_OBJECT
public:
    StatusLine();
    // Sets what the status line says to assistive technology; a change is spoken.
    void announce(const QString& text);

private:
    Notice notice;
};

} // namespace windows
