#pragma once

#include <QByteArray>
#include <QString>

// The built-in item catalogue: GBK text with CR LF line ends, compiled into
// the program as a resource.
namespace catalogue {

inline constexpr char kResourcePath[] = ":/catalogue/catalogue.txt";

// The raw bytes of the built-in document.
QByteArray rawBytes();

// The document as characters, decoded once and kept for the whole run.
const QString &text();

// GBK (code page 936) text as characters; undecodable input gives a null
// string rather than silently substituted characters.
QString decodeGbk(const QByteArray &bytes);

} // namespace catalogue
