# The package subcommands, compared against golden output (cli_case and report_case are defined in CMakeLists.txt).

# Settings given as options so the store is not read: UIF 1 % each up to
# 15 000, SDL 1 %, 80 % inclusion rates; then the R/Fund percentages and the
# maintenance plan, which some cases give differently.
set(PKG_RATES --employee-uif 1 --employer-uif 1 --skills-levy 1 --uif-limit 15000 --travel-inclusion 0.8
    --car-benefit-rate 0.8)
set(PKG_SETTINGS ${PKG_RATES} --employee-rf-percent 0 --employer-rf-percent 0 --maintenance-plan no)
set(PKG_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)

# Forward: package 30 000 at 40 (tax 5 662.30, take-home 24 187.70, cost to company 30 450).
cli_case(package_json 0 package_30000.json package --package 30000 --age 40 --json ${PKG_SETTINGS})
cli_case(package_text 0 package_30000.txt package --package 30000 --age 40 ${PKG_SETTINGS})
# 7.5 % employee R/Fund (2 250, SDL 277.50); 20 % and 15 % (the warning, and no statement).
cli_case(package_rf_7_5 0 package_rf_7_5.json package --package 30000 --age 40 --json ${PKG_RATES}
         --employee-rf-percent 7.5 --employer-rf-percent 0 --maintenance-plan no)
cli_case(package_rf_warning 0 "~\"rf_warning\":true" package --package 30000 --age 40 --json ${PKG_RATES}
         --employee-rf-percent 20 --employer-rf-percent 15 --maintenance-plan no)
cli_case(package_rf_warning_no_statement 1 "~{\"error\":\"R/Fund contributions exceed allowable limits!" package
         --package 30000 --json ${PKG_RATES} --employee-rf-percent 20 --employer-rf-percent 15 --maintenance-plan no
         --report ${CMAKE_CURRENT_BINARY_DIR}/package_warning.pdf)
# Annual: 36 beneficiary-months with contributions (credits 9 720); a car of
# 300 000 with a maintenance plan (93 600 a year, once-off 300 000); other expenses.
cli_case(package_annual 0 package_annual.json package --annual --package 360000 --age 40 --employee-medical 24000
         --beneficiaries 36 --car-value 300000 --other-expense "Gym=6000" --other-expense "Cell phone=2400:3000"
         --json ${PKG_RATES} --employee-rf-percent 0 --employer-rf-percent 0 --maintenance-plan yes)
# Rejections (exit 1) and malformed values (exit 2).
cli_case(package_zero 1 "~{\"error\":\"Please enter a total package amount above 0.\"}" package --package 0 --json
         ${PKG_SETTINGS})
cli_case(package_missing_amount 2 - package --age 40 ${PKG_SETTINGS})
cli_case(package_bad_amount 2 - package --package 30k ${PKG_SETTINGS})
cli_case(package_monthly_beneficiaries 2 - package --package 30000 --beneficiaries 100 ${PKG_SETTINGS})
cli_case(package_bad_maintenance_plan 2 - package --package 30000 ${PKG_RATES} --employee-rf-percent 0
         --employer-rf-percent 0 --maintenance-plan maybe)
cli_case(package_bad_other_expense 2 - package --package 30000 --other-expense Gym ${PKG_SETTINGS})
cli_case(package_five_other_expenses 2 - package --package 30000 --other-expense a=1 --other-expense b=1
         --other-expense c=1 --other-expense d=1 --other-expense e=1 ${PKG_SETTINGS})
# The statement, and a batch of packages (monthly and annual rows, rejected rows).
report_case(package_report_csv csv ${GOLDEN}/package_report.csv package --name "T Mokoena" --package 30000 --age 40
            --car-value 250000 --other-expense "Gym=500" --other-expense "Cell phone=200:250" ${PKG_SETTINGS})
cli_case(package_batch 0 package_batch.csv package --batch ${PKG_DATA}/package_batch.csv ${PKG_RATES}
         --maintenance-plan no)

# Reverse: net 20 000 at 40 (G 23 984, gross salary 23 983.69, SDL 239.84, cost to company 24 373.53).
cli_case(grossup_json 0 grossup_20000.json grossup --net-required 20000 --age 40 --json ${PKG_SETTINGS})
cli_case(grossup_text 0 grossup_20000.txt grossup --net-required 20000 --age 40 ${PKG_SETTINGS})
cli_case(grossup_annual 0 grossup_annual.json grossup --annual --net-required 240000 --age 70 --employee-medical 36000
         --beneficiaries 24 --json ${PKG_SETTINGS})
cli_case(grossup_benefits 1 "~{\"error\":\"Fringe benefits more than salary required!\"}" grossup --net-required 20000
         --travel-allowance 25000 --json ${PKG_SETTINGS})
cli_case(grossup_zero 1 - grossup --net-required 0 ${PKG_SETTINGS})
cli_case(grossup_beyond_search 1 "~No gross salary up to R 100 000 000 000" grossup --net-required 100000000000
         --json ${PKG_SETTINGS})
cli_case(grossup_rf_percentages_over_limit 1 "~27.5" grossup --net-required 20000 --json ${PKG_RATES}
         --employee-rf-percent 20 --employer-rf-percent 10 --maintenance-plan no)
cli_case(grossup_bad_amount 2 - grossup --net-required -5 ${PKG_SETTINGS})
report_case(grossup_report_pdf pdf "Grossby Salary Package Calculation : Monthly|20 000.00|23 983.69|24 373.53"
            grossup --name "T Mokoena" --net-required 20000 --age 40 ${PKG_SETTINGS})
cli_case(grossup_batch 0 package_grossup_batch.csv grossup --batch ${PKG_DATA}/package_grossup_batch.csv
         ${PKG_SETTINGS})
cli_case(package_other_expense_semicolon 2 - package --package 30000 --other-expense "Gym=500;Cell=200" ${PKG_SETTINGS})
