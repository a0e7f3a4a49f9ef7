#pragma once

#include <QString>
#include <QStringList>

// The choices of a radio-button group or a drop-down list, held as one text
// with "#" between them. Blanks, tabs and line breaks before a choice are
// skipped, blanks after it stay; empty choices are dropped. An apostrophe or
// double quote opens a stretch, up to the next same quote or the end of the
// text, in which "#" and line breaks do not separate (the quotes stay in the
// choice). A choice's position in the result is its index in the generated
// PHP variables and in the cookie.
QStringList SplitOptionList(const QString& felder);
