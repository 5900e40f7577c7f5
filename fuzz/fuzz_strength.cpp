// The mask-strength figures for arbitrary masks and settings.

#include "core/generation/PasswordBuilder.h"
#include "core/strength/MaskStrength.h"
#include "FuzzSupport.h"
#include "GenerationInput.h"

#include <cmath>

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    FuzzSupport::isolateHome();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider input(data, size);
    QString modeText;
    const GenerationSettings settings = FuzzSupport::takeSettings(input, &modeText);
    const QString mask = FuzzSupport::takeText(input, 512);

    const MaskStrength::Strength strength = MaskStrength::measure(mask, settings);
    FUZZ_CHECK(std::isfinite(strength.bits) && strength.bits >= 0);
    FUZZ_CHECK(std::isfinite(strength.log2KeySpace) && strength.log2KeySpace >= 0);
    // Min-entropy never exceeds log2 of the number of outcomes; the fewest
    // passwords there can be never exceed the most.
    FUZZ_CHECK(strength.bits <= strength.log2KeySpace + 1e-9 * (1 + strength.log2KeySpace));
    FUZZ_CHECK(strength.log2LeastKeySpace <= strength.log2KeySpace &&
               (!strength.exact || strength.log2LeastKeySpace == strength.log2KeySpace));
    FUZZ_CHECK(strength.draws >= 0 && strength.draws <= mask.size());
    if (strength.exactKeySpace) {
        FUZZ_CHECK(*strength.exactKeySpace >= 1);
        FUZZ_CHECK(std::abs(std::log2(double(*strength.exactKeySpace)) - strength.log2KeySpace) < 1e-6);
    } else {
        FUZZ_CHECK(strength.log2KeySpace >= 63.999);
    }
    if (settings.mode == GenerationMode::CopyUnchanged)
        FUZZ_CHECK(strength.bits == 0 && strength.draws == 0);
    FUZZ_CHECK(!MaskStrength::keySpaceText(strength).isEmpty());
    FUZZ_CHECK(!MaskStrength::englishWord(MaskStrength::rate(strength.bits)).isEmpty());

    // Measuring an already-read mask gives the same figures.
    const MaskStrength::Strength again = MaskStrength::measure(PasswordBuilder(mask, settings));
    FUZZ_CHECK(again.bits == strength.bits && again.log2KeySpace == strength.log2KeySpace &&
               again.draws == strength.draws && again.exactKeySpace == strength.exactKeySpace &&
               again.exact == strength.exact);
    return 0;
}
