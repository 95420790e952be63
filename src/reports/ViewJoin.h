#pragma once

#include "pages/PageCatalogue.h"

#include <QString>

#include <algorithm>
#include <cstddef>
#include <iterator>
#include <stdexcept>
#include <utility>
#include <vector>

namespace reports {

// The views of the page catalogue that picked(view) chooses, each joined with the
// entry of own that names it (entry.view, its view code): make(kind, view, entry)
// for each, in the catalogue's order. A chosen view without an entry, or an entry
// whose view is not chosen, is a mistake in the program (std::logic_error), found
// at the first look-up.
template <typename Entry, std::size_t N, typename Picked, typename Make>
auto joinViews(const Entry (&own)[N], Picked picked, Make make)
{
    using Joined = decltype(make(std::declval<const pages::PageKind&>(), std::declval<const pages::View&>(), own[0]));
    std::vector<Joined> joined;
    for (const pages::PageKind& kind : pages::Catalogue())
        for (const pages::View& view : kind.views) {
            if (!picked(view))
                continue;
            const auto entry = std::find_if(std::begin(own), std::end(own),
                                            [&](const Entry& e) { return view.code == QLatin1String(e.view); });
            if (entry == std::end(own))
                throw std::logic_error("the view " + view.code.toStdString() + " has nothing of its own here");
            joined.push_back(make(kind, view, *entry));
        }
    if (joined.size() != N)
        throw std::logic_error("an entry names no view of the page catalogue that has its part");
    return joined;
}

} // namespace reports
