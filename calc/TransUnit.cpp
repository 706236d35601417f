#include "TransUnit.h"

TransformerImpedance LookupTransformerImpedance(std::int32_t, std::string_view) { return {}; }
