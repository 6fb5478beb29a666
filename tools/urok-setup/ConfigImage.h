#pragma once

#include "Profile.h"

#include <QByteArray>

#include <optional>

namespace urok::setup {

// The 600 bytes of the configuration file that a profile describes; empty
// when the lesson code cannot be stored (longer than 15 characters, or not
// in Windows-1251), which readProfile() never lets through.
QByteArray configFile(const Profile &profile);

// What a configuration file holds, read back.
struct DecodedFile
{
    Profile profile;
    int textLength = 0;        // the length byte of record 4, as stored
    bool lastRecordEmpty = true;   // but for the options it holds
};

// Reads a configuration file; nothing for a file that is not 600 bytes.
std::optional<DecodedFile> decodeConfigFile(const QByteArray &bytes);

} // namespace urok::setup
