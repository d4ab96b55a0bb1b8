// Fuzz target for the ribbon-state blob: decodes arbitrary bytes against the quick access
// commands of the real markup; whatever decodes must be a state the ribbon can hold, and must
// write back to exactly the bytes it came from and read back to the same state.
#include "RibbonMarkup.h"
#include "RibbonState.h"

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "FuzzCheck.h"

namespace {

std::vector<std::uint16_t> AllowedFromMarkup() {
    std::ifstream file(RIBBON_MARKUP_PATH, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    const MarkupResult result = ParseRibbonMarkup(text.str());
    FUZZ_CHECK(result.model);
    return result.model->QuickAccessAllowed();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::vector<std::uint16_t> allowed = AllowedFromMarkup();
    const std::span<const std::uint8_t> bytes(data, size);

    const std::optional<RibbonState> state = DecodeRibbonState(bytes, allowed);
    if (!state) return 0;

    FUZZ_CHECK(state->quickAccess.size() <= MaxQuickAccessItems);
    for (auto at = state->quickAccess.begin(); at != state->quickAccess.end(); ++at) {
        FUZZ_CHECK(std::find(allowed.begin(), allowed.end(), *at) != allowed.end());
        FUZZ_CHECK(std::find(std::next(at), state->quickAccess.end(), *at) == state->quickAccess.end());
    }
    const std::vector<std::uint8_t> again = EncodeRibbonState(*state);
    FUZZ_CHECK(std::equal(again.begin(), again.end(), bytes.begin(), bytes.end()));
    FUZZ_CHECK(DecodeRibbonState(again, allowed) == state);
    return 0;
}
