#include "windows/Layout.h"

#include "windows/Twips.h"

#include <iterator>

namespace windows {

void applyLayout(std::initializer_list<Placement> table)
{
    for (const Placement& p : table) {
        p.control->setParent(p.container);
        p.control->setGeometry(twips::toPixels(p.left, p.top, p.width, p.height));
    }
    // Raising from the back of the list to its front leaves the first control on top.
    for (auto it = std::rbegin(table); it != std::rend(table); ++it)
        it->control->raise();
}

} // namespace windows
