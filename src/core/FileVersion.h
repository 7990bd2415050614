#pragma once
// The version of the executable. The build stamps it into every library
// (major and minor: the most significant double word; release and build: the
// least significant one); without that stamp every part is 0.

#include <QString>

class TFileVersion {
public:
    TFileVersion(); // the executable's own version
    TFileVersion(int major, int minor, int release, int build);

    int Major = 0;
    int Minor = 0;
    int Release = 0;
    int Build = 0;

    // "4.0"
    QString ShortVersion() const;
    // "Version 4.0 (Build 32)"
    QString LongVersion() const;
};

// The executable's version, read once.
const TFileVersion& FileVersion();
QString ShortVersion();
QString LongVersion();
