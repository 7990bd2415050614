#pragma once
// Eight-bit code pages at file boundaries: Windows-1252 (ANSI) and an OEM
// (DOS) code page, 850 unless set otherwise. A character the code page does
// not have becomes "?".

#include <QByteArray>
#include <QString>

QByteArray StrToAnsi(const QString& text);
QString AnsiToStr(const QByteArray& bytes);
QByteArray StrToOem(const QString& text);
QString OemToStr(const QByteArray& bytes);

// The OEM code page in iconv's naming ("CP850", "CP865", ...).
QByteArray OemCodePage();
void SetOemCodePage(const QByteArray& name);

QByteArray EncodeCodePage(const QString& text, const QByteArray& codePage);
QString DecodeCodePage(const QByteArray& bytes, const QByteArray& codePage);
