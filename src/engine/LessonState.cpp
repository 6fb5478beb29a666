#include "engine/LessonState.h"

namespace urok {

LessonState::LessonState(const Catalogue &content)
    : content_(content)
{
    for (int h = 0; h <= static_cast<int>(Holder::List_Un); ++h) {
        const auto holder = static_cast<Holder>(h);
        if (holderKind(holder) != HolderKind::List)
            continue;
        for (int element : content.elements(holder)) {
            // The chooser's level and type lists are visible lists of that
            // window; it takes their design items itself.
            if (holder == Holder::Wremena && (element == 3 || element == 5))
                continue;
            // The plan work list keeps its entries sorted by their keys.
            const bool sorted = holder == Holder::List_Ur && element == 2;
            lists_.emplace(std::make_pair(holder, element),
                           ItemList(content.list(holder, element), sorted));
        }
    }
}

ItemList &LessonState::list(Holder holder, int element)
{
    const auto it = lists_.find({holder, element});
    if (it != lists_.end())
        return it->second;
    nowhere_ = ItemList();
    return nowhere_;
}

} // namespace urok
