#include "common/resources.h"

namespace varnel {

Result<ByteSpan> findResource(std::string_view name) {
    for (const auto* r = detail::kEmbeddedResources; r->name != nullptr; ++r) {
        if (name == r->name) {
            return ByteSpan(r->begin, static_cast<std::size_t>(r->end - r->begin));
        }
    }
    return makeError("no embedded resource named \"" + std::string(name) + "\"");
}

Bytes resourceCopy(std::string_view name) {
    auto r = findResource(name);
    return r ? Bytes(r->begin(), r->end()) : Bytes{};
}

std::vector<std::string> resourceNames() {
    std::vector<std::string> names;
    for (const auto* r = detail::kEmbeddedResources; r->name != nullptr; ++r) names.emplace_back(r->name);
    return names;
}

}  // namespace varnel
