#include "core/year_figures.h"

#include "core/tax_year.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <cstdint>
#include <deque>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <stdexcept>
#include <utility>

namespace grossby {

// The year files built into the program (made at build time from resources/years).
std::vector<std::pair<std::string_view, std::string_view>> shippedTaxYearFiles();

namespace {

using nlohmann::json;

/// A figure that is missing, of the wrong kind or out of range: the message
/// names it by its place in the file ("vehicle.travelCosts[2].fuel").
struct Refusal : std::runtime_error {
    using std::runtime_error::runtime_error;
};

std::string shown(double value)
{
    std::ostringstream out;
    out << value;
    return out.str();
}

const json& member(const json& object, const std::string& where, const char* key)
{
    if (!object.is_object())
        throw Refusal(where + " is not an object");
    const auto it = object.find(key);
    if (it == object.end())
        throw Refusal((where.empty() ? std::string() : where + ".") + key + " is missing");
    return *it;
}

std::string path(const std::string& where, const char* key)
{
    return where.empty() ? key : where + "." + key;
}

double number(const json& object, const std::string& where, const char* key, double min, double max)
{
    const json& value = member(object, where, key);
    if (!value.is_number())
        throw Refusal(path(where, key) + " is not a number");
    const double v = value.get<double>();
    if (!std::isfinite(v) || v < min || v > max)
        throw Refusal(path(where, key) + " is " + shown(v) + ", outside " + shown(min) + " to " + shown(max));
    return v;
}

int whole(const json& object, const std::string& where, const char* key, int min, int max)
{
    const double v = number(object, where, key, min, max);
    if (v != std::floor(v))
        throw Refusal(path(where, key) + " is " + shown(v) + ", not a whole number");
    return static_cast<int>(v);
}

double date(const json& object, const std::string& where, const char* key)
{
    const json& value = member(object, where, key);
    if (!value.is_string())
        throw Refusal(path(where, key) + " is not a date yyyy-mm-dd");
    const std::string text = value.get<std::string>();
    CivilDate d;
    char dash1 = 0;
    char dash2 = 0;
    std::istringstream in(text);
    in >> d.year >> dash1 >> d.month >> dash2 >> d.day;
    if (!in || dash1 != '-' || dash2 != '-' || !in.eof() || d.month < 1 || d.month > 12 || d.day < 1 ||
        d.day > daysInMonth(d.year, d.month))
        throw Refusal(path(where, key) + " '" + text + "' is not a date yyyy-mm-dd");
    return static_cast<double>(dayNumberFromDate(d));
}

std::vector<TravelCostBand> travelTable(const json& vehicle, const char* key)
{
    const auto it = vehicle.find(key);
    if (it == vehicle.end() || it->is_null())
        return {};
    const std::string where = std::string("vehicle.") + key;
    if (!it->is_array() || it->empty())
        throw Refusal(where + " is not a list of bands");
    std::vector<TravelCostBand> bands;
    for (std::size_t i = 0; i < it->size(); ++i) {
        const json& band = (*it)[i];
        const std::string at = where + "[" + std::to_string(i) + "]";
        const bool last = i + 1 == it->size();
        const json& upTo = member(band, at, "upTo");
        double upper = std::numeric_limits<double>::infinity();
        if (last) {
            if (!upTo.is_null())
                throw Refusal(at + ".upTo must be null: the last band takes every higher value");
        } else {
            upper = number(band, at, "upTo", 1, 1e9);
            if (!bands.empty() && !(upper > bands.back().upper))
                throw Refusal(at + ".upTo is not above the band before it");
        }
        bands.push_back({upper, number(band, at, "fixed", 0, 1e7), number(band, at, "fuel", 0, 100),
                         number(band, at, "maintenance", 0, 100)});
    }
    return bands;
}

TaxYearFigures readFigures(const json& file)
{
    TaxYearFigures y;
    y.year = whole(file, "", "year", 2000, 2200);
    y.label = taxYearLabel(y.year);
    const json& label = member(file, "", "label");
    if (!label.is_string() || label.get<std::string>() != y.label)
        throw Refusal("label is not \"" + y.label + "\", the label of year " + std::to_string(y.year));
    y.start = static_cast<double>(dayNumberFromDate({y.year - 1, 3, 1}));
    y.end = static_cast<double>(dayNumberFromDate({y.year, 2, daysInMonth(y.year, 2)}));
    if (date(file, "", "start") != y.start)
        throw Refusal("start is not 1 March " + std::to_string(y.year - 1));
    if (date(file, "", "end") != y.end)
        throw Refusal("end is not the last day of February " + std::to_string(y.year));
    y.firstMonthEnd = y.start + 30;
    y.startText = formatDate(y.start);
    y.endText = formatDate(y.end);

    const json& scale = member(file, "", "scale");
    if (!scale.is_array() || scale.empty())
        throw Refusal("scale is not a list of brackets");
    for (std::size_t i = 0; i < scale.size(); ++i) {
        const std::string at = "scale[" + std::to_string(i) + "]";
        const double lower = number(scale[i], at, "above", 0, 1e9);
        const double rate = number(scale[i], at, "rate", 0, 100);
        const double base = number(scale[i], at, "base", 0, 1e9);
        if (i == 0 && (lower != 0 || base != 0))
            throw Refusal(at + " must start at 0 with a base of 0");
        if (i > 0) {
            TaxBracket& before = y.scale.back();
            if (!(lower > before.lower))
                throw Refusal(at + ".above is not above the bracket before it");
            if (!(rate > before.rate))
                throw Refusal(at + ".rate is not above the bracket before it");
            // The published base amounts are whole rand: each is the one
            // before plus the tax on the bracket below, to within a rand.
            const double expected = before.baseTax + (lower - before.lower) * before.rate / 100;
            if (std::fabs(base - expected) > 1)
                throw Refusal(at + ".base " + shown(base) + " does not add up: the brackets below give " +
                              shown(std::round(expected * 100) / 100));
            before.upper = lower;
        }
        y.scale.push_back({lower, 9999999999.0, rate, base});
    }

    const json& rebates = member(file, "", "rebates");
    y.primaryRebate = number(rebates, "rebates", "primary", 1, 1e6);
    y.secondaryRebate = number(rebates, "rebates", "secondary", 0, 1e6);
    y.tertiaryRebate = number(rebates, "rebates", "tertiary", 0, 1e6);
    y.secondaryRebateAge = whole(rebates, "rebates", "secondaryAge", 1, 150);
    y.tertiaryRebateAge = whole(rebates, "rebates", "tertiaryAge", 1, 150);
    if (!(y.tertiaryRebateAge > y.secondaryRebateAge))
        throw Refusal("rebates.tertiaryAge is not above rebates.secondaryAge");

    const json& medical = member(file, "", "medicalCredits");
    y.medicalCreditFirstTwo = whole(medical, "medicalCredits", "firstTwo", 1, 100000);
    y.medicalCreditFurther = whole(medical, "medicalCredits", "further", 1, 100000);
    y.additionalCreditFactor = number(medical, "medicalCredits", "additionalFactor", 0, 1);

    const json& fund = member(file, "", "retirementFund");
    y.retirementFundShare = number(fund, "retirementFund", "share", 0.01, 1);
    y.retirementFundCap = number(fund, "retirementFund", "cap", 1, 1e9);

    const json& uif = member(file, "", "uifCeilings");
    if (!uif.is_array() || uif.empty())
        throw Refusal("uifCeilings is not a list of ceilings");
    for (std::size_t i = 0; i < uif.size(); ++i) {
        const std::string at = "uifCeilings[" + std::to_string(i) + "]";
        const double from = date(uif[i], at, "from");
        if (i == 0 ? from != y.start : !(from > y.uifCeilings.back().from && from <= y.end))
            throw Refusal(at + ".from must be " +
                          (i == 0 ? "the year's first day" : "later than the ceiling before it, within the year"));
        y.uifCeilings.push_back({from, number(uif[i], at, "monthly", 1, 1e7)});
    }
    y.uifMonthlyLimit = y.uifCeilings.front().monthly;

    const json& periods = member(file, "", "periods");
    y.weeksPerYear = whole(periods, "periods", "weeks", 1, 53);
    y.fortnightsPerYear = whole(periods, "periods", "fortnights", 1, 27);
    y.workingDaysPerYear = whole(periods, "periods", "workingDays", 1, 366);

    const json& vehicle = member(file, "", "vehicle");
    VehicleFigures& v = y.vehicle;
    if (!vehicle.is_object())
        throw Refusal("vehicle is not an object");
    v.travelCosts = travelTable(vehicle, "travelCosts");
    v.printTravelCosts = travelTable(vehicle, "printTravelCosts");
    if (v.printTravelCosts.empty())
        v.printTravelCosts = v.travelCosts;
    v.daysPerYear = y.end - y.start + 1;
    const json& car = member(vehicle, "vehicle", "carBenefit");
    v.carBenefitRate = number(car, "vehicle.carBenefit", "rate", 0, 100);
    v.carBenefitRateWithPlan = number(car, "vehicle.carBenefit", "rateWithPlan", 0, 100);
    v.carBenefitShare = v.carBenefitRate / 100;
    v.carBenefitShareWithPlan = v.carBenefitRateWithPlan / 100;
    const json& inclusion = member(vehicle, "vehicle", "inclusion");
    v.higherInclusion = number(inclusion, "vehicle.inclusion", "higher", 0, 1);
    v.lowerInclusion = number(inclusion, "vehicle.inclusion", "lower", 0, 1);
    const json& distance = member(vehicle, "vehicle", "distanceRule");
    v.longDistanceKm = number(distance, "vehicle.distanceRule", "longDistanceKm", 0, 1e6);
    v.privateKm = number(distance, "vehicle.distanceRule", "privateKm", 0, 1e6);
    v.businessKm = number(distance, "vehicle.distanceRule", "businessKm", 0, 1e6);
    const json& deemed = member(vehicle, "vehicle", "deemed");
    v.deemedPrivateShare = number(deemed, "vehicle.deemed", "privateShare", 0, 1);
    v.deemedFuelShare = number(deemed, "vehicle.deemed", "fuelShare", 0, 1);
    v.deemedMaintenanceShare = number(deemed, "vehicle.deemed", "maintenanceShare", 0, 1);
    v.deemedFuelCents = number(deemed, "vehicle.deemed", "fuelCents", 0, 10000);
    v.deemedMaintenanceCents = number(deemed, "vehicle.deemed", "maintenanceCents", 0, 10000);

    if (const auto it = file.find("sources"); it != file.end()) {
        if (!it->is_array())
            throw Refusal("sources is not a list of texts");
        for (const json& s : *it) {
            if (!s.is_string())
                throw Refusal("sources holds something that is not a text");
            y.sources.push_back(s.get<std::string>());
        }
    }
    if (const auto it = file.find("notes"); it != file.end()) {
        if (!it->is_string())
            throw Refusal("notes is not a text");
        y.notes = it->get<std::string>();
    }
    return y;
}

// Bumped, under the registry's lock, whenever a year is added or replaced:
// a lookup remembered at an earlier generation is looked up again.
std::atomic<std::uint64_t> generation{1};

struct Registry {
    std::mutex lock;
    std::deque<TaxYearFigures> store;  // never shrinks: figures handed out stay valid
    std::map<int, const TaxYearFigures*> byYear;
    std::vector<YearFileProblem> problems;

