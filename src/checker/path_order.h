// The order in which files are checked and reported.
#pragma once

#include <string_view>
#include <vector>

#include "checker/collect.h"

namespace lyre {

// Paths compared component by component, each component as a byte string,
// so "a/b.track" < "a-b.track" (the component "a" is a prefix of
// "a-b.track"). Components are split the usual way: repeated '/' count as
// one and a trailing '/' adds nothing, so "a//b" and "a/b/" both have the
// components a, b; "." and ".." are kept as components. A leading '/' is a
// root component that sorts before every relative first component.
bool path_less(std::string_view a, std::string_view b);

// Stable: paths that compare equal keep their order.
void sort_paths(std::vector<CheckedFile>& files);

}  // namespace lyre
