#include "engine/Options.h"

namespace urok {

int optionValue(const ItemList &options, int number)
{
    const QString text = options.item(number);
    if (text.isEmpty())
        return 0;
    const QChar first = text.front();
    if (first < u'0' || first > u'9')
        return 0;
    return first.unicode() - u'0';
}

void setOptionText(ItemList &options, int number, const QString &text)
{
    if (number < 0)
        return;
    while (options.count() <= number)
        options.add(QString());
    options.setItem(number, text);
}

void selectHintTimeOfBudget(ItemList &hints, const ItemList &budgets)
{
    const QString budget = budgets.selectedText();
    for (int i = 0; i < hints.count(); ++i)
        if (hints.item(i) == budget)
            hints.setListIndex(i);
}

} // namespace urok