    Registry()
    {
        for (const auto& [name, text] : shippedTaxYearFiles())
            take(text, std::string(name), "built in");
    }

    void take(std::string_view text, const std::string& file, const std::string& origin)
    {
        std::string problem;
        auto figures = readTaxYear(text, origin, problem);
        if (!figures) {
            problems.push_back({file, problem});
            return;
        }
        // The file's name says which year it is for: a copy of 2026.json
        // saved as 2027.json without changing its figures is refused.
        const std::string stem = std::filesystem::path(file).stem().string();
        if (stem != std::to_string(figures->year)) {
            problems.push_back({file,
                                "the file holds the year " + std::to_string(figures->year) + " (" + figures->label +
                                    "); name it " + std::to_string(figures->year) + ".json"});
            return;
        }
        store.push_back(std::move(*figures));
        byYear[store.back().year] = &store.back();
        generation.fetch_add(1, std::memory_order_release);
    }
};

Registry& registry()
{
    static Registry r;
    return r;
}

}  // namespace

double TaxYearFigures::uifLimitOn(double day) const
{
    double limit = uifMonthlyLimit;
    for (const UifCeiling& c : uifCeilings) {
        if (day >= c.from)
            limit = c.monthly;
    }
    return limit;
}

std::optional<TaxYearFigures> readTaxYear(std::string_view text, const std::string& origin, std::string& problem)
{
    const json file = json::parse(text, nullptr, false);
    if (file.is_discarded()) {
        problem = "it is not valid JSON";
        return std::nullopt;
    }
    try {
        TaxYearFigures y = readFigures(file);
        y.origin = origin;
        return y;
    } catch (const Refusal& e) {
        problem = e.what();
    } catch (const json::exception& e) {
        problem = e.what();
    }
    return std::nullopt;
}

std::vector<const TaxYearFigures*> taxYears()
{
    Registry& r = registry();
    const std::lock_guard guard(r.lock);
    std::vector<const TaxYearFigures*> years;
    for (const auto& [year, figures] : r.byYear)
        years.push_back(figures);
    return years;
}

const TaxYearFigures* findTaxYear(int year)
{
    // A batch asks for the same year on every row, from more than one
    // thread: each thread remembers its last answer, good while no year has
    // been added or replaced since (figures handed out stay valid).
    struct Last {
        std::uint64_t generation = 0;  // 0: nothing remembered yet
        int year = 0;
        const TaxYearFigures* figures = nullptr;
    };
    thread_local Last last;
    if (last.generation != 0 && last.year == year && last.generation == generation.load(std::memory_order_acquire))
        return last.figures;
    Registry& r = registry();
    const std::lock_guard guard(r.lock);
    const auto it = r.byYear.find(year);
    last = {generation.load(std::memory_order_relaxed), year, it == r.byYear.end() ? nullptr : it->second};
    return last.figures;
}

const TaxYearFigures& defaultTaxYear()
{
    static const TaxYearFigures* year = [] {
        const TaxYearFigures* y = findTaxYear(kDefaultTaxYear);
        if (!y)
            throw std::logic_error("the built-in 2017/18 figures are missing");
        return y;
    }();
    return *year;
}

void addTaxYearFolder(const std::filesystem::path& folder)
{
    std::error_code ec;
    if (!std::filesystem::is_directory(folder, ec))
        return;
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        if (entry.path().extension() == ".json")
            files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    Registry& r = registry();
    const std::lock_guard guard(r.lock);
    for (const auto& file : files) {
        std::ifstream in(file, std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        if (!in) {
            r.problems.push_back({file.string(), "it cannot be read"});
            continue;
        }
        r.take(text.str(), file.string(), file.string());
    }
}

std::vector<YearFileProblem> taxYearProblems()
{
    Registry& r = registry();
    const std::lock_guard guard(r.lock);
    return r.problems;
}

std::optional<int> parseTaxYear(std::string_view text)
{
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    const auto digits = [](std::string_view s) {
        return !s.empty() && std::all_of(s.begin(), s.end(), [](char c) { return c >= '0' && c <= '9'; });
    };
    if (text.size() == 4 && digits(text))
        return std::stoi(std::string(text));
    if (text.size() == 7 && (text[4] == '/' || text[4] == '-') && digits(text.substr(0, 4)) && digits(text.substr(5))) {
        const int first = std::stoi(std::string(text.substr(0, 4)));
        const int second = std::stoi(std::string(text.substr(5)));
        if ((first + 1) % 100 == second)
            return first + 1;
    }
    return std::nullopt;
}

std::string taxYearLabel(int year)
{
    const int ending = ((year % 100) + 100) % 100;
    return std::to_string(year - 1) + "/" + (ending < 10 ? "0" : "") + std::to_string(ending);
}

double sameDayInTaxYear(double day, const TaxYearFigures& from, const TaxYearFigures& to)
{
    if (day == from.end)
        return to.end;
    CivilDate d = dateFromDayNumber(day);
    d.year += to.year - from.year;
    d.day = std::min(d.day, daysInMonth(d.year, d.month));
    return static_cast<double>(dayNumberFromDate(d)) + (day - std::floor(day));
}

std::string availableTaxYearsText()
{
    const auto years = taxYears();
    if (years.empty())
        return "none";
    if (years.size() == 1)
        return years.front()->label;
    return years.front()->label + " to " + years.back()->label;
}

}  // namespace grossby
