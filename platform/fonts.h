// The fonts the documents and the diagram name, resolved to fonts this machine has:
// Times New Roman, Arial and Courier New to the metric-compatible Liberation fonts, and the
// two symbol fonts to a Unicode serif font (their byte codes are remapped, see encoding.h).
#pragma once

#include <QFont>

#include "platform/surface.h"

namespace plat {

QString ResolveFontFamily(const std::string& name);

// A QFont for the font description at the given resolution (dots per inch of the device drawn on).
QFont MakeQFont(const FontSpec& fontSpec);

}  // namespace plat
