// Windows-1252, the code page of the database's texts, as UTF-8.
#pragma once

#include <string>

// Appends the UTF-8 form of one Windows-1252 byte. The five bytes the code
// page leaves undefined (81 8D 8F 90 9D) become the C1 controls of the same
// number, as Windows itself maps them, so that no byte is lost.
void AppendWindows1252AsUtf8(unsigned char byte, std::string& out);

// The whole text converted byte by byte.
std::string Windows1252ToUtf8(const std::string& text);
