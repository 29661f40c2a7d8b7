// Windows-1253 (Greek) single-byte texts: conversion to and from Unicode, and casing that
// keeps one byte per character and keeps the accents.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace karvo {

// The Unicode code point of a Windows-1253 byte. Bytes the code page leaves undefined map to
// the C1 control with the same value, so that every byte survives a round trip.
char32_t Cp1253ToUnicode(unsigned char byte);

// The Windows-1253 byte of a code point, or '?' when the code page lacks the character.
char UnicodeToCp1253(char32_t codePoint);

QString ToQString(std::string_view cp1253);
std::string FromQString(const QString& text);

// UTF-8 bytes to Windows-1253; characters the code page lacks and malformed sequences give '?'.
std::string Utf8ToCp1253(std::string_view utf8);
std::string Cp1253ToUtf8(std::string_view cp1253);

// Upper and lower case by the Greek rules, byte for byte: an accented small letter becomes the
// accented capital; letters without a single-byte counterpart (such as the dotted iota) stay.
char UpperByte(char byte);
char LowerByte(char byte);
std::string ToUpper(std::string_view text);
std::string ToLower(std::string_view text);

} // namespace karvo
