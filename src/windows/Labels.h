#pragma once

#include "windows/Controls.h"

#include <QLabel>
#include <QString>

// Labels: the rules every label and tooltip follows, and labels that do more than show a text
// (a link, and a status line that screen readers hear).
namespace windows {

// How a caption reads on screen: "&&" shows one ampersand, a lone "&" marks nothing here.
QString visibleCaption(const QString& caption);

// Names a control after the label in front of it, without the label's trailing colon, and
// makes the label its buddy, so assistive technology also finds the label by the control.
void nameAfterLabel(QWidget& control, QLabel& label);

// Every label wraps at word boundaries within its box and starts at its top, as the layouts expect.
void setupLabel(QLabel& label, const QString& caption, Qt::Alignment horizontal = Qt::AlignLeft);

// Every text shown from outside the program is plain text. Labels are set up that way (see
// setupLabel); a tooltip Qt would take for rich text whenever it looks like markup, where a
// picture or a deep table from the network costs memory and time without end. The control keeps
// the text as its toolTip(), and it is shown literally, wrapped within a readable width.
void setPlainToolTip(QWidget& control, const QString& text);

// The markup that shows a plain text as a tooltip: escaped, its blanks kept, on one line when
// short, else with a place to wrap in every long run without blanks. Zero-width spaces are the
// only characters it adds.
QString plainToolTipMarkup(const QString& text);

// A label too low for two lines keeps its text on one line. Where the stand-in font runs wider
// than the fonts the layouts were made for, it grows into the free space beside it (to the
// right, or to both sides when centred), never past its container. Call once the window's
// labels have their texts and fonts.
void keepSingleLineLabelsWhole(QWidget& window);

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
    Clicks clicks;
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
