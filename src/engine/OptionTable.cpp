#include "engine/OptionTable.h"

namespace urok {

qint16 storedOption(const QByteArray &file, int number)
{
    const OptionPlace at = optionPlace(number);
    if (number < 1 || number > OptionPlaceCount || file.size() != ConfigFileSize)
        return 0;
    return readRecord(file, at.record).values[at.place];
}

void storeOption(ConfigRecord (&records)[ConfigRecordCount], int number, qint16 value)
{
    const OptionPlace at = optionPlace(number);
    if (number >= 1 && number <= OptionPlaceCount)
        records[at.record - 1].values[at.place] = value;
}

} // namespace urok
