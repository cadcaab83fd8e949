# Every shipped tax year's figures through the command line, against figures
# worked from the published tables (data/year_cases.txt): one test for each
# group of cases and year.
find_package(Python3 REQUIRED COMPONENTS Interpreter)
set(YEAR_CASES ${CMAKE_CURRENT_SOURCE_DIR}/data/year_cases.txt)
set(YEAR_RUNNER ${CMAKE_CURRENT_SOURCE_DIR}/run_year_cases.py)
# Groups whose calculators do not take --year yet: their cases for the years
# other than 2017/18 (which run without --year) wait, disabled.
set(YEAR_CASES_WAITING)
foreach(group quicktax monthly medical uif travel)
  foreach(year RANGE 2018 2027)
    add_test(NAME cli.year.${group}.${year}
      COMMAND ${Python3_EXECUTABLE} ${YEAR_RUNNER} ${CLI} ${YEAR_CASES} ${group} ${year})
    if(group IN_LIST YEAR_CASES_WAITING AND NOT year EQUAL 2018)
      set_tests_properties(cli.year.${group}.${year} PROPERTIES DISABLED TRUE)
    endif()
  endforeach()
endforeach()

# Year files added in the user's data folder: taken, or left out with the reason.
add_test(NAME cli.years_from_user_folder
  COMMAND ${Python3_EXECUTABLE} ${CMAKE_CURRENT_SOURCE_DIR}/year_folder_test.py ${CLI}
          ${PROJECT_SOURCE_DIR}/resources/years)
cli_case(years_lists_shipped 0 "~2025/26  2026" years)
cli_case(years_lacks 0 "~\"label\":\"2024/25\",\"year\":2025,\"origin\":\"built in\",\"lacks\":[\"travel cost table\"]" years --json)
