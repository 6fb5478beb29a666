#pragma once

#include "engine/ItemList.h"

namespace urok {

// The lesson has 40 numbered options, option n at item n of an option list.
// An option's value is the number its item starts with, read from the first
// character only: "1" and "1 - няма" give 1; "0", "-1", " " and an empty or
// missing item give 0. The option is on when its value is at least 1.
int optionValue(const ItemList &options, int number);

inline bool optionOn(const ItemList &options, int number)
{
    return optionValue(options, number) >= 1;
}

constexpr int OptionCount = 40;

// With the fifth option off, the hint-time list selects the entry whose text
// equals the budget list's selected entry.
void selectHintTimeOfBudget(ItemList &hints, const ItemList &budgets);

} // namespace urok
