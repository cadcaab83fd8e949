# The finance subcommands, compared against golden output (cli_case and report_case are defined in CMakeLists.txt).
set(FIN_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)

# loan: the four modes. 100 000 over 240 months at 12 % is 1 101.09 a month.
cli_case(finance_loan_repayment_json 0 finance_loan_repayment.json loan --principal 100000 --months 240 --rate 12 --json)
cli_case(finance_loan_repayment_text 0 finance_loan_repayment.txt loan --solve repayment --principal 100000 --months 240 --rate 12)
cli_case(finance_loan_principal 0 finance_loan_principal.json loan --solve principal --months 240 --rate 12 --repayment 1101.09 --json)
# A repayment that fits no whole number of months is raised by whole cents.
cli_case(finance_loan_period_fraction 0 finance_loan_period_fraction.json loan --solve period --principal 100000 --rate 12 --repayment 1500 --json)
# Exactly the monthly interest: no period, the repayment as entered.
cli_case(finance_loan_period_none 0 finance_loan_period_none.json loan --solve period --principal 100000 --rate 12 --repayment 1000 --json)
# More than the principal and a month's interest: one month, the repayment kept.
cli_case(finance_loan_period_one_month 0 "~\"months\":1,\"rate\":12.0,\"repayment\":2000.0" loan --solve period --principal 1000 --rate 12 --repayment 2000 --json)
cli_case(finance_loan_rate_above_limit 0 finance_loan_rate_above_limit.json loan --solve rate --principal 1000 --months 12 --repayment 200 --json)
cli_case(finance_loan_rate_too_little 0 "~\"rate\":0.0,\"repayment\":80.0" loan --solve rate --principal 1000 --months 12 --repayment 80 --json)
# The fields' own messages (exit 1) and malformed options (exit 2).
cli_case(finance_loan_rate_51 1 "~{\"error\":\"The maximum interest rate allowed is 50%\"}" loan --principal 1000 --months 12 --rate 51 --json)
cli_case(finance_loan_months_601 1 "~{\"error\":\"The maximum period  allowed is 600 months\"}" loan --principal 1000 --months 601 --rate 12 --json)
cli_case(finance_loan_bad_mode 2 - loan --solve interest --principal 1000 --months 12 --rate 12)
cli_case(finance_loan_fraction_of_month 2 - loan --principal 1000 --months 12.5 --rate 12)
cli_case(finance_loan_solved_given 2 - loan --solve repayment --principal 1000 --months 12 --rate 12 --repayment 100)
cli_case(finance_loan_missing_rate 2 - loan --principal 1000 --months 12)
cli_case(finance_loan_schedule_without_report 2 - loan --principal 1000 --months 12 --rate 12 --schedule annual)
cli_case(finance_loan_batch 0 finance_loan_batch.csv loan --batch ${FIN_DATA}/finance_loans.csv)
# The printout: the mode's template, with the yearly schedule.
report_case(finance_loan_report_pdf pdf "Loan repayment|Amortisation by Year|1 101.09|Total Interest|164 260.67|12 392.81|820.22"
            loan --principal 100000 --months 240 --rate 12 --schedule annual)
report_case(finance_loan_report_csv csv ${GOLDEN}/finance_loan_period_report.csv
            loan --solve period --principal 100000 --rate 12 --repayment 1500 --schedule monthly)
cli_case(finance_loan_report_incomplete 1 - loan --solve period --principal 100000 --rate 12 --repayment 1000 --report x.pdf)

# schedule: the month-by-month or year-by-year lines as CSV.
cli_case(finance_schedule_12 0 finance_schedule_12.csv schedule --principal 100000 --months 12 --rate 12)
cli_case(finance_schedule_30_annual 0 finance_schedule_30_annual.csv schedule --principal 100000 --months 30 --rate 12 --annual)
cli_case(finance_schedule_6_annual 0 finance_schedule_6_annual.json schedule --principal 100000 --months 6 --rate 12 --annual --json)
cli_case(finance_schedule_no_rate 1 - schedule --principal 100000 --months 12 --rate 0)
cli_case(finance_schedule_bad_out 2 - schedule --principal 100000 --months 12 --rate 12 --out s.txt)
add_test(NAME cli.finance_schedule_out_xlsx
  COMMAND bash -c "f=$(mktemp -d)/s.xlsx && \"$0\" schedule --principal 100000 --months 600 --rate 12 --out \"$f\" && unzip -p \"$f\" xl/worksheets/sheet1.xml | grep -q '<c r=\"A601\"[^>]*><v>600</v>' && unzip -p \"$f\" xl/sharedStrings.xml | grep -q balance"
  ${CLI})
