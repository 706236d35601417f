// Impedances of the known distribution transformers, keyed by rated power and winding scheme.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct TransformerImpedance {
    bool ok = false;
    double Rt = 0, Xt = 0, Zt = 0;  // mOhm, summed over the 3 phases
    std::string message;            // when not ok
};

TransformerImpedance LookupTransformerImpedance(std::int32_t power, std::string_view scheme);
