#include "ConfigImage.h"

#include "engine/ConfigRecord.h"

#include <algorithm>

namespace urok::setup {

QByteArray configFile(const Profile &p)
{
    ConfigRecord records[ConfigRecordCount];
    for (const OptionInfo &option : OptionTable)
        storeOption(records, option.number(), p.options[option.number() - 1]);
    records[0].number = p.tasksOffered;
    records[1].values = p.levels;
    records[1].number = p.tasksListed;
    records[2].values = p.hints;
    records[2].number = p.version;
    records[3].values = p.budgets;
    records[3].number = p.date;
    if (!records[3].setText(p.lesson))
        return {};
    records[4].values = p.rates;
    // What no option takes of record 6 stays zero.

    QByteArray bytes;
    for (const ConfigRecord &r : records)
        bytes += r.toBytes();
    return bytes;
}

std::optional<DecodedFile> decodeConfigFile(const QByteArray &bytes)
{
    if (bytes.size() != ConfigFileSize)
        return std::nullopt;
    DecodedFile d;
    const ConfigRecord options = readRecord(bytes, 1);
    const ConfigRecord levels = readRecord(bytes, 2);
    const ConfigRecord hints = readRecord(bytes, 3);
    const ConfigRecord budgets = readRecord(bytes, 4);
    const ConfigRecord rates = readRecord(bytes, 5);

    for (const OptionInfo &option : OptionTable)
        d.profile.options[option.number() - 1] = storedOption(bytes, option.number());
    d.profile.tasksOffered = options.number;
    d.profile.levels = levels.values;
    d.profile.tasksListed = levels.number;
    d.profile.hints = hints.values;
    d.profile.version = hints.number;
    d.profile.budgets = budgets.values;
    d.profile.date = budgets.number;
    d.profile.lesson = Razkodiraj_tekst(budgets);
    d.textLength = budgets.textLength;
    d.profile.rates = rates.values;

    // Record 6 beyond the options it holds.
    QByteArray last = bytes.right(ConfigRecordSize);
    for (const OptionInfo &option : OptionTable)
        if (option.place().record == ConfigRecordCount)
            last.replace(qsizetype(2) * option.place().place, 2, QByteArray(2, '\0'));
    d.lastRecordEmpty = std::all_of(last.begin(), last.end(), [](char c) { return c == 0; });
    return d;
}

} // namespace urok::setup
