#include "engine/FilesDisk.h"

#include "engine/DriveType.h"
#include "engine/Options.h"

namespace urok {

namespace {

bool networkAllowed(int driveKind, const ItemList &options)
{
    return driveKind == DriveNetwork && optionOn(options, Option::FilesOnNetworkDisk);
}

} // namespace

bool keepsPupilFiles(int driveKind, const ItemList &options)
{
    return (driveKind >= DriveRemovable && driveKind <= DriveFixed) || networkAllowed(driveKind, options);
}

bool keepsAnswers(int first, int second, const ItemList &options)
{
    return (first >= DriveRemovable && second <= DriveFixed)
           || (networkAllowed(first, options) && networkAllowed(second, options));
}

} // namespace urok
