// The conversion of a tournament name from Windows-1252 to the text the
// report carries: blanks trimmed, the Scandinavian and Latin-1 accented
// letters in their UTF-8 form.
#pragma once

#include <string>

// Trims leading and trailing white space (as isspace counts it), then
// replaces, in table order, each listed Windows-1252 letter by its UTF-8
// form. A c-cedilla becomes "c " and a letter followed by the acute accent
// sign the letter and a blank. Every other byte above 0x7F becomes the UTF-8
// form of its Windows-1252 character, so the result is always UTF-8.
void ConvertTourName(std::string& name);
