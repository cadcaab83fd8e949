// A batch file through the row path of one calculator of each subsystem:
// monthly PAYE, the salary package, the car allowance and the loan. The
// first byte chooses the calculator; the rest is the file. Results go to
// standard output, which is silenced.

#include "app/cli_registration.h"
#include "cli/batch.h"
#include "fuzz_util.h"

#include <array>
#include <cstdint>
#include <sstream>
#include <string>

using namespace grossby;
using namespace grossby::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto chosen = [] {
        fuzz::silenceStdout();
        std::array<std::shared_ptr<const Calculator>, 4> out;
        const std::array<const char*, 4> names = {"monthly", "package", "car-allowance", "loan"};
        for (std::size_t i = 0; i < names.size(); ++i) {
            for (const auto& c : calculators()) {
                if (c->name == names[i])
                    out[i] = c;
            }
            if (!out[i])
                std::abort();
        }
        return out;
    }();
    if (size < 1)
        return 0;
    const Calculator& calc = *chosen[data[0] % chosen.size()];
    const std::string path = fuzz::writeScratch("batch.csv", data + 1, size - 1);
    // The settings keep their defaults: the store is not read.
    const auto base = calc.start();
    std::ostringstream err;
    const int code = runBatch(calc, *base, path, "-", err);
    if (code != 0 && code != 1 && code != 2)
        __builtin_trap();
    return 0;
}
