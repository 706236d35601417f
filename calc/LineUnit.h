// Resistance and reactance per metre of one conductor core, keyed by section, material and line type.
#pragma once

#include <string>
#include <string_view>

enum class LookupStatus { Ok, Failed, Overflow };

struct LineImpedance {
    LookupStatus status = LookupStatus::Failed;
    double r = 0, x = 0;  // mOhm per metre
    std::string message;  // when Failed
};

LineImpedance LookupLineImpedance(std::string_view section, std::string_view material,
                                  std::string_view lineType);
