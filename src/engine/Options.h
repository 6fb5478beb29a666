#pragma once

#include "engine/ItemList.h"
#include "engine/OptionTable.h"

namespace urok {

// Option n is item n of an option list. An option's value is the number its
// item starts with, read from the first character only: "1" and "1 - няма"
// give 1; "0", "-1", " " and an empty or missing item give 0. The option is
// on when its value is at least 1.
int optionValue(const ItemList &options, int number);

inline int optionValue(const ItemList &options, Option option)
{
    return optionValue(options, optionNumber(option));
}

inline bool optionOn(const ItemList &options, Option option)
{
    return optionValue(options, option) >= 1;
}

// Writes option n's text into an option list, lengthening the list with
// empty items (options that are off) when it is shorter.
void setOptionText(ItemList &options, int number, const QString &text);

// With the fifth option off, the hint-time list selects the entry whose text
// equals the budget list's selected entry.
void selectHintTimeOfBudget(ItemList &hints, const ItemList &budgets);

} // namespace urok
