#pragma once
// The record cipher of exchange files and of the built-in password. One
// routine serves both directions: its key stream depends on the key alone, so
// applying it twice with the same key restores the text. A byte that would
// turn into one of the excluded bytes stays as it is; the flex file excludes
// CR and LF so that an enciphered record stays one line.

#include <QByteArray>

// Enciphers (or deciphers) `data` in place. The key needs at least 2 bytes;
// a shorter key raises an Exception rather than reading outside it.
void RecordCipher(QByteArray& data, const QByteArray& key, const QByteArray& excluded = {});

// The same, returning the result.
QByteArray RecordCiphered(const QByteArray& data, const QByteArray& key,
                          const QByteArray& excluded = {});
