#pragma once

#include <QColor>
#include <QFont>
#include <QPainter>
#include <QRect>

// What the picture files share: the faces and drawing helpers, and each picture's painter for
// the registry in Pictures.cpp. Painters work in the picture's own pixels.
namespace pictures {

QFont sansFont(int pixelSize, bool bold = false);
QFont monoFont(int pixelSize, bool bold = false);

// Draws text into box after rotating the coordinate system about anchor.
void drawRotatedText(QPainter& p, QPointF anchor, qreal degrees, const QRectF& box, int flags, const QString& text);

// A frame of the given width drawn inside rect, pixel-exact at any device pixel ratio.
void fillFrame(QPainter& p, const QRect& rect, int width, const QColor& colour);

void paintBmiChart(QPainter& p);
void paintLegend(QPainter& p);
void paintWeightTable(QPainter& p);
void paintWeightChart(QPainter& p);
QRect weightChartFrame(); // the chart's axes, in its pixels
void paintRangeWarning(QPainter& p);
void paintTableMiniature(QPainter& p);
void paintChartMiniature(QPainter& p);
void paintHelpButton(QPainter& p);
void paintAboutButton(QPainter& p);
void paintQuitButton(QPainter& p);
void paintIcon(QPainter& p);
void paintBuiltInBanner(QPainter& p);

} // namespace pictures
