// CString: a single-byte text, as the Windows class of that name, with only
// what the controller uses. The text always ends in a NUL; GetBuffer gives
// direct access to the storage and ReleaseBuffer takes back the new length.
#pragma once

#include <cstdarg>
#include <string>

class CString {
  public:
    CString() = default;
    CString(const char* text);  // NOLINT: converts implicitly, as the Windows class does
    CString(const char* text, int length);
    CString(const std::string& text);  // NOLINT

    // Number of characters before the terminating NUL.
    int GetLength() const;
    bool IsEmpty() const;
    void Empty();

    // The zero-terminated characters; valid until the text is next changed.
    operator const char*() const;  // NOLINT
    const char* GetString() const;

    char GetAt(int index) const;
    char operator[](int index) const;

    // Returns a writable buffer of at least minLength + 1 characters whose
    // first characters are the current text. Valid until ReleaseBuffer or
    // the next change of the text.
    char* GetBuffer(int minLength);
    // Ends direct access: newLength < 0 takes the text up to the first NUL
    // in the buffer, otherwise the first newLength characters.
    void ReleaseBuffer(int newLength = -1);

    // Upper-cases the ASCII letters in place.
    CString& MakeUpper();

    // Replaces the text with the printf-style formatted result.
    void Format(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;
    // Appends the printf-style formatted result.
    void AppendFormat(const char* format, ...)
#if defined(__GNUC__)
        __attribute__((format(printf, 2, 3)))
#endif
        ;

    CString& operator+=(const CString& text);
    CString& operator+=(const char* text);
    CString& operator+=(char character);

    // Byte-wise comparison: negative, zero or positive, as strcmp.
    int Compare(const char* text) const;
    // As Compare with ASCII letters folded to one case.
    int CompareNoCase(const char* text) const;

    friend CString operator+(const CString& left, const CString& right);
    // Without these a character operand would select pointer arithmetic on
    // the converted text.
    friend CString operator+(const CString& left, char right);
    friend CString operator+(char left, const CString& right);
    friend bool operator==(const CString& left, const char* right);
    friend bool operator!=(const CString& left, const char* right);
    // A literal on the left would otherwise be ambiguous between comparing
    // texts and comparing pointers.
    friend bool operator==(const char* left, const CString& right);
    friend bool operator!=(const char* left, const CString& right);
    friend bool operator<(const CString& left, const CString& right);

  private:
    void AppendVFormat(const char* format, va_list arguments);

    std::string text_;
};

inline bool operator==(const CString& left, const CString& right) {
    return left.Compare(right) == 0;
}
inline bool operator!=(const CString& left, const CString& right) {
    return left.Compare(right) != 0;
}
