#pragma once
// The version lines of the information dialog. Versions print as
// major.minor.MMDD.yyyy: major and minor in hexadecimal, the month in decimal, the day
// as its binary-coded digits and the year in full.

#include <array>
#include <cstdint>

#include <QString>

namespace kx {

class VersionText final {
public:
    static constexpr int kUnknownDriverVersion = -1;
    static constexpr int kFirmwareBytes = 5;

    // Empty for an unknown version; the caller shows its "N/A" text then.
    static QString driverVersion(int version);
    static QString firmwareVersion(const std::array<std::uint8_t, kFirmwareBytes>& bytes);
    // "1.00.0328.2003 - " and the build date and time.
    static QString programVersion(const char* buildDate, const char* buildTime);
    // A compiler date ("Mar  8 2003") as "Mar 8 2003": month, day and year separated by
    // single blanks. Text of another shape is returned unchanged.
    static QString buildDate(const char* compilerDate);
};

} // namespace kx
