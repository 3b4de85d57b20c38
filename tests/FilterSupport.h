// What the capture file must hold for a raw register stream: the filter run
// from its initial state.
#pragma once

#include "TillscribeVivudivUnit.h"

#include <string>
#include <vector>

namespace tillscribe::test {

inline std::string Filtered(int model, const std::string &raw)
{
    TVivudivFilterState state;
    std::vector<std::uint8_t> out(raw.size() * TEmuCommand::kTextCapacity + 1);
    const size_t n = FilterBlock(state, model, reinterpret_cast<const std::uint8_t *>(raw.data()), raw.size(),
                                 out.data());
    return std::string(reinterpret_cast<const char *>(out.data()), n);
}

} // namespace tillscribe::test
