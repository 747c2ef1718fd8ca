#pragma once
// Conversions between the framework's value types and Qt's, for the form
// classes. Internal to the forms library.

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <string>

class QWidget;

#include "platform/raster/Graphics.h"
#include "platform/runtime/Colors.h"

namespace halvorn {

// A system colour is resolved through the fixed colour table first.
QColor ToQColor(TColor color);

// The face that renders a font name: the faces of the program's era become
// the metrically compatible Liberation Sans of fonts-liberation2.
QString SubstituteFace(const std::string& name);

// Height -n is n pixels of character height (Qt's pixel size); a positive
// height is the whole cell, ascent plus descent.
QFont ToQFont(const TFont& font);

QString ToQString(const std::string& text);
std::string FromQString(const QString& text);

// The palette of the fixed system colour scheme, which the application sets
// so that controls look the same on every machine.
QPalette SystemPalette();

// Gives the widget the system scheme's colours for everything but its text,
// so that it does not take on the colours of the container it lies in.
void ApplySystemColors(QWidget* widget);

}  // namespace halvorn
