# The vehicle subcommands, compared against golden output (cli_case and report_case are defined in CMakeLists.txt).
