#pragma once
// The password of both databases and the key of enciphered exchange files:
// 6 characters, built at run time so that the whole text is nowhere in the
// program.

#include <QString>

QString BuiltInPassword();