report_case(finance_schedule_report_pdf pdf "Amortisation by Month|8 884.88|7 884.88|1 000.00" schedule --principal 100000 --months 12 --rate 12)

# loan-buster: 100 extra a month on the worked example; none; too much.
cli_case(finance_buster_json 0 finance_buster_100.json loan-buster --principal 100000 --months 240 --rate 12 --extra 100 --json)
cli_case(finance_buster_text 0 finance_buster_100.txt loan-buster --principal 100000 --months 240 --rate 12 --extra 100)
cli_case(finance_buster_no_extra 0 finance_buster_0.json loan-buster --principal 100000 --months 240 --rate 12 --json)
cli_case(finance_buster_one_month 0 "~\"extra_months\":1," loan-buster --principal 100000 --months 5 --rate 12 --extra 100000 --json)
cli_case(finance_buster_too_much 0 "~\"extra_too_large\":true" loan-buster --principal 1000 --months 12 --rate 12 --extra 100000 --json)
cli_case(finance_buster_rate_51 1 - loan-buster --principal 1000 --months 12 --rate 51)
report_case(finance_buster_report_html html "1 101.09" loan-buster --principal 100000 --months 240 --rate 12 --extra 100)

# loan-compare: the six terms; the 20-year row is the loan's 1 101.09.
cli_case(finance_compare_json 0 finance_compare_12.json loan-compare --principal 100000 --rate 12 --json)
cli_case(finance_compare_text 0 finance_compare_12.txt loan-compare --principal 100000 --rate 12)
cli_case(finance_compare_rate_51 1 - loan-compare --principal 100000 --rate 51)
cli_case(finance_compare_no_principal 2 - loan-compare --rate 12)
report_case(finance_compare_report_pdf pdf "1 101.09|1 028.61" loan-compare --principal 100000 --rate 12)

# daily-balance: 10 000 at 10 % through March 2017 is 30 days and 82.19.
cli_case(finance_daily_json 0 finance_daily_march.json daily-balance --capital 10000 --rate 10 --start 01/03/2017 --end 31/03/2017 --json)
cli_case(finance_daily_text 0 finance_daily_march.txt daily-balance --capital 10000 --rate 10 --start 01/03/2017 --end 31/03/2017)
cli_case(finance_daily_end_before_start 1 "~{\"error\":\"The date entered is more than 30 years(360 months) after 01/03/2017.\"}"
         daily-balance --capital 10000 --rate 10 --start 01/03/2017 --end 28/02/2017 --json)
cli_case(finance_daily_rate_41 1 - daily-balance --capital 10000 --rate 41 --start 01/03/2017 --end 31/03/2017)
cli_case(finance_daily_bad_date 2 - daily-balance --capital 10000 --rate 10 --start 31/02/2017 --end 31/03/2017)
cli_case(finance_daily_before_1800 2 - daily-balance --capital 10000 --rate 10 --start 01/01/1799 --end 31/03/1799)
cli_case(finance_daily_no_end 2 - daily-balance --capital 10000 --rate 10 --start 01/03/2017)
report_case(finance_daily_report_odt odt "82.19|01/03/2017|31/03/2017" daily-balance --capital 10000 --rate 10 --start 01/03/2017 --end 31/03/2017)
cli_case(finance_daily_report_same_day 1 - daily-balance --capital 10000 --rate 10 --start 01/03/2017 --end 01/03/2017 --report x.pdf)

# inflation: 1 000 over 10 years at 10 % is 2 593.74, buying power 385.54.
cli_case(finance_inflation_json 0 finance_inflation_10.json inflation --present-cost 1000 --years 10 --rate 10 --json)
cli_case(finance_inflation_text 0 finance_inflation_10.txt inflation --present-cost 1000 --years 10 --rate 10)
cli_case(finance_inflation_too_large 0 "~\"too_large\":true" inflation --present-cost 9999999999 --years 40 --rate 40 --json)
cli_case(finance_inflation_rate_below 1 "~{\"error\":\"The range of the Inflation Rate is between -5% and 40%\"}" inflation --present-cost 1000 --years 10 --rate -6 --json)
cli_case(finance_inflation_years_41 1 - inflation --present-cost 1000 --years 41 --rate 10)
cli_case(finance_inflation_fraction 2 - inflation --present-cost 1000.5 --years 10 --rate 10)
report_case(finance_inflation_report_xlsx xlsx "<v>2593.74" inflation --present-cost 1000 --years 10 --rate 10)
cli_case(finance_inflation_report_too_large 1 - inflation --present-cost 9999999999 --years 40 --rate 40 --report x.pdf)
