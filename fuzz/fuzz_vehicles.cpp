// The vehicles file of company-car, CSV or JSON, through the calculator as
// --vehicles reads it, then the calculation and its printout rows. The first
// byte chooses the IRP5 total and the auto split.

#include "app/cli_registration.h"
#include "fuzz_util.h"

#include <cmath>
#include <cstdint>
#include <string>

using namespace grossby;
using namespace grossby::cli;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const auto calc = [] {
        for (const auto& c : calculators()) {
            if (c->name == "company-car")
                return c;
        }
        std::abort();
    }();
    if (size < 1)
        return 0;
    const std::string path = fuzz::writeScratch("vehicles", data + 1, size - 1);
    auto run = calc->start();
    if (data[0] & 1) {
        if (run->set(*calc->inputIndex("irp5-3802"), std::to_string((data[0] >> 1) * 1000)))
            std::abort();
    }
    if (data[0] & 0x80) {
        if (run->set(*calc->inputIndex("auto-split"), "yes"))
            std::abort();
    }
    if (run->set(*calc->inputIndex("vehicles"), path))
        return 0;  // refused with a message: what a bad file must get
    std::string rejection;
    if (!run->run(rejection))
        return 0;
    for (const double v : run->numbers()) {
        if (!std::isfinite(v) || (v == 0 && std::signbit(v)))
            __builtin_trap();  // no NaN, infinity or -0 in the results
    }
    for (std::size_t list = 0; list < calc->results.size(); ++list) {
        if (!calc->results[list].list)
            continue;
        const std::size_t columns = run->listColumns(list).size();
        for (std::size_t row = 0; row < run->listRows(list); ++row) {
            for (std::size_t col = 0; col < columns; ++col) {
                const double v = run->listValue(list, row, col);
                if (!std::isfinite(v) || (v == 0 && std::signbit(v)))
                    __builtin_trap();
            }
        }
    }
    PrintJob job;
    (void)run->printJob(PrintLanguage::English, job);
    return 0;
}
