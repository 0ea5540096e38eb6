#pragma once

#include "resources/Fonts.h"

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

// What the picture files share: the faces and drawing helpers, and each picture's painter for
// the registry in Pictures.cpp. Painters work in the picture's own pixels.
namespace pictures {

QFont sansFont(int pixelSize, bool bold = false);
QFont monoFont(int pixelSize, bool bold = false);

// How much of a picture a painter draws. A reduced copy, a few pixels of it to a letter, takes
// only what shows at that size: each word becomes the grey its letters leave, and curves run
// through fewer points. It then needs no font and costs a fraction of the whole picture.
enum class Detail { Full, Reduced };

// Writes text into box as QPainter::drawText does, or in a reduced copy lays a bar of the pen's
// colour, as dense as the letters' ink, where each word would stand.
void drawText(QPainter& p, const QRectF& box, int flags, const QString& text, Detail detail = Detail::Full);

// The same after rotating the coordinate system about anchor.
void drawRotatedText(QPainter& p, QPointF anchor, qreal degrees, const QRectF& box, int flags, const QString& text,
                     Detail detail = Detail::Full);

// A frame of the given width drawn inside rect, pixel-exact at any device pixel ratio.
void fillFrame(QPainter& p, const QRect& rect, int width, const QColor& colour);

void paintBmiChart(QPainter& p);
void paintLegend(QPainter& p);
void paintWeightTable(QPainter& p);
void paintWeightTable(QPainter& p, Detail detail);
void paintWeightChart(QPainter& p);
void paintWeightChartBands(QPainter& p, Detail detail); // the bands with their names, inside the axes
QRect weightChartFrame();                               // the chart's axes, in its pixels
void paintRangeWarning(QPainter& p);
void paintTableMiniature(QPainter& p);
void paintChartMiniature(QPainter& p);
void paintHelpButton(QPainter& p);
void paintAboutButton(QPainter& p);
void paintQuitButton(QPainter& p);
void paintIcon(QPainter& p);
void paintBuiltInBanner(QPainter& p);

} // namespace pictures
