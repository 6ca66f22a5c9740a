#pragma once
// Rough screenshots of every page in every language, composed from the pictures, the layout file
// and the language files, so the art can be judged in place before the window exists.
#include <QString>

namespace skinart {

// Writes page<p>_lang<n>.png for p = 1..5, n = 1..3 into `outDir`; page 6 is the macro page
// with the key insertion panel open. False on a missing input.
bool writePreviews(const QString& outDir, const QString& layoutFile, const QString& langDir);

}  // namespace skinart
