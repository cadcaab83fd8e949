# Writes OUT, a C++ source holding every year file of YEARS_DIR as a string,
# so the shipped tax years are part of the program. Run as a script:
#   cmake -DYEARS_DIR=... -DOUT=... -P EmbedYears.cmake
file(GLOB year_files "${YEARS_DIR}/*.json")
list(SORT year_files)
set(body "")
foreach(f ${year_files})
  get_filename_component(name ${f} NAME)
  file(READ ${f} text)
  string(APPEND body "        {\"${name}\", R\"gyear(${text})gyear\"},\n")
endforeach()
set(content "// Made at build time from resources/years: do not edit.\n#include <string_view>\n#include <utility>\n#include <vector>\n\nnamespace grossby {\n\nstd::vector<std::pair<std::string_view, std::string_view>> shippedTaxYearFiles()\n{\n    return {\n${body}    };\n}\n\n}  // namespace grossby\n")
if(EXISTS ${OUT})
  file(READ ${OUT} old)
  if(old STREQUAL content)
    return()
  endif()
endif()
file(WRITE ${OUT} "${content}")
