#include "FileVersion.h"

#ifndef TAVLO_VERSION_MAJOR
#define TAVLO_VERSION_MAJOR 0
#endif
#ifndef TAVLO_VERSION_MINOR
#define TAVLO_VERSION_MINOR 0
#endif
#ifndef TAVLO_VERSION_RELEASE
#define TAVLO_VERSION_RELEASE 0
#endif
#ifndef TAVLO_VERSION_BUILD
#define TAVLO_VERSION_BUILD 0
#endif

namespace {
// The version parts are 16-bit halves of the version double words.
int Part(long long value) { return int(value & 0xFFFF); }
} // namespace

TFileVersion::TFileVersion()
    : TFileVersion(TAVLO_VERSION_MAJOR, TAVLO_VERSION_MINOR, TAVLO_VERSION_RELEASE, TAVLO_VERSION_BUILD) {}

TFileVersion::TFileVersion(int major, int minor, int release, int build)
    : Major(Part(major)), Minor(Part(minor)), Release(Part(release)), Build(Part(build)) {}

QString TFileVersion::ShortVersion() const { return QStringLiteral("%1.%2").arg(Major).arg(Minor); }

QString TFileVersion::LongVersion() const {
    return QStringLiteral("Version %1 (Build %2)").arg(ShortVersion()).arg(Build);
}

const TFileVersion& FileVersion() {
    static const TFileVersion version;
    return version;
}

QString ShortVersion() { return FileVersion().ShortVersion(); }
QString LongVersion() { return FileVersion().LongVersion(); }
