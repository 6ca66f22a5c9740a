#pragma once
// Embedded data (default image, default firmware, layout and language texts, pictures), compiled
// into the core from the files under resources/ and looked up by name (the file name without
// its extension, e.g. "VarnelData", "DefaultFW", "org", "LANG1", "BtnS_01").
#include <string>
#include <string_view>
#include <vector>

#include "common/bytes.h"
#include "common/result.h"

namespace varnel {

namespace detail {
struct EmbeddedResource {
    const char* name;
    const unsigned char* begin;
    const unsigned char* end;
};
extern const EmbeddedResource kEmbeddedResources[];
}  // namespace detail

// The bytes of a named resource; an unknown name is an error, never a crash.
Result<ByteSpan> findResource(std::string_view name);

// A copy of a named resource's bytes; empty when there is no such resource (callers that must
// have it check with findResource).
Bytes resourceCopy(std::string_view name);

// All resource names, in sorted order.
std::vector<std::string> resourceNames();

}  // namespace varnel
