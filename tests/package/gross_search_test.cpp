// The fast reverse search against the rand-by-rand search it replaces: the
// same G and the same figures, bit for bit, on random cases that straddle
// every bracket edge, the UIF ceiling and the point where the credits stop
// covering the tax; and few passes.

#include "calc_test_util.h"
#include "core/year_figures.h"
#include "literal_search.h"
#include "package/package_calc.h"
#include "package/package_inputs.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <random>
#include <sstream>

namespace grossby {
namespace {

bool samePass(const GrossPass& a, const GrossPass& b)
{
    return std::memcmp(&a, &b, sizeof a) == 0;
}

std::string describe(const PackageInputs& in, const PackageSettings& s)
{
    std::ostringstream o;
    o.precision(17);
    o << (in.period == PackagePeriod::Annual ? "annual" : "monthly") << " req=" << in.amount << " age=" << in.age
      << " car=" << in.carValue << " ta=" << in.travelAllowance << " eeMed=" << in.employeeMedical
      << " erMed=" << in.employerMedical << " bens=" << in.beneficiaries << " otfb=" << in.otherFringeBenefits
      << " oexp=" << in.otherExpensesTotal() << " medDed=" << in.medicalDeductions << " eeRF=" << in.employeeRF
      << " erRF=" << in.employerRF << " | p=" << s.PensionCont << " q=" << s.EmployerPenCont << " uif=" << s.EmployeeUIF
      << "/" << s.EmployerUIF << " limit=" << s.UIFLimit << " ta=" << s.TAIncRate8020 << " car=" << s.CompCarFBRate8020
      << " mp=" << s.CompCarMPYesNo;
    return o.str();
}

// Random settings and inputs of the kinds a user types. The requirement is
// the net pay of a gross salary near a bracket edge, the UIF ceiling or
// anywhere below the top edge, give or take a few rand, so the rand-by-rand
// search stays affordable while every edge gets crossed.
struct CaseMaker {
    std::mt19937_64 rng{20180228};

    double uniform(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(rng); }
    int pick(int n) { return std::uniform_int_distribution<int>(0, n - 1)(rng); }
    double cents(double v) { return std::round(v * 100) / 100; }

