#include "platform/cstring.h"

#include <cstdio>
#include <cstring>

namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

CString::CString(const char* text) : text_(text != nullptr ? text : "") {}

CString::CString(const char* text, int length) {
    if (text != nullptr && length > 0) text_.assign(text, static_cast<size_t>(length));
}

CString::CString(const std::string& text) : text_(text) {}

int CString::GetLength() const { return static_cast<int>(text_.size()); }

bool CString::IsEmpty() const { return text_.empty(); }

void CString::Empty() { text_.clear(); }

CString::operator const char*() const { return text_.c_str(); }

const char* CString::GetString() const { return text_.c_str(); }

char CString::GetAt(int index) const {
    return index >= 0 && index < GetLength() ? text_[static_cast<size_t>(index)] : '\0';
}

char CString::operator[](int index) const { return GetAt(index); }

char* CString::GetBuffer(int minLength) {
    // The caller may write minLength characters and a NUL after them. The
    // string's own terminator may only ever hold a NUL, so every one of
    // those places must be an ordinary character of the string.
    const size_t needed = static_cast<size_t>(minLength < 0 ? 0 : minLength) + 1;
    if (text_.size() < needed) text_.resize(needed, '\0');
    return &text_[0];
}

void CString::ReleaseBuffer(int newLength) {
    if (newLength < 0) {
        const size_t end = text_.find('\0');
        if (end != std::string::npos) text_.resize(end);
    } else if (static_cast<size_t>(newLength) < text_.size()) {
        text_.resize(static_cast<size_t>(newLength));
    }
}

CString& CString::MakeUpper() {
    for (char& c : text_) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return *this;
}

void CString::Format(const char* format, ...) {
    // Formatted apart first: an argument may be this very text.
    CString result;
    va_list arguments;
    va_start(arguments, format);
    result.AppendVFormat(format, arguments);
    va_end(arguments);
    text_.swap(result.text_);
}

void CString::AppendFormat(const char* format, ...) {
    va_list arguments;
    va_start(arguments, format);
    AppendVFormat(format, arguments);
    va_end(arguments);
}

void CString::AppendVFormat(const char* format, va_list arguments) {
    if (format == nullptr) return;
    va_list measuring;
    va_copy(measuring, arguments);
    const int length = vsnprintf(nullptr, 0, format, measuring);
    va_end(measuring);
    if (length <= 0) return;
    std::string piece(static_cast<size_t>(length) + 1, '\0');
    if (vsnprintf(&piece[0], piece.size(), format, arguments) != length) return;
    piece.pop_back();
    text_ += piece;
}

CString& CString::operator+=(const CString& text) {
    text_ += text.text_;
    return *this;
}

CString& CString::operator+=(const char* text) {
    if (text != nullptr) text_ += text;
    return *this;
}

CString& CString::operator+=(char character) {
    text_ += character;
    return *this;
}

int CString::Compare(const char* text) const {
    return Sign(strcmp(text_.c_str(), text != nullptr ? text : ""));
}

int CString::CompareNoCase(const char* text) const {
    // Folds to lower case, as _stricmp does, which orders the characters
    // between 'Z' and 'a' before the letters.
    const unsigned char* left = reinterpret_cast<const unsigned char*>(text_.c_str());
    const unsigned char* right =
        reinterpret_cast<const unsigned char*>(text != nullptr ? text : "");
    for (;; ++left, ++right) {
        const unsigned char l = static_cast<unsigned char>(LowerAscii(static_cast<char>(*left)));
        const unsigned char r = static_cast<unsigned char>(LowerAscii(static_cast<char>(*right)));
        if (l != r || l == 0) return Sign(int{l} - int{r});
    }
}

CString operator+(const CString& left, const CString& right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, char right) {
    CString result(left);
    result += right;
    return result;
}

CString operator+(char left, const CString& right) {
    CString result(&left, 1);
    result += right;
    return result;
}

bool operator==(const CString& left, const char* right) { return left.Compare(right) == 0; }

bool operator!=(const CString& left, const char* right) { return left.Compare(right) != 0; }

bool operator==(const char* left, const CString& right) { return right.Compare(left) == 0; }

bool operator!=(const char* left, const CString& right) { return right.Compare(left) != 0; }

bool operator<(const CString& left, const CString& right) { return left.Compare(right) < 0; }
