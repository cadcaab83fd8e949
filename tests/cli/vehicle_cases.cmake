# The vehicle subcommands, compared against golden output (cli_case and report_case are defined in CMakeLists.txt).
set(VEHICLE_DATA ${CMAKE_CURRENT_SOURCE_DIR}/data)

# company-car: one vehicle of 300 000 for the year (126 000, 8 400, 3 876.8, 1 938.4); two vehicles held 100 and
# 265 days sharing an IRP5 total of 73 000 (20 000 and 53 000); three vehicles, one with a plan, the fuel table and
# a log book for 182 days and one without a price that takes its claim as its adjustment.
cli_case(company_car_one_json 0 vehicle_company_car_one.json company-car --vehicles ${VEHICLE_DATA}/vehicle_one.csv --json)
cli_case(company_car_split_text 0 vehicle_company_car_split.txt
         company-car --vehicles ${VEHICLE_DATA}/vehicle_two.json --irp5-3802 73000 --auto-split)
cli_case(company_car_three_json 0 vehicle_company_car_three.json company-car --vehicles ${VEHICLE_DATA}/vehicle_three.csv --json)
# The deduction never exceeds the IRP5 total: the only vehicle carries it all.
cli_case(company_car_floor_json 0 vehicle_company_car_floor.json
         company-car --vehicles ${VEHICLE_DATA}/vehicle_floor.csv --irp5-3802 50000 --json)
cli_case(company_car_late_end 1 vehicle_company_car_late_end.json
         company-car --vehicles ${VEHICLE_DATA}/vehicle_late_end.csv --json)
cli_case(company_car_bad_value 1 "~vehicle 2: price: '3OO000' is not a number"
         company-car --vehicles ${VEHICLE_DATA}/vehicle_bad_value.csv --json)
cli_case(company_car_unknown_field 1 "~'colour' is not a field of a vehicle"
         company-car --vehicles ${VEHICLE_DATA}/vehicle_unknown_field.json --json)
cli_case(company_car_missing_file 1 - company-car --vehicles ${VEHICLE_DATA}/no_such_file.csv)
cli_case(company_car_no_vehicles 2 - company-car --irp5-3802 1000)
cli_case(company_car_bad_irp5 2 - company-car --vehicles ${VEHICLE_DATA}/vehicle_one.csv --irp5-3802 12abc)
cli_case(company_car_help 0 "~registration TEXT" company-car --help)
report_case(company_car_report_pdf pdf "Full use of Company Car|CA 3, own car|-7 500.00|R 21 500.00|Page 1 of 4"
            company-car --vehicles ${VEHICLE_DATA}/vehicle_three.csv)

# car-allowance: the deemed-cost example (value 300 000, 30 000 km, 12 000 business: 479.39 c/km, 57 526.80),
# without fuel (360.49 c/km), and actual costs with and without readings.
set(ALLOWANCE_DEEMED car-allowance --name "P Dlamini" --vehicle-value 300000 --open-km 10000 --close-km 40000
    --business-km 12000)
cli_case(car_allowance_deemed_text 0 vehicle_car_allowance_deemed.txt ${ALLOWANCE_DEEMED})
cli_case(car_allowance_deemed_json 0 vehicle_car_allowance_deemed.json ${ALLOWANCE_DEEMED} --json)
cli_case(car_allowance_no_fuel_json 0 vehicle_car_allowance_no_fuel.json ${ALLOWANCE_DEEMED} --no-fuel --json)
cli_case(car_allowance_capped 0 "~\"deduction_claim\":50000.0" ${ALLOWANCE_DEEMED} --allowance 50000 --json)
cli_case(car_allowance_actual_no_readings_json 0 vehicle_car_allowance_actual.json car-allowance --records-kept
         --vehicle-value 200000 --fuel-oil 40000 --repairs 20000 --insurance-licence 10000 --json)
cli_case(car_allowance_wear_and_lease 1 vehicle_car_allowance_single_payment.json
         car-allowance --records-kept --wear-and-tear 5000 --lease 3000 --json)
cli_case(car_allowance_start_before_year 1 "~{\"error\":\"The date entered is not correct please enter a date between 01/03/2017"
         car-allowance --start 28/02/2017 --json)
cli_case(car_allowance_cost_without_records 2 - car-allowance --fuel-oil 5000)
cli_case(car_allowance_bad_value 2 - car-allowance --vehicle-value 1,5)
cli_case(car_allowance_batch 0 vehicle_car_allowance_batch.csv car-allowance --batch ${VEHICLE_DATA}/vehicle_allowance_batch.csv)
report_case(car_allowance_report_pdf pdf "Travel Allowance|P Dlamini|Deemed costs|479.39|R 57 526.80" ${ALLOWANCE_DEEMED})
report_case(car_allowance_actual_report_csv csv ${GOLDEN}/vehicle_car_allowance_actual_report.csv
            car-allowance --name "S Naidoo" --records-kept --open-km 10000 --close-km 40000 --business-km 12000
            --fuel-oil 30000 --repairs 12000 --insurance-licence 9000 --other 9000)
# A code 3802 amount given for the only vehicle would be replaced by the IRP5 total: refused, not lost.
cli_case(company_car_single_fb_3802 1 "~is the only vehicle" company-car --vehicles ${VEHICLE_DATA}/vehicle_fb_only.json --json)

# A number beyond a double in a vehicles file (any field, either sign) is exit 1 naming the vehicle and the field,
# not an abort.
set(OVERFLOW_DIR ${CMAKE_CURRENT_BINARY_DIR}/overflow)
file(MAKE_DIRECTORY ${OVERFLOW_DIR})
foreach(entry "1e999|start-km|1" "1e309|price|1" "-1e999|end-km|1" "1E400|employee-fuel|2" "0.1e310|fb-3802|2")
  string(REPLACE "|" ";" parts "${entry}")
  list(GET parts 0 number)
  list(GET parts 1 field)
  list(GET parts 2 vehicle)
  if(vehicle STREQUAL "1")
    file(WRITE ${OVERFLOW_DIR}/${field}.json "[{\"registration\":\"A\",\"${field}\":${number}}]")
  else()
    file(WRITE ${OVERFLOW_DIR}/${field}.json "[{\"registration\":\"A\"},{\"registration\":\"B\",\"${field}\":${number}}]")
  endif()
  cli_case(company_car_overflow_${field} 1
           "~vehicle ${vehicle}: ${field}: the number ${number} is beyond the range a number can hold"
           company-car --vehicles ${OVERFLOW_DIR}/${field}.json --json)
endforeach()

# A closing reading below the opening one is refused by both calculators, naming the vehicle.
file(WRITE ${OVERFLOW_DIR}/readings.json "[{\"registration\":\"CA 1\",\"price\":300000,\"start\":\"01/03/2017\",\"end\":\"31/08/2017\",\"start-km\":25000,\"end-km\":10000}]")
cli_case(company_car_readings_reversed 1
         "~Vehicle 1 (CA 1): the closing odometer reading (10000 km) is below the opening reading (25000 km)"
         company-car --vehicles ${OVERFLOW_DIR}/readings.json --json)
cli_case(car_allowance_readings_reversed 1
         "~The vehicle of P Dlamini: the closing odometer reading (10000 km) is below the opening reading (25000 km)"
         car-allowance --name "P Dlamini" --vehicle-value 300000 --open-km 25000 --close-km 10000 --business-km 1000
         --json)