    bool make(PackageInputs& in, PackageSettings& s)
    {
        in = {};
        s = {};
        const bool annual = pick(3) == 0;
        in.period = annual ? PackagePeriod::Annual : PackagePeriod::Monthly;
        const double per = annual ? 12 : 1;

        // Settings: both percentages within 27.5 between them, or typed amounts.
        switch (pick(4)) {
        case 0: break;
        case 1: s.PensionCont = cents(uniform(0, 27.5)); break;
        case 2: s.EmployerPenCont = cents(uniform(0, 27.5)); break;
        default: s.PensionCont = cents(uniform(0, 20)); s.EmployerPenCont = cents(uniform(0, 27.5 - s.PensionCont));
        }
        const double uifChoices[] = {1, 1, 0, 2.5, 30, 55, 72.5, 100};
        s.EmployeeUIF = uifChoices[pick(8)];
        s.EmployerUIF = uifChoices[pick(8)];
        s.SkillLevy = pick(2) ? 1 : uniform(0, 100);
        const double limits[] = {14872, 15000, 0, 3000, 60000};
        s.UIFLimit = limits[pick(5)];
        s.TAIncRate8020 = pick(2) ? 0.8 : 0.2;
        s.CompCarFBRate8020 = pick(2) ? 0.8 : 0.2;
        s.CompCarMPYesNo = pick(2) == 0;

        // Inputs.
        const int ages[] = {25, 64, 65, 70, 74, 75, 90};
        in.age = ages[pick(7)];
        if (pick(3) == 0)
            in.carValue = std::round(uniform(50000, 600000));
        if (pick(2) == 0)
            in.travelAllowance = cents(uniform(0, 6000) * per);
        if (pick(2) == 0) {
            // Sometimes large enough that the credits exceed the tax.
            in.employeeMedical = cents(uniform(0, pick(2) ? 2000 : 9000) * per);
            in.employerMedical = pick(2) ? cents(uniform(0, 3000) * per) : 0;
            in.beneficiaries = pick(7) * (annual ? 12 : 1) + (annual ? pick(12) : 0);
        }
        if (pick(3) == 0)
            in.otherFringeBenefits = cents(uniform(0, 2000) * per);
        if (pick(3) == 0) {
            in.otherExpenses[static_cast<std::size_t>(pick(4))].amount = cents(uniform(0, 1500) * per);
            in.otherExpenses[static_cast<std::size_t>(pick(4))].amount = cents(uniform(0, 800) * per);
        }
        if (pick(3) == 0)
            in.medicalDeductions = cents(uniform(0, 1000) * per);
        if (s.PensionCont == 0 && pick(2) == 0)
            in.employeeRF = cents(uniform(0, 3000) * per);
        if (s.EmployerPenCont == 0 && pick(2) == 0)
            in.employerRF = cents(uniform(0, 3000) * per);

        // A gross salary to aim at, turned into a requirement.
        const auto& scale = defaultTaxYear().scale;
        double target;
        switch (pick(4)) {
        case 0: target = scale[static_cast<std::size_t>(pick(6))].upper / (annual ? 1 : 12); break;
        case 1: target = s.UIFLimit * per; break;
        case 2: target = uniform(1, 20000) * per; break;
        default: target = uniform(1, annual ? 400000 : 140000);
        }
        target = std::max(1.0, std::round(target + uniform(-30, 30) * per));
        in.amount = 1;  // any requirement, to read off the net pay
        auto probe = NetPayFunction::prepare(in, s);
        if (!std::holds_alternative<NetPayFunction>(probe))
            return false;
        const double net = std::get<NetPayFunction>(probe).pass(target).net;
        // Exactly that net pay (a tie), or a few cents or rand either side.
        switch (pick(3)) {
        case 0: in.amount = net; break;
        case 1: in.amount = net + uniform(-0.05, 0.05); break;
        default: in.amount = cents(net + uniform(-3, 3));
        }
        return in.amount > 0;
    }
};

TEST(GrossSearch, AgreesWithTryingEveryRand)
{
    CaseMaker maker;
    const int cases = test::oracleCases(3000);
    int compared = 0;
    int mostPasses = 0;
    for (int i = 0; compared < cases && i < 20000; ++i) {
        PackageInputs in;
        PackageSettings s;
        if (!maker.make(in, s))
            continue;
        auto prepared = NetPayFunction::prepare(in, s);
        if (!std::holds_alternative<NetPayFunction>(prepared))
            continue;
        const NetPayFunction& f = std::get<NetPayFunction>(prepared);
        const auto literal = literalGrossSearch(f, 3'000'000);
        if (!literal)
            continue;  // beyond what the reference can afford
        ++compared;
        const GrossSearchOutcome fast = searchGrossSalary(f);
        SCOPED_TRACE(describe(in, s));
        ASSERT_TRUE(fast.found);
        ASSERT_EQ(fast.pass.grossSalary, literal->pass.grossSalary);
        ASSERT_TRUE(samePass(fast.pass, literal->pass));
        EXPECT_LE(fast.evaluations, 64);
        mostPasses = std::max(mostPasses, fast.evaluations);
    }
    EXPECT_GE(compared, cases);
    RecordProperty("most_passes", mostPasses);
}

TEST(GrossSearch, FindsTheSameResultAsTryingEveryRand)
{
    // FindGrossSalary's figures are the literal search's, finished the same way.
    PackageInputs in;
    in.amount = 20000;
    in.age = 70;
    in.employeeMedical = 2500;
    in.beneficiaries = 3;
    in.travelAllowance = 3000;
    PackageSettings s;
    s.PensionCont = 7.5;
    s.EmployerPenCont = 10;
    s.EmployeeUIF = s.EmployerUIF = s.SkillLevy = 1;
    s.UIFLimit = 14872;
    const auto result = FindGrossSalary(in, s);
    ASSERT_TRUE(std::holds_alternative<GrossUpResult>(result));
    const GrossUpResult& fast = std::get<GrossUpResult>(result);
    const NetPayFunction f = std::get<NetPayFunction>(NetPayFunction::prepare(in, s));
    const auto literal = literalGrossSearch(f, 1e6);
    ASSERT_TRUE(literal);
    const GrossUpResult expected = f.finish(literal->pass, fast.evaluations);
    for (const auto& desc : grossUpResultTable())
        EXPECT_EQ(desc.get(fast), desc.get(expected)) << desc.key;
    EXPECT_EQ(fast.medicalDeductions, expected.medicalDeductions);
}

TEST(GrossSearch, FewPassesAtAnySize)
{
    // Up to 100 million a year, monthly or annual, with the percentages at
    // their ordinary extremes; the result is checked where it must hold: the
    // net pay exceeds the requirement at G and not at G - 1.
    for (const bool annual : {false, true}) {
        for (const double yearly : {1e4, 2.5e5, 1.5e6, 2e7, 1e8}) {
            for (const auto& [p, q, u] : {std::tuple{0.0, 0.0, 1.0}, std::tuple{27.5, 0.0, 100.0},
                                          std::tuple{0.0, 27.5, 100.0}, std::tuple{10.0, 17.5, 55.0}}) {
                PackageInputs in;
                in.period = annual ? PackagePeriod::Annual : PackagePeriod::Monthly;
                in.amount = annual ? yearly : yearly / 12;
                in.age = 40;
                PackageSettings s;
                s.PensionCont = p;
                s.EmployerPenCont = q;
                s.EmployeeUIF = u;
                s.UIFLimit = 14872;
                const auto prepared = NetPayFunction::prepare(in, s);
                const NetPayFunction& f = std::get<NetPayFunction>(prepared);
                const GrossSearchOutcome out = searchGrossSalary(f);
                SCOPED_TRACE(describe(in, s));
                ASSERT_TRUE(out.found);
                EXPECT_LE(out.evaluations, 64);
                EXPECT_GT(out.pass.net, in.amount);
                if (out.pass.grossSalary > 1) {
                    EXPECT_LE(f.pass(out.pass.grossSalary - 1).net, in.amount);
                }
            }
        }
    }
}

TEST(GrossSearch, NetPayFallingBelowAHighCeilingIsSearchedPast)
{
    // With all the UIF on the employee and a ceiling of a billion a month,
    // the net pay falls until the ceiling and rises after it: the first G is
    // just past the ceiling, found without walking up to it.
    PackageInputs in;
    in.amount = 100;
    in.age = 40;
    PackageSettings s;
    s.EmployeeUIF = 100;
    s.UIFLimit = 1e9;
    const auto result = FindGrossSalary(in, s);
    ASSERT_TRUE(std::holds_alternative<GrossUpResult>(result));
    const GrossUpResult& r = std::get<GrossUpResult>(result);
    EXPECT_GT(r.grossSalaryFound, 1e9);
    EXPECT_LE(r.evaluations, 64);
    const NetPayFunction f = std::get<NetPayFunction>(NetPayFunction::prepare(in, s));
    EXPECT_LE(f.pass(r.grossSalaryFound - 1).net, in.amount);
    EXPECT_GT(r.netPay, in.amount);
}

}  // namespace
}  // namespace grossby
