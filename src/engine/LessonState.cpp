#include "engine/LessonState.h"

namespace urok {

LessonState::LessonState(const Catalogue &content)
    : content_(content)
{
}

ItemList &LessonState::list(Holder holder, int element)
{
    const auto it = lists_.find({holder, element});
    if (it != lists_.end())
        return it->second;
    // A list joins the run-time state, as a copy of its design contents,
    // the first time anything reads or writes it. The chooser's level and
    // type lists are visible lists of that window and take their design
    // items themselves.
    const bool chooserList = holder == Holder::Wremena && (element == 3 || element == 5);
    if (holderKind(holder) == HolderKind::List && !chooserList && content_.hasList(holder, element)) {
        // The plan work list keeps its entries sorted by their keys.
        const bool sorted = holder == Holder::List_Ur && element == 2;
        return lists_.emplace(std::make_pair(holder, element),
                              ItemList(content_.list(holder, element), sorted))
            .first->second;
    }
    nowhere_ = ItemList();
    return nowhere_;
}

} // namespace urok
